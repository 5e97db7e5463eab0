// textures.cpp: every picture of the game, loaded once at start-up into GL textures.
//
// The BMP pictures are bound by fixed ids (TEX_*): cache entry i always uses texture name
// i + 1, chosen explicitly rather than trusting the order in which a fresh context hands
// out names. A picture that fails to load still claims its name (as an empty texture
// object), so that the TGA textures made later with glGenTextures never land on it and
// every other picture keeps its id. Its `ids` entry stays 0.
#include "media/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/data_path.h"
#include "media/bmp.h"
#include "platform/platform.h"

Textures gTextures;

namespace {

constexpr size_t CACHE_NAME_LENGTH = sizeof(TextureCache::names[0]) - 1;

const char* const BMP_TEXTURE_FILES[] = {
    "data/texturen/weiss.bmp",       "data/texturen/grund2.bmp",   "data/texturen/wand_blau_gruen.bmp",
    "data/texturen/grund4.bmp",      "data/texturen/ball_low.bmp", "data/texturen/hori.bmp",
    "data/texturen/vert.bmp",        "data/texturen/menu.bmp",     "data/texturen/menu_new.bmp",
    "data/texturen/menu_resume.bmp", "data/texturen/menu_exit.bmp",
};

// The texture name for cache entry `index`: its fixed name, unless something else in the
// context already owns that (only possible past the game's own eleven pictures).
GLuint textureNameFor(i32 index) {
    GLuint name = GLuint(index + 1);
    if (glIsTexture(name)) glGenTextures(1, &name);
    return name;
}

// Our decoded rows are packed; GL's default expects rows padded to 4 bytes.
struct PackedRows {
    GLint saved = 4;
    PackedRows() {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &saved);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~PackedRows() { glPixelStorei(GL_UNPACK_ALIGNMENT, saved); }
};

}  // namespace

i32 TextureCache::load(const char* fileName) {
    if (fileName == nullptr) return -1;
    // Names are kept to 127 characters and compared as kept.
    const size_t length = strnlen(fileName, CACHE_NAME_LENGTH);
    for (i32 i = 0; i < count; i++) {
        if (std::strlen(names[i]) == length && std::memcmp(names[i], fileName, length) == 0) return i;
    }
    // A full cache loads nothing rather than write past its tables.
    if (count >= TEXTURE_CACHE_SLOTS) return -1;

    const i32 index = count++;
    std::memcpy(names[index], fileName, length);
    names[index][length] = '\0';
    ids[index] = 0;

    RgbImage* image = loadBmp(dataPath(fileName).c_str());
    const GLuint name = textureNameFor(index);
    glBindTexture(GL_TEXTURE_2D, name);  // claims the name even when there is no picture
    if (image != nullptr) {
        {
            PackedRows packed;
            glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE, image->data);
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        ids[index] = name;
        freeRgbImage(image);
    }
    return index;
}

bool loadTga(TgaTexture& texture, const char* fileName) {
    if (!readTga(texture, fileName)) return false;
    // GLU's mipmap builder asks the context for its limits and cannot work without one.
    if (!glGetString(GL_VERSION)) return false;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const bool alpha = texture.bitsPerPixel == 32;
    GLint built = 0;
    {
        PackedRows packed;
        built = gluBuild2DMipmaps(GL_TEXTURE_2D, alpha ? 4 : 3, GLint(texture.width), GLint(texture.height),
                                  alpha ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, texture.data.get());
    }
    if (built != 0) {
        // No picture in the texture: keep the id 0 so that nothing draws it.
        glDeleteTextures(1, &name);
        return false;
    }
    texture.textureId = name;
    return true;
}

bool loadWindowIcon(const char* fileName) {
    // Window managers show icons at 16 to 256 pixels; a larger one is no icon of ours.
    constexpr u32 MAX_SIDE = 256;
    TgaTexture icon;
    if (!readTga(icon, fileName) || icon.width > MAX_SIDE || icon.height > MAX_SIDE) {
        std::fprintf(stderr, "fendwall: window icon %s is missing or damaged; the window has none\n", fileName);
        return false;
    }
    // The platform takes red, green, blue and alpha, top row first.
    const u32 step = icon.bitsPerPixel / 8;
    std::vector<u8> rgba(size_t(icon.width) * icon.height * 4);
    for (u32 y = 0; y < icon.height; y++) {
        const u8* from = icon.data.get() + size_t(icon.height - 1 - y) * icon.width * step;
        u8* to = rgba.data() + size_t(y) * icon.width * 4;
        for (u32 x = 0; x < icon.width; x++, from += step, to += 4) {
            std::memcpy(to, from, 3);
            to[3] = step == 4 ? from[3] : 255;
        }
    }
    platformSetWindowIcon(rgba.data(), i32(icon.width), i32(icon.height));
    return true;
}

void loadTextures() {
    for (const char* file : BMP_TEXTURE_FILES) gTextures.cache.load(file);
    loadTga(gTextures.stripe, dataPath("data/texturen/streifen.tga").c_str());
    loadTga(gTextures.stripe2, dataPath("data/texturen/streifen2.tga").c_str());
    loadTga(gTextures.logo, dataPath("data/texturen/logo.tga").c_str());
    loadWindowIcon(dataPath("data/icons/fendwall-64.tga").c_str());
}
