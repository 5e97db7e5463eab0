// ui_test.cpp: the menu's buttons to the pixel; the toolkit's slots, overflows and cuts.
#include <gtest/gtest.h>

#include <string>

#include "app/controls.h"
#include "support/harness.h"
#include "ui/menu.h"

namespace {

class UiTest : public ::testing::Test {
protected:
    void SetUp() override { harness::resetGame(); }
};

TEST_F(UiTest, MenuButtonsAnswerInsideTheirEdgesOnlySlotsAreReusedOverflowsGiveZeroTextsAreCut) {
    gUi.menu.resumeAllowed = true;
    gUi.menu.open(gUi.manager);
    const std::string none, newGame = BUTTON_NEW_GAME, resume = BUTTON_RESUME, exit = BUTTON_EXIT;
    const struct { int x, y; const std::string& button; } cases[] = {{245, 180, none},   {246, 180, newGame}, {394, 180, newGame}, {395, 180, none},   {320, 140, none},
                 {320, 141, newGame}, {320, 217, newGame}, {320, 218, none},   {320, 219, none},   {320, 220, resume},
                 {320, 288, resume},  {320, 289, none},    {320, 290, exit},   {320, 340, exit},   {320, 341, none}};
    for (const auto& c : cases) {
        gInput.mouseX = c.x, gInput.mouseY = c.y, gInput.leftClicked = true;
        gUi.manager.update(gUi.clicks, stepInputOf(gInput));
        std::string got;
        for (const std::string* name : {&newGame, &resume, &exit}) got += gUi.clicks.take(name->c_str()) ? *name : "";
        EXPECT_EQ(got, c.button) << c.x << "," << c.y;
    }
    gInput.leftClicked = false;  // the mouse over a button is no click
    gUi.manager.update(gUi.clicks, stepInputOf(gInput));
    EXPECT_FALSE(gUi.clicks.take(BUTTON_EXIT));

    // The toolkit's limits, for a caller that asks too much: it gets 0 and nothing overruns.
    gUi = {};
    for (int i = 1; i <= WINDOW_SLOTS; ++i) EXPECT_EQ(gUi.manager.createWindow(0, 0, 0, 0, 10, 10, ""), i % WINDOW_SLOTS);
    for (int slot : {1, 1, 0, 99, -1}) gUi.manager.deleteWindow(slot);  // twice, or outside the table: no harm
    UiWindow& w = gUi.manager.windows[gUi.manager.createWindow(1, 2, 0, 0, 100, 100, std::string(300, 't').c_str())];
    EXPECT_EQ(&w, &gUi.manager.windows[1]) << "a freed slot is used again";
    EXPECT_EQ(std::string(w.title), std::string(127, 't'));
    EXPECT_EQ(w.addNumberField(1, 2, -42), 0);
    EXPECT_STREQ(w.textFields[0].text, "-42");
    EXPECT_EQ(w.addButton(0, 0, 50, 50, "", "a") + w.addButton(0, 0, 50, 50, "", "b") + w.addButton(0, 0, 9, 9, "", "c"), 1);
    gInput.mouseX = gInput.mouseY = 10, gInput.leftClicked = true;  // one click, one button: the lower slot
    gUi.manager.update(gUi.clicks, stepInputOf(gInput));
    EXPECT_TRUE(gUi.clicks.take("a") && !gUi.clicks.take("b") && !gUi.clicks.take("c"));
    EXPECT_TRUE(gUi.manager.windows[2].isOpen && gUi.manager.windows[WINDOW_SLOTS - 1].isOpen) << "the others untouched";
}

}  // namespace
