// intro.cpp: the start-up intro: two stripes slide together across the middle of the
// screen, then darken and fade while the logo fades in beneath them.
#include <GL/gl.h>

#include "media/textures.h"
#include "render/frame.h"

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

void drawIntro(const Picture& picture) {
    const Textures& t = gTextures;
    const i32 slide = picture.introSlide;
    const i32 fade = picture.introFade;
    if (slide <= 0) {
        glBindTexture(GL_TEXTURE_2D, t.logo.textureId);
        glColor4f(1.0f, 1.0f, 1.0f, static_cast<f32>(fade + 30) * 0.01f);
        drawBand(224.0f, 233.0f, 415.0f, 246.0f);
    }
    // Past 1 the values clamp: the stripes stay white until the fade is well under way.
    const f32 c = static_cast<f32>(fade - 30) * 0.01f;
    glColor4f(c, c, 1.0f, c);
    glBindTexture(GL_TEXTURE_2D, t.stripe.textureId);
    drawBand(static_cast<f32>(-slide - 80), 220.0f, static_cast<f32>(720 - slide), 260.0f);
    glBindTexture(GL_TEXTURE_2D, t.stripe2.textureId);
    drawBand(static_cast<f32>(slide - 80), 220.0f, static_cast<f32>(slide + 720), 260.0f);
}
