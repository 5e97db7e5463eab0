// screenshot_test.cpp: F12 in a running game, as the player finds the shots: the folder, the
// names, none written over, the line naming each, and the one line saying why not.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>

#include "app/main_loop.h"
#include "app/user_dirs.h"
#include "support/harness.h"

namespace {

namespace fs = std::filesystem;
std::string stamp(std::time_t t) { char s[32]; std::tm l{}; return std::strftime(s, sizeof s, "%Y-%m-%d_%H-%M-%S", localtime_r(&t, &l)), s; }
// F12; `number` is "" or "-2", ... when one line on stdout named a file fendwall-<local time><number>.png there.
struct Said { std::string out, err, number = "none"; };
Said f12(const fs::path& folder) {
    testing::internal::CaptureStdout(), testing::internal::CaptureStderr();
    const std::time_t before = std::time(nullptr);
    harness::tap({123, 69}), harness::runPasses(3);
    Said s{testing::internal::GetCapturedStdout(), testing::internal::GetCapturedStderr()};
    for (std::time_t t = before; t <= std::time(nullptr); ++t) {
        const std::string head = "fendwall: screenshot saved as " + (folder / "fendwall-").string() + stamp(t);
        if (s.out.starts_with(head) && s.out.ends_with(".png\n") && s.err.empty() && fs::is_regular_file(s.out.substr(30, s.out.size() - 31)))
            s.number = s.out.substr(head.size(), s.out.size() - head.size() - 5);
    }
    return s;
}

TEST(Screenshot, F12SavesTheWindowInThePicturesFolderUnderAFreeNameOrSaysOnceWhyNot) {
    const std::string config = std::getenv("XDG_CONFIG_HOME"), home = std::getenv("HOME");
    ScratchDir s;
    const fs::path pictures = s.path / "Pictures/fendwall", named = s.path / "shots/fendwall", dirs = s.path / "config/user-dirs.dirs";
    setenv("HOME", s.path.c_str(), 1), setenv("XDG_CONFIG_HOME", dirs.parent_path().c_str(), 1), unsetenv("XDG_PICTURES_DIR");
    harness::resetGame();
    ASSERT_TRUE(startUp());
    EXPECT_EQ(f12(pictures).number, "") << "no user-dirs.dirs: ~/Pictures, made";
    for (std::time_t t = std::time(nullptr), end = t + 30; t < end; ++t) std::ofstream(pictures / ("fendwall-" + stamp(t) + ".png")) << "mine";
    EXPECT_EQ(f12(pictures).number, "-2") << "the same second: the next free name";
    fs::create_directories(dirs.parent_path());
    std::ofstream(dirs) << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/shots/\"\n";
    EXPECT_LT(f12(named).number.size(), 3u) << "the folder user-dirs.dirs names";
    setenv("XDG_PICTURES_DIR", (s.path / "env").c_str(), 1);
    EXPECT_LT(f12(s.path / "env/fendwall").number.size(), 3u) << "set for this run";
    setenv("XDG_PICTURES_DIR", "env", 1);  // not absolute: no folder
    EXPECT_LT(f12(named).number.size(), 3u);
    unsetenv("XDG_PICTURES_DIR");  // then files may hold no more than 256 bytes
    const auto shots = std::distance(fs::directory_iterator(named), {});
    rlimit limit{}, small{256, RLIM_INFINITY};
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &limit), setrlimit(RLIMIT_FSIZE, &small);
    const Said full = f12(named);
    setrlimit(RLIMIT_FSIZE, &limit), std::signal(SIGXFSZ, oldSignal);
    EXPECT_TRUE(full.out.empty() && full.err.starts_with("fendwall: cannot write the screenshot " + (named / "fendwall-").string()) &&
                full.err.find('\n') + 1 == full.err.size() && full.err.ends_with(".png (File too large); the part written is removed\n"))
        << full.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(named), {}), shots) << "the part written is removed";
    setenv("HOME", home.c_str(), 1), setenv("XDG_CONFIG_HOME", config.c_str(), 1);
}

// user-dirs.dirs as xdg-user-dirs writes it and a player may edit it; a line a shell would read
// otherwise than xdg-user-dirs, or not as an absolute path, names none.
TEST(Screenshot, UserDirsFileNamesAFolderOnlyWhenAShellAndXdgUserDirsReadTheSameAbsolutePath) {
    const std::string pictures = "XDG_PICTURES_DIR=", files[][2] = {
        {"# by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n", "/h/Bilder"},
        {"  \tXDG_PICTURES_DIR=\"/srv/a \\\"b\\\" \\$c\\\\/\"  # mine", "/srv/a \"b\" $c\\"}, {pictures + "\"$HOME\"", "/h"},
        {pictures + "\"/a\"\n#" + pictures + "\"/b\"\nXDG_PICTURES_DIRS=\"/c\"\n" + pictures + "\"/d\"", "/d"},
        {pictures + "\"/a\"\n" + pictures + "\"Pictures\"", ""}, {pictures + "\"/a\"\nXDG_PICTURES_DIR =\"/b\"", ""}, {pictures + "/a", ""},
        {pictures + "\"$HOMEX/a\"", ""}, {pictures + "\"/a/$USER\"", ""}, {pictures + "\"/a\\b\"", ""}, {pictures + "\"/a\"b", ""},
        {pictures + "\"/a\"#b", ""}, {pictures + "\"/a\"\r\n", ""}, {pictures + "\"/a\nb\"", ""}, {pictures + std::string("\"/a\0b\"", 6), ""}};
    for (const auto& [text, folder] : files) EXPECT_EQ(userDirIn(text.data(), text.size(), "XDG_PICTURES_DIR", "/h"), folder) << text;
    EXPECT_EQ(userDirIn("XDG_PICTURES_DIR=\"$HOME/a\"", 26, "XDG_PICTURES_DIR", ""), "") << "no home";
}

}  // namespace
