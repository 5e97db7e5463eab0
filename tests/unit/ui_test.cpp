// ui_test.cpp: the window toolkit's slots, overflows and cuts, and the message log's.
#include <gtest/gtest.h>

#include <string>

#include "ui/menu.h"
#include "core/message_log.h"
#include "support/harness.h"
#include "ui/window_manager.h"

namespace {

class UiTest : public ::testing::Test {
protected:
    void SetUp() override { harness::resetGame(); }
    static std::string log(int fromEnd = 0) { return gMessageLog.lines[MESSAGE_LOG_LINES - 1 - fromEnd]; }
};

TEST_F(UiTest, WindowSlotsFillFromOneAndAreReusedAndBadDeletesAreLogged) {
    for (int i = 1; i <= WINDOW_SLOTS; ++i) EXPECT_EQ(gUi.manager.createWindow(0, 0, 0, 0, 10, 10, ""), i % WINDOW_SLOTS);
    EXPECT_EQ(log(), "FEHLER: Zuviele Fenster offen");
    gUi.manager.deleteWindow(1);
    EXPECT_EQ(gUi.manager.createWindow(0, 0, 0, 0, 10, 10, ""), 1) << "a freed slot is used again";

    gMessageLog = MessageLog{};
    gUi.manager.deleteWindow(5);
    EXPECT_EQ(log(), "") << "an open window goes quietly";
    for (int slot : {5, 0, 99, -1}) gUi.manager.deleteWindow(slot);  // outside the table: no crash
    for (int k = 0; k < 4; ++k) EXPECT_EQ(log(k), "ERROR: Fenster war nicht vorhanden, nichts zu loeschen!") << k;
}

TEST_F(UiTest, ButtonAndFieldOverflowsAreRefusedAndLongTextsCutTo127) {
    const int slot = gUi.manager.createWindow(1, 2, 0, 0, 100, 100, std::string(300, 't').c_str());
    UiWindow& w = gUi.manager.windows[slot];
    EXPECT_EQ(std::string(w.title).size(), 127u);
    EXPECT_EQ(w.addButton(0, 0, 1, 1, "", "a"), 0);
    EXPECT_EQ(w.addButton(0, 0, 1, 1, std::string(200, 'c').c_str(), std::string(200, 'n').c_str()), 1);
    EXPECT_EQ(std::string(w.buttons[1].name).size(), 127u);
    EXPECT_EQ(std::string(w.buttons[1].caption).size(), 127u);
    EXPECT_EQ(w.addNumberField(1, 2, -42), 0);
    EXPECT_STREQ(w.textFields[0].text, "-42");
    gMessageLog = MessageLog{};
    EXPECT_EQ(w.addButton(0, 0, 1, 1, "", "d"), 0);
    EXPECT_EQ(w.addTextField(0, 0, "x"), 0);
    EXPECT_EQ(w.addNumberField(0, 0, 1), 0);
    EXPECT_EQ(gUi.manager.windows[0].addButton(0, 0, 1, 1, "", "z"), 0) << "a slot never opened has no room";
    const std::string logged[] = {"FEHLER: Zuviele Buttons im Fenster (zu wenige für das Fenster angegeben?)",
                                  "FEHLER: Zuviele Textfelder im Fenster (zu wenige für das Fenster angegeben?)",
                                  "FEHLER: Zuviele Textfelder (auch Zahlen!) im Fenster (zu wenige für das Fenster angegeben?)",
                                  "FEHLER: Zuviele Buttons im Fenster (zu wenige für das Fenster angegeben?)"};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(log(3 - k), logged[k]);
    gMessageLog.append(std::string(300, 'm').c_str());
    EXPECT_EQ(log(), std::string(127, 'm')) << "the message log cuts too";
}

}  // namespace
