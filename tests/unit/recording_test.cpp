// recording_test.cpp: recorded games: the golden games replay to every checkpoint, a recording
// made here replays and a changed one is caught, and damaged recordings are refused with one line.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/frame_step.h"
#include "app/main_loop.h"
#include "app/phases.h"
#include "app/tape.h"
#include "core/version.h"
#include "game/game.h"
#include "platform/scripted/audio_scripted.h"
#include "render/frame.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(std::vector<const char*> args) {
    args.insert(args.begin(), "fendwall");
    testing::internal::CaptureStdout(), testing::internal::CaptureStderr();
    const int status = runProgram(int(args.size()), args.data());
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

std::string slurp(const fs::path& p) {
    std::ostringstream s;
    s << std::ifstream(p, std::ios::binary).rdbuf();
    return s.str();
}

void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

TEST(Recording, EveryGoldenGameReplaysToTheLastCheckpointWhateverThePlayerDoes) {
    std::vector<fs::path> games;
    for (const auto& e : fs::directory_iterator("tests/golden")) games.push_back(e.path());
    ASSERT_GE(games.size(), 5u);
    for (const fs::path& game : games) {
        for (const char* mode : {"--replay", "--timedemo"}) {
            harness::resetGame();
            // The window stays the player's; clicks and keys go nowhere.
            harness::push(PlatformEventType::Resize, 800, 600), harness::leftClick(320, 180), harness::keyDown(VK_ESCAPE);
            harness::push(PlatformEventType::ToggleFullscreen);
            const Outcome r = run({mode, game.c_str()});
            EXPECT_EQ(r.status, 0) << game << " " << mode << ": " << r.err;
            std::istringstream lines(slurp(game));
            int checks = 0;
            for (std::string line; std::getline(lines, line);) checks += line.find(" check ") != std::string::npos;
            const std::string matched = std::to_string(checks) + " of " + std::to_string(checks) + " checkpoints matched";
            EXPECT_NE(r.out.find(matched), std::string::npos) << r.out;
            EXPECT_TRUE(gRender.viewportWidth == 800 && scripted::fullscreen()) << game;
            EXPECT_EQ(scripted::sleptMs() == 0 && scriptedAudio::calls() == 0, mode[2] == 't') << "a timedemo never waits, and is silent: " << game;
        }
    }
}

// A player's game, recorded here: the intro skipped, New Game, a turned wall, Escape, Resume, a
// close; then replayed as it was, and changed. (A killed game's file: see the cut test.)
TEST(Recording, AGameRecordedHereReplaysAndAChangeIsCaughtAtTheNextCheckpoint) {
    harness::resetGame();
    ScratchDir dir;
    const fs::path file = dir.path / "game.fwrec", changed = dir.path / "changed.fwrec";
    int swaps = 0;
    scripted::setSwapHook([&] {
        switch (++swaps) {
            case 2: harness::keyDown(VK_ESCAPE), harness::keyUp(VK_ESCAPE); break;
            case 5: harness::leftClick(harness::MENU_X, harness::NEW_GAME_Y); break;
            case 80: harness::push(PlatformEventType::MouseMove, 300, 300), harness::rightClick(300, 300), harness::leftClick(300, 300); break;
            case 120: harness::keyDown(VK_ESCAPE), harness::keyUp(VK_ESCAPE); break;
            case 130: harness::leftClick(harness::MENU_X, harness::RESUME_Y); break;
            case 200: harness::push(PlatformEventType::Close); break;
        }
    });
    EXPECT_EQ(run({"--record", file.c_str()}).status, 1) << "the game's own status";
    scripted::setSwapHook(nullptr);
    const std::string text = slurp(file);
    EXPECT_EQ(text.find("fendwall-recording 3\ngame " FENDWALL_VERSION "\ndate 2023-11-14T22:13:20Z\n0 seconds 1700000000\n"
                        "1 key-down 27\n2 key-up 27\n"), 0u) << text;
    for (const char* line : {"\n79 move 300 300\n80 right 300 300\n81 left 300 300\n", "\n31 check ", "\n63 check ", " quit\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    const size_t end = text.rfind(" end\n");
    ASSERT_TRUE(end != std::string::npos && end + 5 == text.size()) << "the end comes last";
    const std::string last = text.substr(text.rfind('\n', end) + 1, end - text.rfind('\n', end) - 1);
    EXPECT_NE(text.find("\n" + last + " check "), std::string::npos) << "the last frame has its checkpoint";

    const std::string other = std::string(text).replace(text.find(FENDWALL_VERSION), 5, "0.0.1");
    const struct { std::string recording; int status; const char* said; } replays[] = {{text, 0, ""}, {other, 0, "recorded by Fendwall 0.0.1"},
        {std::string(text).replace(text.find("81 left 300 300"), 15, "81 left 300 316"), 3, "by frame 95 "},  // another cell
        {std::string(text).replace(text.find("1700000000"), 10, "1700000001"), 3, "by frame 31 "},        // another second
        {std::string(text).replace(text.find(" quit\n") - 3, 3, std::to_string(std::stoi(text.substr(text.find(" quit\n") - 3, 3)) - 1)), 3,
         "by frame "}};  // an earlier end: the checks after it never come
    for (const auto& [recording, status, said] : replays) {
        harness::resetGame();
        write(changed, recording);
        const Outcome r = run({"--replay", changed.c_str()});
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), *said ? 1 : 0) << r.err;
        EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
    }
    harness::resetGame();
    harness::push(PlatformEventType::Close);  // the window closed ends a replay early
    EXPECT_EQ(run({"--replay", file.c_str()}).status, 1);
}

