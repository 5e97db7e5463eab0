// launch.cpp: time from process start to first presented frame. Takes the wall clock,
// forks and execs the program given, reads its "first-frame-ns N" line and prints
//   ttff-ms T
// with T = N minus the clock taken just before the exec, in milliseconds. The program's
// other output lines are passed through; its exit status is returned.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_launch PROGRAM [ARGS...]\n");
        return 2;
    }
    int out[2];
    if (pipe(out) != 0) return 2;
    timespec start{};
    clock_gettime(CLOCK_REALTIME, &start);
    const pid_t child = fork();
    if (child < 0) return 2;
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    close(out[1]);
    FILE* lines = fdopen(out[0], "r");
    char line[512];
    long long frameNs = -1;
    while (lines && std::fgets(line, sizeof(line), lines)) {
        if (std::sscanf(line, "first-frame-ns %lld", &frameNs) == 1) continue;
        std::fputs(line, stdout);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (frameNs < 0) {
        std::fprintf(stderr, "bench_launch: no first-frame line from %s\n", argv[1]);
        return 3;
    }
    const long long startNs = static_cast<long long>(start.tv_sec) * 1000000000LL + start.tv_nsec;
    std::printf("ttff-ms %.3f\n", static_cast<double>(frameNs - startNs) / 1e6);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
