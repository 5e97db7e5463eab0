// pending.cpp: TEMPORARY weak stand-ins for pieces still being written, so the game
// links meanwhile. Each goes away as its real definition lands.
#include "app/types.h"
#include "media/sound.h"
#include "media/textures.h"
#include "render/font.h"
#include "render/frame.h"
#include "ui/window_manager.h"

#define PENDING __attribute__((weak))

PENDING void drawFrame() {}
PENDING void createFonts() {}
PENDING void deleteFonts() {}
PENDING void printText(i32, f32, f32, const char*, ...) {}
PENDING void loadTextures() { gWindowManager.init(); }
SoundSystem gSound PENDING;
PENDING bool SoundSystem::init() { return false; }
PENDING void SoundSystem::openStream(const char*, i32) {}
PENDING void SoundSystem::loadSample(const char*, i32) {}
PENDING void SoundSystem::playStream(i32) {}
PENDING void SoundSystem::playSample(i32) {}
PENDING u8 introActive = 1;
PENDING i32 introSlide = 400;
PENDING i32 introFade = 130;
PENDING TextureCache gTextureCache;
PENDING TgaTexture gStripeTexture;
PENDING TgaTexture gStripe2Texture;
PENDING TgaTexture gLogoTexture;
