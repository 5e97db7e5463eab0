// checkpoint.h: one number for the whole state of a game, so a replay can tell the first
// second in which it went its own way.
#pragma once
#include "core/types.h"

u64 gameStateHash();
// The menu's windows, buttons and click queue, as gameStateHash counts them: one number
// that changes whenever anything the menu shows does.
struct Hasher;
struct Ui;
void hashUi(Hasher& h, const Ui& ui);
