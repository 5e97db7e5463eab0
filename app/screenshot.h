// screenshot.h: the window's picture saved as a PNG in the player's pictures folder.
#pragma once

// Saves the picture drawn for this frame (call it after drawing, before the buffers are
// swapped), the whole window at its size in pixels, as
// <pictures>/fendwall/fendwall-YYYY-MM-DD_HH-MM-SS.png in local time; more in the same second
// are -2, -3, ...: no file is ever written over. The pictures folder is $XDG_PICTURES_DIR
// when absolute, else the one user-dirs.dirs names, else ~/Pictures. One line on stdout
// names the file; otherwise one line on stderr says why there is none. Play goes on either way.
void takeScreenshot();
