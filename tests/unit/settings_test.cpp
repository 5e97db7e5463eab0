// settings_test.cpp: the window remembered between runs: whole runs that leave the file, find it,
// override it, and meet a damaged file, a huge one, a size out of bounds or a folder not to be written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_loop.h"
#include "app/settings.h"
#include "support/harness.h"

namespace {

// One run of the game with these window messages, then closed; returns what it said on stderr.
std::string run(std::initializer_list<PlatformEvent> events, WindowChoice choice = WindowChoice::Remembered) {
    harness::resetGame();
    for (const PlatformEvent& e : events) scripted::pushEvent(e);
    scripted::pushEvent({PlatformEventType::Close, 0, 0, 0});
    testing::internal::CaptureStderr();
    EXPECT_EQ(runGame({choice}), 1);
    return testing::internal::GetCapturedStderr();
}

std::string file(const std::filesystem::path& name) { return (std::ostringstream() << std::ifstream(name).rdbuf()).str(); }
bool windowAt(i32 width, i32 height) { i32 w = 0, h = 0; return platformWindowSize(&w, &h), !scripted::fullscreen() && w == width && h == height; }

TEST(Settings, TheWindowIsLeftAsTheNextRunFindsItTheCommandLineChoosesForOneRunAnythingOddGivesTheDefaults) {
    const std::string privateHome = std::getenv("XDG_CONFIG_HOME"), home = std::getenv("HOME");
    ScratchDir config;
    const std::string path = (config.path / "fendwall" / "settings").string();
    const auto settings = [](bool fullscreen, i32 width, i32 height) { Settings s; s.window = {fullscreen, width, height, false}; return formatSettings(s); };
    const PlatformEvent toggle{PlatformEventType::ToggleFullscreen, 0, 0, 0};
    setenv("XDG_CONFIG_HOME", config.path.c_str(), 1);
    EXPECT_EQ(run({{PlatformEventType::Resize, 0, 800, 600}, toggle, {PlatformEventType::Resize, 0, 1920, 1080}}), "") << "a first start";
    EXPECT_TRUE(scripted::fullscreen() && file(path) == settings(true, 800, 600)) << "the display's size is not the window's";
    run({}, WindowChoice::Window);
    EXPECT_TRUE(windowAt(800, 600) && file(path) == settings(true, 800, 600)) << "for one run";
    run({toggle}, WindowChoice::Fullscreen);  // but the player's own switch is remembered
    EXPECT_TRUE(!scripted::fullscreen() && file(path) == settings(false, 800, 600));
    run({{PlatformEventType::Resize, 0, 200, 100}});
    EXPECT_EQ(file(path), settings(false, 640, 480)) << "too small to play in";
    // A file, the line it is damaged at (0: none, -1: too large to read) and the window opened.
    const struct { std::string text; int bad; bool fullscreen; i32 width, height; } files[] = {
        {"fullscreen yes\nwindow 1024x600", 0, true, 0, 0}, {"#\n\nwindow 320x240\n", 0, false, 320, 240}, {"window 319x240", 1, false, 640, 480},
        {"window 320x239", 1, false, 640, 480}, {"music-volume 101", 1, false, 640, 480}, {"window 1600x16384", 0, false, 640, 480}, {"window 16385x600", 1, false, 640, 480},
        {"fullscreen yes\r\n", 1, false, 640, 480}, {"fullscreen yes\nwindow 800x600\nwindow 800x600", 3, false, 640, 480},
        {std::string(5000, '#'), -1, false, 640, 480}};
    for (const auto& f : files) {
        std::ofstream(path) << f.text;
        EXPECT_EQ(run({}), f.bad == 0    ? ""
                           : f.bad > 0 ? "fendwall: settings file " + path + " is damaged at line " + std::to_string(f.bad) + "; starting with the defaults, the file left as it is\n"
                                       : "fendwall: cannot read the settings file " + path + " (larger than any the game writes); starting with the defaults, the file left as it is\n");
        EXPECT_TRUE(f.fullscreen ? scripted::fullscreen() : windowAt(f.width, f.height)) << f.text;
        EXPECT_TRUE(!f.fullscreen || file(path) == settings(true, 1024, 600)) << "the last line without its end";
        EXPECT_TRUE(f.bad == 0 || file(path) == f.text) << "a file not understood is the player's to mend: " << f.text;
    }
    setenv("XDG_CONFIG_HOME", path.c_str(), 1);  // a file, not a folder: the game plays on
    EXPECT_EQ(run({}), "fendwall: cannot write the settings in " + path + "/fendwall (Not a directory): the window is not remembered\n");
    setenv("HOME", config.path.c_str(), 1);
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: HOME's .config instead
    EXPECT_TRUE(run({toggle}).empty() && file(config.path / ".config/fendwall/settings") == settings(true, 640, 480));
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_EQ(run({}), "fendwall: neither XDG_CONFIG_HOME nor HOME is set: the window is not remembered\n");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", privateHome.c_str(), 1);
}

// The player's choices about the file stand: made read-only, it is used and left as it is;
// its permissions and a link to it outlive a rewrite; a FIFO is never waited on.
TEST(Settings, AReadOnlyFileItsModeALinkAndAFifoAreThePlayersChoices) {
    const std::string privateHome = std::getenv("XDG_CONFIG_HOME");
    ScratchDir config;
    setenv("XDG_CONFIG_HOME", config.path.c_str(), 1);
    const std::filesystem::path path = config.path / "fendwall" / "settings", kept = config.path / "kept";
    const auto mode = [](const std::filesystem::path& p) { struct stat s {}; return stat(p.c_str(), &s) == 0 ? s.st_mode & 07777 : 0u; };
    const PlatformEvent toggle{PlatformEventType::ToggleFullscreen, 0, 0, 0};
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(kept) << "window 800x600\n";
    chmod(kept.c_str(), 0444);  // judged by its mode: root could write it all the same
    std::filesystem::create_symlink(kept, path);
    EXPECT_EQ(run({}), "fendwall: the settings file " + path.string() + " is read-only: left as it is, this run not remembered\n");
    EXPECT_TRUE(file(kept) == "window 800x600\n" && mode(kept) == 0444 && windowAt(800, 600));
    chmod(kept.c_str(), 0640);
    EXPECT_EQ(run({toggle}), "");
    EXPECT_TRUE(std::filesystem::is_symlink(path) && file(kept) == formatSettings({{true, 800, 600, false}, Bindings{}, SoundSettings{}, false}) && mode(kept) == 0640);
    std::filesystem::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(run({toggle}), "fendwall: cannot read the settings file " + path.string() +
                                 " (a FIFO (named pipe), not a file); starting with the defaults, the file left as it is\n");
    EXPECT_TRUE(std::filesystem::is_fifo(path));
    setenv("XDG_CONFIG_HOME", privateHome.c_str(), 1);
}

}  // namespace