// A full disk, a kill or a power loss ends a recording at any byte. What is left replays to
// its last complete checkpoint with one warning, and is refused only when no checkpoint is
// complete. Every cut of every golden game is read; every cut of the smallest is also played,
// as a timedemo, whose two lines count the same frames.
TEST(Recording, CutAtAnyByteItReplaysToItsLastCompleteCheckpoint) {
    ScratchDir dir;
    for (const auto& e : fs::directory_iterator("tests/golden")) {
        const std::string text = slurp(e.path());
        const bool play = e.path().filename() == "closed-in-flight.fwrec";
        size_t complete = 0;  // checkpoints in the whole lines before the cut, the last at frame lastCheck
        u32 lastCheck = 0;
        for (size_t cut = 1; cut < text.size(); ++cut) {
            if (text[cut - 1] == '\n' && cut >= 2) {
                const size_t start = text.rfind('\n', cut - 2) + 1;  // npos + 1: the first line
                if (text.compare(text.find(' ', start), 7, " check ") == 0) ++complete, lastCheck = u32(std::stoul(text.substr(start)));
            }
            RecordedGame rec;
            std::string error;
            const bool ok = parseRecording(text.data(), cut, &rec, &error);
            ASSERT_EQ(ok, complete > 0) << e.path() << " cut at " << cut << ": " << error;
            ASSERT_TRUE(!ok || (rec.checkpoints.size() == complete && rec.lastFrame == lastCheck && !rec.ended &&
                                (rec.cutAtLine != 0) == (text[cut - 1] != '\n'))) << e.path() << " cut at " << cut;
            if (!play) continue;
            harness::resetGame();
            write(dir.path / "cut", text.substr(0, cut));
            const Outcome r = run({"--timedemo", (dir.path / "cut").c_str()});
            ASSERT_EQ(r.status, ok ? 0 : 2) << cut << ": " << r.err;
            const char* warning = !ok ? "fendwall: " : rec.cutAtLine ? "is cut off in line " : "ends without the game's end";
            EXPECT_TRUE(std::count(r.err.begin(), r.err.end(), '\n') == 1 && r.err.find(warning) != std::string::npos) << cut << ": " << r.err;
            const std::string matched = std::to_string(complete) + " of " + std::to_string(complete) + " checkpoints matched\n";
            unsigned frames = 0, timed = 0;
            EXPECT_TRUE(!ok || (r.out.find(matched) != std::string::npos && std::sscanf(r.out.c_str(), "timedemo: %u frames", &frames) == 1 &&
                                std::sscanf(r.out.c_str() + r.out.find('\n') + 1, "timedemo: %u frames in", &timed) == 1 && frames == timed)) << cut << ": " << r.out;
        }
    }
}

