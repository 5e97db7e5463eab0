// menu_render_test.cpp: the main menu drawn by the real frame: each button shows its own
// picture at its rectangle, and the resume band shows the window background until offered.
#include "gl/scene_fixture.h"
#include "ui/menu.h"
#include "ui/window_manager.h"

namespace {

class MenuRender : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        makeTexture(TEX_MENU, 1, 1, {kBackground});
        makeTexture(TEX_MENU_NEW, 1, 1, {kNew});
        makeTexture(TEX_MENU_RESUME, 1, 1, {kResume});
        makeTexture(TEX_MENU_EXIT, 1, 1, {kExit});
        introActive = 0;
        gSession.state = GameState::Menu;
        gInput.mouseX = 10;  // the cursor mark well away from the menu
        gInput.mouseY = 470;
        gWindowManager.init();
    }
    std::vector<unsigned char> drawMenu(bool resume) {
        gMainMenu.resumeAllowed = resume ? 1 : 0;
        gMainMenu.open();
        drawFrame();
        auto px = grab();
        gWindowManager.deleteWindow(gMainMenu.windowIndex);
        return px;
    }
    static constexpr Rgb kBackground{90, 90, 90};
    static constexpr Rgb kNew{200, 0, 0};
    static constexpr Rgb kResume{200, 200, 0};
    static constexpr Rgb kExit{0, 0, 200};
};

TEST_F(MenuRender, EachButtonShowsItsPictureAtItsRectangle) {
    const auto two = drawMenu(false);
    EXPECT_TRUE(near(at(two, 320, 179), kNew));
    EXPECT_TRUE(near(at(two, 246, 141), kNew)) << "top left corner of new game";
    EXPECT_TRUE(near(at(two, 320, 254), kBackground)) << "no resume: the window shows";
    EXPECT_TRUE(near(at(two, 320, 315), kExit));
    EXPECT_TRUE(near(at(two, 320, 340), kExit)) << "exit reaches one row below the window";
    EXPECT_FALSE(near(at(two, 320, 342), kExit));
    EXPECT_FALSE(near(at(two, 243, 179), kNew)) << "nothing left of the window";

    const auto three = drawMenu(true);
    EXPECT_TRUE(near(at(three, 320, 254), kResume));
    EXPECT_TRUE(near(at(three, 320, 179), kNew));
    EXPECT_TRUE(near(at(three, 320, 315), kExit));
}

}  // namespace
