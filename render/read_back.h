// read_back.h: the picture drawn in the back buffer, read back into memory.
#pragma once
#include <vector>

#include "core/types.h"

// The whole window's picture as it will be shown, bars included, as RGB bytes with the top
// row first; its size in *width, *height. Read after the picture is drawn and before it is
// swapped. False when the window has no size; throws std::bad_alloc when it is too large to
// hold.
bool readShownPicture(std::vector<u8>* rgb, i32* width, i32* height);
