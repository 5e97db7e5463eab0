// ui_test.cpp: the window toolkit's slots, overflow messages and hit test, the button
// queue, and the main menu through the real main loop.
#include <gtest/gtest.h>

#include <string>

#include "app/window.h"
#include "game/session.h"
#include "render/message_log.h"
#include "support/harness.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness::resetGame();
        gWindowManager.init();
    }
    static std::string lastLog() { return gMessageLog.lines[MESSAGE_LOG_LINES - 1]; }
    static void clickAt(int x, int y) {
        gInput.mouseX = x;
        gInput.mouseY = y;
        gInput.leftClicked = 1;
        gWindowManager.update();
        gInput.leftClicked = 0;
    }
    static bool queueEmpty() {
        for (const auto& e : gButtonQueue.entries) {
            if (e[0] != '\0') return false;
        }
        return true;
    }
};

TEST_F(UiTest, WindowSlotsFillFromOneAndAreReused) {
    for (int i = 1; i < WINDOW_SLOTS; ++i) EXPECT_EQ(gWindowManager.createWindow(0, 0, 0, 0, 10, 10, ""), i);
    EXPECT_EQ(gWindowManager.createWindow(0, 0, 0, 0, 10, 10, ""), 0);
    EXPECT_EQ(lastLog(), "FEHLER: Zuviele Fenster offen");
    gWindowManager.deleteWindow(1);
    EXPECT_EQ(gWindowManager.windows[1].isOpen, 0);
    EXPECT_EQ(gWindowManager.windows[1].buttonCapacity, 0);
    EXPECT_EQ(gWindowManager.createWindow(0, 0, 0, 0, 10, 10, ""), 1);

    gMessageLog = MessageLog{};
    gWindowManager.deleteWindow(5);
    EXPECT_EQ(lastLog(), "") << "an open window goes quietly";
    gWindowManager.deleteWindow(5);
    EXPECT_EQ(lastLog(), "ERROR: Fenster war nicht vorhanden, nichts zu loeschen!");
    gWindowManager.deleteWindow(0);
    EXPECT_EQ(std::string(gMessageLog.lines[MESSAGE_LOG_LINES - 2]),
              "ERROR: Fenster war nicht vorhanden, nichts zu loeschen!");
    gWindowManager.deleteWindow(99);  // outside the table: the same message, no crash
    gWindowManager.deleteWindow(-1);
    EXPECT_EQ(std::string(gMessageLog.lines[MESSAGE_LOG_LINES - 3]),
              "ERROR: Fenster war nicht vorhanden, nichts zu loeschen!");
}

TEST_F(UiTest, ButtonAndFieldOverflowsAreLoggedAndLongTextsCut) {
    const int slot = gWindowManager.createWindow(1, 3, 0, 0, 100, 100, std::string(300, 't').c_str());
    UiWindow& w = gWindowManager.windows[slot];
    EXPECT_EQ(std::string(w.title).size(), 127u);
    EXPECT_EQ(w.addButton(0, 0, 1, 1, "", "a"), 0);
    EXPECT_EQ(w.addButton(0, 0, 1, 1, "", "b"), 1);
    EXPECT_EQ(w.addButton(0, 0, 1, 1, std::string(200, 'c').c_str(), std::string(200, 'n').c_str()), 2);
    EXPECT_EQ(std::string(w.buttons[2].name).size(), 127u);
    EXPECT_EQ(std::string(w.buttons[2].caption).size(), 127u);
    EXPECT_EQ(w.addButton(0, 0, 1, 1, "", "d"), 0);
    EXPECT_EQ(lastLog(), "FEHLER: Zuviele Buttons im Fenster (zu wenige für das Fenster angegeben?)");
    EXPECT_EQ(w.addNumberField(1, 2, -42), 0);
    EXPECT_STREQ(w.textFields[0].text, "-42");
    EXPECT_EQ(w.addTextField(0, 0, "x"), 0);
    EXPECT_EQ(lastLog(), "FEHLER: Zuviele Textfelder im Fenster (zu wenige für das Fenster angegeben?)");
    EXPECT_EQ(w.addNumberField(0, 0, 1), 0);
    EXPECT_EQ(lastLog(),
              "FEHLER: Zuviele Textfelder (auch Zahlen!) im Fenster (zu wenige für das Fenster angegeben?)");
    // The record of a slot that was never opened has no room at all.
    EXPECT_EQ(gWindowManager.windows[0].addButton(0, 0, 1, 1, "", "z"), 0);
    EXPECT_EQ(lastLog(), "FEHLER: Zuviele Buttons im Fenster (zu wenige für das Fenster angegeben?)");
}

