// texture_cache_test.cpp: the picture files become GL textures with the fixed ids the
// renderer binds, also when a picture is missing.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "game/session.h"
#include "gl/gl_context.h"
#include "media/textures.h"
#include "tests/unit/picture_files.h"
#include "ui/window_manager.h"

namespace {

using namespace pictures;

const char* const BMP_NAMES[] = {"weiss",    "grund2", "wand_blau_gruen", "grund4",      "ball_low", "hori",
                                 "vert",     "menu",   "menu_new",        "menu_resume", "menu_exit"};

// Runs the test inside a scratch folder holding data/texturen, back to the old folder after.
struct TextureFolder {
    ScratchDir scratch;
    fs::path previous = fs::current_path();
    fs::path dir = scratch.path / "data" / "texturen";
    TextureFolder() {
        fs::create_directories(dir);
        fs::current_path(scratch.path);
    }
    ~TextureFolder() { fs::current_path(previous); }

    // Picture i is one flat colour of its own.
    static std::string colour(int i) { return "'rgb(" + std::to_string(20 * i + 5) + ",100," + std::to_string(250 - 20 * i) + ")'"; }
    bool writeAll() {
        for (int i = 0; i < 11; i++) {
            if (!convert("-size 4x2 xc:" + colour(i) + " -type truecolor BMP3:" + quoted(dir / (std::string(BMP_NAMES[i]) + ".bmp")))) {
                return false;
            }
        }
        return convert("-size 8x4 xc:red -alpha off -type truecolor -compress none TGA:" + quoted(dir / "streifen.tga")) &&
               convert("-size 8x4 xc:'rgba(0,0,255,0.5)' -compress none TGA:" + quoted(dir / "streifen2.tga")) &&
               convert("-size 16x16 xc:lime -alpha off -type truecolor -compress none TGA:" + quoted(dir / "logo.tga"));
    }
};

GLint level0(GLuint texture, GLenum what, GLint level = 0) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, what, &value);
    return value;
}

GLint parameter(GLuint texture, GLenum what) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, what, &value);
    return value;
}

std::vector<u8> texels(GLuint texture, int width, int height) {
    std::vector<u8> out(size_t(width) * height * 3);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, out.data());
    return out;
}

using TextureGl = GlTest;

TEST_F(TextureGl, SameNameTwiceIsOneTextureWithPackedRowsUploaded) {
    TextureFolder folder;
    // 3 x 2: 9-byte rows, which GL's default 4-byte alignment would misread.
    ASSERT_TRUE(convert("-size 3x2 xc:black -fill 'rgb(1,2,3)' -draw 'point 0,0' -fill 'rgb(200,100,50)' "
                        "-draw 'point 2,1' -type truecolor BMP3:" + quoted(folder.dir / "odd.bmp")));
    static TextureCache cache;
    cache = TextureCache{};
    EXPECT_EQ(cache.load("data/texturen/odd.bmp"), 0);
    EXPECT_EQ(cache.load("data/texturen/odd.bmp"), 0);
    EXPECT_EQ(cache.count, 1);
    ASSERT_EQ(cache.ids[0], 1u);
    EXPECT_FALSE(glIsTexture(2)) << "a second load made another texture";
    EXPECT_EQ(level0(1, GL_TEXTURE_WIDTH), 3);
    EXPECT_EQ(level0(1, GL_TEXTURE_HEIGHT), 2);
    EXPECT_EQ(parameter(1, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(1, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    // Texture rows run bottom first, like the decoded picture.
    const std::vector<u8> expected = {0, 0, 0, 0, 0, 0, 200, 100, 50, 1, 2, 3, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(texels(1, 3, 2), expected);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "the unpack alignment is restored";
}

TEST_F(TextureGl, AllPicturesGetTheirFixedIdsAndTheTgaTexturesComeAfter) {
    TextureFolder folder;
    ASSERT_TRUE(folder.writeAll());
    loadTextures();
    ASSERT_EQ(gTextureCache.count, 11);
    for (int i = 0; i < 11; i++) {
        EXPECT_EQ(gTextureCache.ids[i], u32(i + 1)) << BMP_NAMES[i];
        EXPECT_EQ(std::string(gTextureCache.names[i]), "data/texturen/" + std::string(BMP_NAMES[i]) + ".bmp");
        const std::vector<u8> px = texels(GLuint(i + 1), 4, 2);
        EXPECT_EQ(int(px[0]), 20 * i + 5) << BMP_NAMES[i];
        EXPECT_EQ(int(px[2]), 250 - 20 * i) << BMP_NAMES[i];
    }
    EXPECT_EQ(TEX_MENU_EXIT, 11u);
    const TgaTexture* tgas[] = {&gStripeTexture, &gStripe2Texture, &gLogoTexture};
    for (u32 i = 0; i < 3; i++) {
        EXPECT_EQ(tgas[i]->textureId, 12 + i) << "TGA " << i;
        EXPECT_NE(tgas[i]->data, nullptr) << "the pixels stay in the record";
        EXPECT_EQ(parameter(tgas[i]->textureId, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
        EXPECT_EQ(parameter(tgas[i]->textureId, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_GT(level0(tgas[i]->textureId, GL_TEXTURE_WIDTH, 1), 0) << "mipmaps were built";
    }
    // 24 bits give an RGB texture, 32 bits an RGBA one (GL reports 3/4 or the enum).
    const GLint rgb = level0(gStripeTexture.textureId, GL_TEXTURE_INTERNAL_FORMAT);
    const GLint rgba = level0(gStripe2Texture.textureId, GL_TEXTURE_INTERNAL_FORMAT);
    EXPECT_TRUE(rgb == 3 || rgb == GL_RGB) << rgb;
    EXPECT_TRUE(rgba == 4 || rgba == GL_RGBA) << rgba;
    EXPECT_EQ(gStripeTexture.bitsPerPixel, 24u);
    EXPECT_EQ(gStripe2Texture.bitsPerPixel, 32u);
    EXPECT_EQ(level0(gStripe2Texture.textureId, GL_TEXTURE_ALPHA_SIZE) > 0, true);
    EXPECT_EQ(cameraX, -15.0f);
    EXPECT_EQ(cameraY, 10.0f);
    EXPECT_NE(gWindowManager.windows, nullptr);
}

TEST_F(TextureGl, AMissingPictureLeavesOnlyItsOwnIdEmpty) {
    TextureFolder folder;
    ASSERT_TRUE(folder.writeAll());
    fs::remove(folder.dir / "grund4.bmp");
    fs::remove(folder.dir / "logo.tga");
    loadTextures();
    ASSERT_EQ(gTextureCache.count, 11);
    for (int i = 0; i < 11; i++) {
        const GLuint id = GLuint(i + 1);
        if (id == TEX_WALL_TOP) {
            EXPECT_EQ(gTextureCache.ids[i], 0u);
            EXPECT_EQ(level0(id, GL_TEXTURE_WIDTH), 0) << "no picture behind the missing file's id";
        } else {
            EXPECT_EQ(gTextureCache.ids[i], id) << BMP_NAMES[i];
            EXPECT_EQ(int(texels(id, 4, 2)[0]), 20 * i + 5) << BMP_NAMES[i];
        }
    }
    // The TGA textures keep away from the empty id.
    EXPECT_GT(gStripeTexture.textureId, 11u);
    EXPECT_GT(gStripe2Texture.textureId, 11u);
    EXPECT_EQ(gLogoTexture.textureId, 0u);
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
