// present_sdl.h: between the SDL window and the code that shows its pictures.
#pragma once

struct SDL_Window;

void setUpPresent(SDL_Window* window);  // the window just opened, with its context current; null when closed
void noteWindowExposed();               // part of the window was covered: show all of it next
