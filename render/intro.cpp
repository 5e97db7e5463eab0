// intro.cpp: the start-up intro: two stripes slide together across the middle of the
// screen, then darken and fade while the logo fades in beneath them.
#include <GL/gl.h>

#include "app/window.h"
#include "media/textures.h"
#include "render/frame.h"

u8 introActive = 1;
i32 introSlide = 400;
i32 introFade = 130;

namespace {

// One overlay quad; the pictures are stored bottom row first, hence t = 1 at the top edge.
void drawBand(f32 left, f32 top, f32 right, f32 bottom) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(left, top);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, top);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, bottom);
    glEnd();
}

}  // namespace

void drawIntro() {
    // Without its pictures the intro would show nothing and never end: skip it.
    if (gStripeTexture.textureId == 0 || gStripe2Texture.textureId == 0 || gLogoTexture.textureId == 0) {
        introActive = 0;
        return;
    }
    if (introSlide <= 0) {
        glBindTexture(GL_TEXTURE_2D, gLogoTexture.textureId);
        glColor4f(1.0f, 1.0f, 1.0f, static_cast<f32>(introFade + 30) * 0.01f);
        drawBand(224.0f, 233.0f, 415.0f, 246.0f);
    }
    // Past 1 the values clamp: the stripes stay white until the fade is well under way.
    const f32 c = static_cast<f32>(introFade - 30) * 0.01f;
    glColor4f(c, c, 1.0f, c);
    glBindTexture(GL_TEXTURE_2D, gStripeTexture.textureId);
    drawBand(static_cast<f32>(-introSlide - 80), 220.0f, static_cast<f32>(720 - introSlide), 260.0f);
    glBindTexture(GL_TEXTURE_2D, gStripe2Texture.textureId);
    drawBand(static_cast<f32>(introSlide - 80), 220.0f, static_cast<f32>(introSlide + 720), 260.0f);

    if (introSlide > 0) {
        introSlide -= 10;
    } else {
        introFade -= 1;
    }
    if (introFade <= 0 || gInput.keys[VK_ESCAPE] != 0) introActive = 0;
}
