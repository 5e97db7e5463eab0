// pending.cpp: TEMPORARY weak stand-ins for pieces still being written, so the game
// links meanwhile. Each goes away as its real definition lands.
#include "app/types.h"
#include "media/textures.h"
#include "render/font.h"
#include "render/frame.h"
#include "ui/window_manager.h"

#define PENDING __attribute__((weak))

PENDING void loadTextures() { gWindowManager.init(); }
PENDING TextureCache gTextureCache;
PENDING TgaTexture gStripeTexture;
PENDING TgaTexture gStripe2Texture;
PENDING TgaTexture gLogoTexture;