TEST_F(UiTest, HitTestIsStrictAndTheLowestSlotWins) {
    gMainMenu.resumeAllowed = 1;
    gMainMenu.open();
    clickAt(300, 289);
    EXPECT_TRUE(queueEmpty()) << "the row between resume and exit";
    clickAt(300, 290);
    EXPECT_TRUE(gButtonQueue.take(BUTTON_EXIT));
    clickAt(300, 250);
    EXPECT_TRUE(gButtonQueue.take(BUTTON_RESUME));
    clickAt(245, 180);
    clickAt(395, 180);
    clickAt(300, 140);
    clickAt(300, 218);
    clickAt(300, 219);
    EXPECT_TRUE(queueEmpty()) << "edges are outside";
    clickAt(246, 141);
    EXPECT_TRUE(gButtonQueue.take(BUTTON_NEW_GAME));
    clickAt(300, 340);
    EXPECT_TRUE(gButtonQueue.take(BUTTON_EXIT)) << "the exit picture reaches one row below the window";
    // No click, no push, wherever the mouse is.
    gInput.mouseX = 300;
    gInput.mouseY = 180;
    gWindowManager.update();
    EXPECT_TRUE(queueEmpty());

    // Two overlapping buttons: the lower slot takes the click, the other is not reached.
    const int slot = gWindowManager.createWindow(0, 2, 0, 0, 100, 100, "");
    gWindowManager.windows[slot].addButton(0, 0, 50, 50, "", "under");
    gWindowManager.windows[slot].addButton(10, 10, 50, 50, "", "over");
    gWindowManager.windows[slot].buttons[1].pressed = 1;
    gWindowManager.deleteWindow(gMainMenu.windowIndex);
    clickAt(20, 20);
    EXPECT_TRUE(gButtonQueue.take("under"));
    EXPECT_FALSE(gButtonQueue.contains("over"));
    EXPECT_EQ(gWindowManager.windows[slot].buttons[0].pressed, 1);
    EXPECT_EQ(gWindowManager.windows[slot].buttons[1].pressed, 1) << "not reached: kept";
    clickAt(90, 90);
    EXPECT_EQ(gWindowManager.windows[slot].buttons[0].pressed, 0);
    EXPECT_EQ(gWindowManager.windows[slot].buttons[1].pressed, 0);
}

TEST_F(UiTest, QueueKeepsTheSixteenNewestAndTakesTheOldestCopyFirst) {
    EXPECT_FALSE(gButtonQueue.take("A"));
    gButtonQueue.push("first");
    for (int i = 0; i < 16; ++i) gButtonQueue.push("x");
    EXPECT_FALSE(gButtonQueue.take("first"));

    gButtonQueue = ButtonEventQueue{};
    gButtonQueue.push("A");
    gButtonQueue.push("B");
    gButtonQueue.push("A");
    EXPECT_TRUE(gButtonQueue.take("A"));
    EXPECT_STREQ(gButtonQueue.entries[13], "");
    EXPECT_STREQ(gButtonQueue.entries[15], "A");
    EXPECT_TRUE(gButtonQueue.take("A"));
    EXPECT_FALSE(gButtonQueue.take("A"));
    EXPECT_TRUE(gButtonQueue.contains("B"));
    // A taken entry stays empty in place and moves down with later pushes.
    gButtonQueue.push("C");
    EXPECT_STREQ(gButtonQueue.entries[12], "");
    EXPECT_STREQ(gButtonQueue.entries[13], "B");
    // Names are compared as stored, so an overlong name can still be taken.
    const std::string longName(300, 'q');
    gButtonQueue.push(longName.c_str());
    EXPECT_TRUE(gButtonQueue.take(longName.c_str()));
}

TEST_F(UiTest, MenuThroughTheMainLoop) {
    ASSERT_TRUE(harness::startGame());
    // The first menu has no resume band; the intro is still running, and the buttons react.
    const UiWindow& first = gWindowManager.windows[gMainMenu.windowIndex];
    EXPECT_EQ(gMainMenu.windowIndex, 1);
    EXPECT_EQ(first.buttons[2].inUse, 0);
    harness::leftClick(300, 250);
    harness::runPasses(5);
    EXPECT_EQ(gSession.state, GameState::Menu);

    // New game acts one pass after the click's push.
    harness::leftClick(320, 180);
    harness::runPasses(3);
    EXPECT_TRUE(gButtonQueue.contains(BUTTON_NEW_GAME));
    EXPECT_EQ(gSession.state, GameState::Menu);
    harness::runPasses(1);
    EXPECT_EQ(gSession.state, GameState::Playing);
    EXPECT_EQ(gWindowManager.windows[1].isOpen, 0);

    // Escape opens the menu with resume; a click at (300, 250) resumes the same game.
    gSession.score = 1234;
    harness::keyDown(VK_ESCAPE);
    harness::keyUp(VK_ESCAPE);
    harness::runPasses(2);
    ASSERT_EQ(gSession.state, GameState::Menu);
    EXPECT_EQ(gWindowManager.windows[gMainMenu.windowIndex].buttons[2].inUse, 1);
    harness::runPasses(2);
    harness::leftClick(300, 250);
    harness::runPasses(4);
    EXPECT_EQ(gSession.state, GameState::Playing);
    EXPECT_EQ(gSession.score, 1234);
    for (int i = 1; i < WINDOW_SLOTS; ++i) EXPECT_EQ(gWindowManager.windows[i].isOpen, 0) << i;
}

}  // namespace
