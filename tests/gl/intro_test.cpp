// intro_test.cpp: how long the start-up intro runs, and how it ends early.
#include "app/controls.h"
#include "app/phases.h"
#include "gl/gl_context.h"
#include "media/textures.h"

namespace {

const Rgb BLACK{0, 0, 0};

class IntroGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        // Half-transparent red stripes, as ours are in places, over a green logo.
        const unsigned char halfRed[4] = {255, 0, 0, 128};
        for (GLuint id : {12, 13}) {
            glBindTexture(GL_TEXTURE_2D, id);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, halfRed);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        }
        makeTexture(14, 1, 1, {{0, 255, 0}});
        GLuint id = 12;
        for (TgaTexture* t : {&gTextures.stripe, &gTextures.stripe2, &gTextures.logo}) t->textureId = id++, t->data.reset(static_cast<u8*>(std::malloc(4)));
    }
};

TEST_F(IntroGl, StripesMeetThenFadeOverTheLogoForFiveSecondsOrUntilEscape) {
    int pictures = 0, logoWhileSliding = 0;
    Pixels first, last;
    while (gFlow.intro.active && pictures < 1000) {
        composePicture(stepInputOf(gInput));
        last = render();
        if (pictures++ == 0) first = last;
        if (pictures <= 40) logoWhileSliding += at(last, 319, 240)[1];
    }
    EXPECT_EQ(pictures, 40 + 130) << "40 pictures of sliding, 130 of fading";
    EXPECT_EQ(at(first, 100, 100), BLACK);
    EXPECT_GT(at(first, 319, 240)[0], 100) << "the stripes cover the middle band from the start";
    EXPECT_EQ(logoWhileSliding, 0) << "the logo comes when the stripes have met";
    EXPECT_TRUE(at(last, 319, 240)[0] == 0 && at(last, 319, 240)[1] > 40) << "the logo shows at last";
    EXPECT_EQ(at(last, 319, 255), BLACK) << "the stripes are gone";

    // From the start again: Escape ends it after this picture, a missing picture at once.
    gFlow.intro = Intro{};
    gInput.keys[VK_ESCAPE] = true;
    composePicture(stepInputOf(gInput));
    auto px = render();
    EXPECT_TRUE(!gFlow.intro.active && at(px, 319, 250)[0] > 100) << "ended, the current picture still drawn";
    gFlow.intro.active = true, gInput.keys[VK_ESCAPE] = false;
    gTextures.logo.data.reset();
    composePicture(stepInputOf(gInput));
    px = render();
    EXPECT_TRUE(!gFlow.intro.active && at(px, 319, 250) == BLACK) << "without its pictures it would never end";
}

}  // namespace
