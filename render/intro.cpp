// intro.cpp: the start-up intro: two stripes slide together across the middle of the
// screen, then darken and fade while the logo fades in beneath them.
#include <GL/gl.h>

#include "core/input.h"
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

void drawIntro() {
    RenderState& r = gRender;
    const Textures& t = gTextures;
    // Without its pictures the intro would show nothing and never end: skip it. What counts
    // is that the files were read, not what the driver made of them, so the intro runs the
    // same on every machine and a recorded game replays alike with no display at all.
    if (!t.stripe.data || !t.stripe2.data || !t.logo.data) {
        r.introActive = false;
        return;
    }
    if (r.introSlide <= 0) {
        glBindTexture(GL_TEXTURE_2D, t.logo.textureId);
        glColor4f(1.0f, 1.0f, 1.0f, static_cast<f32>(r.introFade + 30) * 0.01f);
        drawBand(224.0f, 233.0f, 415.0f, 246.0f);
    }
    // Past 1 the values clamp: the stripes stay white until the fade is well under way.
    const f32 c = static_cast<f32>(r.introFade - 30) * 0.01f;
    glColor4f(c, c, 1.0f, c);
    glBindTexture(GL_TEXTURE_2D, t.stripe.textureId);
    drawBand(static_cast<f32>(-r.introSlide - 80), 220.0f, static_cast<f32>(720 - r.introSlide), 260.0f);
    glBindTexture(GL_TEXTURE_2D, t.stripe2.textureId);
    drawBand(static_cast<f32>(r.introSlide - 80), 220.0f, static_cast<f32>(r.introSlide + 720), 260.0f);

    if (r.introSlide > 0) {
        r.introSlide -= 10;
    } else {
        r.introFade -= 1;
    }
    if (r.introFade <= 0 || gInput.keys[VK_ESCAPE]) r.introActive = false;
}
