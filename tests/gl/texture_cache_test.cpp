// texture_cache_test.cpp: picture files become textures at the renderer's fixed ids.
#include <GL/gl.h>

#include <string>
#include <vector>

#include <cstdlib>
#include <filesystem>

#include "gl/gl_context.h"
#include "media/textures.h"

namespace {

namespace fs = std::filesystem;
using TextureGl = GlTest;

// ImageMagick's convert: a picture of the given size and colour, written as `target`.
bool convert(const std::string& picture, const fs::path& target) {
    return std::system(("convert " + picture + "'" + target.string() + "' >/dev/null 2>&1").c_str()) == 0;
}

GLint level(GLuint texture, GLenum what, GLint mipmap = 0) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, mipmap, what, &value);
    return value;
}

TEST_F(TextureGl, EveryPictureGetsItsFixedIdAndAMissingOneLeavesOnlyItsOwnEmpty) {
    ScratchDir scratch;
    const fs::path dir = scratch.path / "data" / "texturen";
    fs::create_directories(dir);
    scratch.enter();
    // Picture i in a flat colour of its own, 3 pixels wide so its rows are not whole words;
    // grund4.bmp (id 4) and logo.tga are missing.
    const char* const names[] = {"weiss", "grund2", "wand_blau_gruen", "", "ball_low", "hori", "vert", "menu", "menu_new",
                                 "menu_resume", "menu_exit"};
    for (int i = 0; i < 11; i++) {
        const std::string colour = "'rgb(" + std::to_string(20 * i + 5) + ",100,0)'";
        EXPECT_TRUE(!*names[i] || convert("-size 3x2 xc:" + colour + " -type truecolor BMP3:", dir / (std::string(names[i]) + ".bmp")))
            << "ImageMagick is needed";
    }
    EXPECT_TRUE(convert("-size 8x4 xc:red -alpha off -type truecolor -compress none TGA:", dir / "streifen.tga") &&
                convert("-size 8x4 xc:'rgba(0,0,255,0.5)' -compress none TGA:", dir / "streifen2.tga"));
    loadTextures();

    ASSERT_EQ(gTextures.cache.count, 11);
    EXPECT_TRUE(glIsTexture(TEX_WALL_TOP)) << "a missing picture's id is claimed all the same, so no other texture takes it";
    // Each id drawn as a square of the overlay shows its own picture.
    beginOverlay();
    for (int i = 0; i < 11; i++) {
        glBindTexture(GL_TEXTURE_2D, GLuint(i + 1));
        glBegin(GL_QUADS);
        for (const auto& [s, t] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
            glTexCoord2f(float(s), float(t));
            glVertex2f(float(20 * i + 20 * s), float(20 * t));
        }
        glEnd();
    }
    endOverlay();
    const Pixels px = grab();
    for (int i = 0; i < 11; i++) {
        const GLuint id = GLuint(i + 1);
        EXPECT_EQ(gTextures.cache.ids[i], id == TEX_WALL_TOP ? 0u : id) << names[i];
        if (id == TEX_WALL_TOP) {
            EXPECT_EQ(level(id, GL_TEXTURE_WIDTH), 0) << "no picture behind the missing file's id";
            continue;
        }
        for (int y : {5, 15}) EXPECT_EQ(at(px, 20 * i + 10, y), (Rgb{20 * i + 5, 100, 0})) << names[i] << ": its own picture";
    }
    for (const TgaTexture* tga : {&gTextures.stripe, &gTextures.stripe2}) {
        EXPECT_GT(tga->textureId, 11u) << "the TGA textures keep away from the empty id";
        EXPECT_GT(level(tga->textureId, GL_TEXTURE_WIDTH, 1), 0) << "mipmaps were built";
    }
    EXPECT_GT(level(gTextures.stripe2.textureId, GL_TEXTURE_ALPHA_SIZE), 0) << "32 bits make an RGBA texture";
    EXPECT_TRUE(level(gTextures.stripe.textureId, GL_TEXTURE_ALPHA_SIZE) == 0 && gTextures.logo.textureId == 0u);
}

}  // namespace
