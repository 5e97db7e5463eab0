// intro_test.cpp: the start-up intro: where the stripes meet, how long it runs, and how it
// ends early.
#include <GL/gl.h>

#include "app/window.h"
#include "gl/scene_fixture.h"

namespace {

const Rgb STRIPE_BOTTOM{255, 0, 0};
const Rgb STRIPE_TOP{128, 0, 0};
const Rgb STRIPE2{0, 0, 255};
const Rgb LOGO{255, 255, 255};
const Rgb BLACK{0, 0, 0};

class IntroGl : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        makeTexture(12, 1, 2, {STRIPE_BOTTOM, STRIPE_TOP});
        makeTexture(13, 1, 1, {STRIPE2});
        makeTexture(14, 1, 1, {LOGO});
        gStripeTexture.textureId = 12;
        gStripe2Texture.textureId = 13;
        gLogoTexture.textureId = 14;
    }
};

TEST_F(IntroGl, FirstPictureStripesMeetAtTheCentreUpright) {
    const auto px = render();
    EXPECT_EQ(at(px, 319, 250), STRIPE_BOTTOM) << "first stripe up to x = 320";
    EXPECT_EQ(at(px, 319, 230), STRIPE_TOP) << "the picture's top row at the band's top";
    EXPECT_EQ(at(px, 0, 250), STRIPE_BOTTOM);
    EXPECT_EQ(at(px, 320, 250), STRIPE2) << "second stripe from x = 320";
    EXPECT_EQ(at(px, 639, 221), STRIPE2);
    EXPECT_EQ(at(px, 319, 219), BLACK) << "band from y = 220";
    EXPECT_EQ(at(px, 320, 260), BLACK) << "to y = 260";
    EXPECT_EQ(introSlide, 390);
    EXPECT_EQ(introFade, 130);
    EXPECT_EQ(introActive, 1);
}

TEST_F(IntroGl, RunsFor170PicturesAndLeavesTheLogoDim) {
    int pictures = 0;
    std::vector<unsigned char> px;
    while (introActive == 1 && pictures < 1000) {
        px = render();
        ++pictures;
        if (pictures == 40) {
            EXPECT_EQ(at(px, 5, 240), STRIPE2) << "by now the second stripe covers the width";
            EXPECT_EQ(introSlide, 0);
        }
        if (pictures == 100) {
            // Half-way through the fade the logo shows through the stripes.
            const Rgb onLogo = at(px, 320, 240);
            const Rgb besideLogo = at(px, 100, 240);
            for (int i = 0; i < 3; ++i) EXPECT_GT(onLogo[i], besideLogo[i] + 40) << "channel " << i;
        }
    }
    EXPECT_EQ(pictures, 170);
    EXPECT_EQ(introFade, 0);
    // The last picture: stripes gone, the logo at 31 %.
    EXPECT_TRUE(near(at(px, 320, 240), {79, 79, 79})) << "logo at " << at(px, 320, 240)[0];
    EXPECT_EQ(at(px, 100, 240), BLACK);
    EXPECT_TRUE(near(at(px, 224, 239), {79, 79, 79})) << "logo from x = 224";
    EXPECT_EQ(at(px, 415, 239), BLACK) << "to x = 415";

    // The next picture is a game picture: the intro never comes back.
    drawFrame();
    EXPECT_EQ(introActive, 0);
    EXPECT_EQ(introFade, 0);
}

TEST_F(IntroGl, EscapeEndsItAfterThisPictureAndAMissingPictureAtOnce) {
    gInput.keys[VK_ESCAPE] = 1;
    auto px = render();
    EXPECT_EQ(introActive, 0);
    EXPECT_EQ(at(px, 319, 250), STRIPE_BOTTOM) << "the current picture is still drawn";

    introActive = 1;
    introSlide = 400;
    gInput.keys[VK_ESCAPE] = 0;
    gLogoTexture.textureId = 0;
    px = render();
    EXPECT_EQ(introActive, 0) << "without its pictures the intro would never end";
    EXPECT_EQ(introSlide, 400);
    EXPECT_EQ(at(px, 319, 250), BLACK);
}

}  // namespace
