// intro_test.cpp: how the start-up intro ends early. (test_play.sh sees it run its course.)
#include "app/window.h"
#include "core/input.h"
#include "render/frame.h"
#include "gl/scene_fixture.h"

namespace {

const Rgb STRIPE{255, 0, 0}, BLACK{0, 0, 0};

class IntroGl : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        for (GLuint id : {12, 13, 14}) makeTexture(id, 1, 1, {STRIPE});
        gTextures.stripe.textureId = 12;
        gTextures.stripe2.textureId = 13;
        gTextures.logo.textureId = 14;
    }
};

TEST_F(IntroGl, EscapeEndsItAfterThisPictureAndAMissingPictureAtOnce) {
    gInput.keys[VK_ESCAPE] = 1;
    auto px = render();
    EXPECT_EQ(gRender.introActive, 0);
    EXPECT_EQ(at(px, 319, 250), STRIPE) << "the current picture is still drawn";
    gRender.introActive = 1;
    gInput.keys[VK_ESCAPE] = 0;
    gTextures.logo.textureId = 0;
    px = render();
    EXPECT_EQ(gRender.introActive, 0) << "without its pictures the intro would never end";
    EXPECT_EQ(at(px, 319, 250), BLACK);
}

}  // namespace
