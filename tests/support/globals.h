// globals.h: test support shared by every tier.
#pragma once

// Every global of the game back to its program-start value (no platform state).
void resetGlobals();
