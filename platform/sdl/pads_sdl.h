// pads_sdl.h: the game controllers, between them and the event loop in platform_sdl.cpp.
#pragma once

union SDL_Event;

void startPads();  // with the video; without controller support the game plays on without pads
void stopPads();
// True for every joystick and controller event, none of which is a window message; the
// controller ones change the pads' state on the way.
bool takePadEvent(const SDL_Event& event);
