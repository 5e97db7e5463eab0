// texture_cache_test.cpp: picture files become textures at the renderer's fixed ids.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "gl/gl_context.h"
#include "media/textures.h"
#include "tests/unit/picture_files.h"

namespace {

using namespace pictures;
using TextureGl = GlTest;

GLint level(GLuint texture, GLenum what, GLint mipmap = 0) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, mipmap, what, &value);
    return value;
}

TEST_F(TextureGl, EveryPictureGetsItsFixedIdAndAMissingOneLeavesOnlyItsOwnEmpty) {
    ScratchDir scratch;
    const fs::path previous = fs::current_path(), dir = scratch.path / "data" / "texturen";
    fs::create_directories(dir);
    fs::current_path(scratch.path);
    // Picture i in a flat colour of its own; grund4.bmp (id 4) and logo.tga are missing.
    const char* const names[] = {"weiss", "grund2", "wand_blau_gruen", "", "ball_low", "hori", "vert", "menu", "menu_new",
                                 "menu_resume", "menu_exit"};
    for (int i = 0; i < 11; i++) {
        const std::string colour = "'rgb(" + std::to_string(20 * i + 5) + ",100,0)'";
        EXPECT_TRUE(!*names[i] || convert("-size 4x2 xc:" + colour + " -type truecolor BMP3:" + quoted(dir / names[i]) + ".bmp"))
            << "ImageMagick is needed";
    }
    EXPECT_TRUE(convert("-size 8x4 xc:red -alpha off -type truecolor -compress none TGA:" + quoted(dir / "streifen.tga")) &&
                convert("-size 8x4 xc:'rgba(0,0,255,0.5)' -compress none TGA:" + quoted(dir / "streifen2.tga")));
    loadTextures();
    fs::current_path(previous);

    ASSERT_EQ(gTextures.cache.count, 11);
    for (int i = 0; i < 11; i++) {
        const GLuint id = GLuint(i + 1);
        EXPECT_EQ(gTextures.cache.ids[i], id == TEX_WALL_TOP ? 0u : id) << names[i];
        if (id == TEX_WALL_TOP) {
            EXPECT_EQ(level(id, GL_TEXTURE_WIDTH), 0) << "no picture behind the missing file's id";
            continue;
        }
        unsigned char texel[4 * 2 * 3] = {};
        glBindTexture(GL_TEXTURE_2D, id);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texel);
        EXPECT_EQ(texel[0], 20 * i + 5) << names[i] << ": its own picture";
    }
    for (const TgaTexture* tga : {&gTextures.stripe, &gTextures.stripe2}) {
        EXPECT_GT(tga->textureId, 11u) << "the TGA textures keep away from the empty id";
        EXPECT_NE(tga->data, nullptr) << "the pixels stay in the record";
        EXPECT_GT(level(tga->textureId, GL_TEXTURE_WIDTH, 1), 0) << "mipmaps were built";
    }
    EXPECT_GT(level(gTextures.stripe2.textureId, GL_TEXTURE_ALPHA_SIZE), 0) << "32 bits make an RGBA texture";
    EXPECT_EQ(level(gTextures.stripe.textureId, GL_TEXTURE_ALPHA_SIZE), 0) << "24 bits an RGB one";
    EXPECT_EQ(gTextures.logo.textureId, 0u);
}

TEST_F(TextureGl, CacheKeepsItsBoundsForLongNamesAndTooManyNames) {
    static TextureCache cache;
    cache = TextureCache{};
    const std::string longName(300, 'x');
    EXPECT_EQ(cache.load(longName.c_str()), 0);
    EXPECT_EQ(std::string(cache.names[0]), longName.substr(0, 127));
    EXPECT_EQ(cache.load(longName.c_str()), 0);
    for (int i = 1; i < TEXTURE_CACHE_SLOTS; i++) EXPECT_EQ(cache.load(("missing/" + std::to_string(i)).c_str()), i);
    EXPECT_EQ(cache.load("one/too/many.bmp"), -1);
    EXPECT_EQ(cache.count, TEXTURE_CACHE_SLOTS);
    EXPECT_EQ(cache.load("missing/7"), 7) << "known names are still found when full";
    EXPECT_EQ(cache.load(nullptr), -1);
}

}  // namespace
