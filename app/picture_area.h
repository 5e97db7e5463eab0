// picture_area.h: the part of the window the next picture draws.
#pragma once
#include "core/types.h"

struct Picture;

// Sets gRender.partial and gRender.area for the picture about to be drawn, and tells the
// platform what to show; the whole picture unless the platform keeps what it showed.
void choosePictureArea(const Picture& picture, f32 framesPerSecond);
void forgetPicture();  // the window is new: nothing of an earlier picture is in it
