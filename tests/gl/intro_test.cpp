// intro_test.cpp: how the start-up intro ends early. (test_play.sh sees it run its course.)
#include "app/window.h"
#include "gl/scene_fixture.h"

namespace {

const Rgb STRIPE{255, 0, 0}, BLACK{0, 0, 0};

class IntroGl : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        for (GLuint id : {12, 13, 14}) makeTexture(id, 1, 1, {STRIPE});
        gStripeTexture.textureId = 12;
        gStripe2Texture.textureId = 13;
        gLogoTexture.textureId = 14;
    }
};

TEST_F(IntroGl, EscapeEndsItAfterThisPictureAndAMissingPictureAtOnce) {
    gInput.keys[VK_ESCAPE] = 1;
    auto px = render();
    EXPECT_EQ(introActive, 0);
    EXPECT_EQ(at(px, 319, 250), STRIPE) << "the current picture is still drawn";
    introActive = 1;
    gInput.keys[VK_ESCAPE] = 0;
    gLogoTexture.textureId = 0;
    px = render();
    EXPECT_EQ(introActive, 0) << "without its pictures the intro would never end";
    EXPECT_EQ(at(px, 319, 250), BLACK);
}

}  // namespace