// Whatever the file holds, the game says what is wrong in one line and ends with 2, no window opened.
TEST(Recording, DamagedRecordingsAreRefusedWithOneLineBeforeAnyWindow) {
    ScratchDir dir;
    const std::string head = "fendwall-recording 1\ngame 0.9.3\ndate 2026-12-07T10:00:00Z\n", check = "31 check 0123456789abcdef\n";
    const std::string head2 = "fendwall-recording 2" + head.substr(20);
    const std::pair<std::string, const char*> cases[] = {
        {"", "not a Fendwall recording"}, {"RIFF\0\0\0WAVEfmt ", "not a Fendwall recording"},
        {"fendwall-recording 4\ngame 9\ndate x\n", "newer than this Fendwall reads"}, {"fendwall-recording 1\n", "cut off in its header"},
        {head + "0 wheel 3 4\n" + check, "unknown entry 'wheel'"}, {head + "99999999999 quit\n", "damaged frame"},
        {head + "10000001 quit\n", "beyond any game"}, {head + check + "30 quit\n", "frame 30 after frame 31"},
        {head + "3 key-down 300\n" + check, "damaged key"}, {head + "3 left 640 10\n" + check, "outside the screen"},
        {head + "3 quit\n3 move 1 1\n" + check, "a second message in one frame"}, {head + check + "31 end\n32 quit\n", "after the end"},
        {head + "3 quit\n", "no checkpoint"}, {head + "3 act left\n" + check, "unknown entry 'act'"},
        {head2 + "3 act\n" + check, "damaged act"}, {head2 + "3 act right left\n" + check, "damaged act"},
        {head2 + "3 act point 1 480\n" + check, "outside the screen"}, {head2 + "3 act point 1\n" + check, "outside the screen"},
        {head2 + "3 act menu-down menu-up\n" + check, "damaged act"}, {head2 + "3 act pause\n" + check, "damaged act"}, {head2 + "3 act left\n3 act right\n" + check, "a second act in one frame"}, {head + "3 quit\n31 check 0123", "cut off before its first checkpoint"}, {head + std::string(5000, '7'), "too long"}};
    for (const auto& [bytes, reason] : cases) {
        harness::resetGame();
        write(dir.path / "bad", bytes);
        const Outcome r = run({"--replay", (dir.path / "bad").c_str()});
        EXPECT_TRUE(r.status == 2 && r.err.find(reason) != std::string::npos) << reason << ": " << r.err;
        EXPECT_TRUE(std::count(r.err.begin(), r.err.end(), '\n') == 1 && scripted::swaps() == 0 && !scripted::windowOpen()) << r.err;
    }
    fs::resize_file(dir.path / "bad", 33u << 20);  // sparse: refused by its size before it is read
    EXPECT_NE(run({"--timedemo", (dir.path / "bad").c_str()}).err.find("larger than any recording"), std::string::npos);
    harness::resetGame();
    scripted::failVideoInit(true);  // a good recording with no display to show it: 2, not "it went its own way"
    const Outcome noWindow = run({"--replay", "tests/golden/two-levels.fwrec"});
    EXPECT_TRUE(noWindow.status == 2 && noWindow.err.find("own way") == std::string::npos) << noWindow.err;
    // Paths that name no file: one line that says why, nothing waited on, nothing changed.
    const fs::path fifo = dir.path / "fifo", missing = dir.path / "missing";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct { const char* option; fs::path path; const char* why; } odd[] = {
        {"--timedemo", fifo, ": cannot be read: a FIFO"}, {"--replay", dir.path, ": cannot be read: a folder"},
        {"--replay", "/dev/zero", ": cannot be read: a device"}, {"--replay", missing, ": cannot be read: No such file or directory"},
        {"--record", fifo, ": a FIFO"}, {"--record", dir.path, ": a folder"}, {"--record", "/dev/full", ": a device"},
        {"--record", missing / "game", ": No such file or directory"}};
    for (const auto& [option, path, why] : odd) {
        harness::resetGame();
        const Outcome r = run({option, path.c_str()});
        EXPECT_TRUE(r.status == 2 && r.err.find(path.string() + why) != std::string::npos && std::count(r.err.begin(), r.err.end(), '\n') == 1 &&
                    !scripted::windowOpen()) << option << " " << path << ": " << r.err;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// A full disk (here the file size limit). A recording that cannot start is refused before any
// window. One that fills in play is said once, the game goes on, and what was written
// replays to its last complete checkpoint; an older, longer file there leaves nothing behind.
TEST(Recording, AFullDiskRefusesARecordingAtItsStartAndInPlayTheGameGoesOn) {
    ScratchDir dir;
    const fs::path file = dir.path / "full.fwrec";
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the program
    rlimit was{};
    getrlimit(RLIMIT_FSIZE, &was);
    for (const rlim_t limit : {40, 1000}) {  // the header is 58 bytes
        harness::resetGame();
        fs::remove(file);  // a refused recording leaves no file of its own, an older one is replaced
        if (limit > 100) write(file, std::string(5000, '#'));
        int swaps = 0;
        scripted::setSwapHook([&] { const int n = ++swaps; harness::push(n == 300 ? PlatformEventType::Close : PlatformEventType::MouseMove, n % 600, 100); });
        const rlimit small{limit, was.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        // The limit also cuts what the test captures of stderr to its first 40 bytes.
        const Outcome played = run({"--record", file.c_str()});
        setrlimit(RLIMIT_FSIZE, &was);
        const std::string said = "fendwall: cannot write the recording " + file.string() + ": File too large";
        EXPECT_EQ(played.err.substr(0, limit), (said + (limit < 100 ? "\n" : "; the game goes on unrecorded\n")).substr(0, limit));
        EXPECT_EQ(played.status, limit < 100 ? 2 : 1);
        EXPECT_TRUE(limit < 100 ? swaps == 0 && !fs::exists(file) : swaps >= 300) << "no window, or the game played on: " << swaps;
        scripted::setSwapHook(nullptr);
    }
    EXPECT_EQ(fs::file_size(file), 1000u);
    harness::resetGame();
    const Outcome replayed = run({"--replay", file.c_str()});
    EXPECT_TRUE(replayed.status == 0 && replayed.err.find(" is cut off in line ") != std::string::npos) << replayed.err;
}

}  // namespace
