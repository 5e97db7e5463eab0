// phases.h: the game's course as phases, each advanced by one step a pass of the main loop,
// and the intro that runs over the first of them. A step ends by composing the frame's picture.
#pragma once
#include "app/controls.h"
#include "core/input.h"
#include "game/sounds.h"
#include "render/frame.h"

enum class Phase : i32 {
    Menu,              // the menu open, its balls bouncing
    Play,              // walls, balls, levels and lives
    NewGameApproach,   // the camera flies in from the menu ...
    NewGameReturn,     // ... and back out over the new game's field
    LevelApproach,     // a level complete: in, the field cleared at the turn, out
    LevelReturn,
    GameOverApproach,  // the last life lost: the same flights, with the final score
    GameOverReturn,
    Credits,           // Exit: the credits roll up, then the program ends
};

// Stripes slide together, then fade while the logo shows: 170 pictures, or until Escape.
struct Intro {
    bool active = true;
    i32 slide = 400;  // of the next picture
    i32 fade = 130;
};

struct GameFlow {
    Phase phase = Phase::Menu;
    bool landed = false;  // the flight's last frame is drawn: this step does what follows it
    Intro intro;
    Picture picture;   // this frame's
    SoundList sounds;  // made by this step, played after it
    // The player paused play: no step is taken, the picture stays, the sound holds.
    bool paused = false;
};

extern GameFlow gFlow;

// One step of the current phase, with the step's input, the frame's picture composed, its
// sounds played.
void stepPhase(const StepInput& in);
// The intro's picture while it runs, else the game's; either one moves on for the next.
void composePicture(const StepInput& in);
Surface pointerSurface();  // where the pointer may go now
// A quit is acted on between phases only: a flight that is under way runs to its end first.
bool quitDue();
// Play and its camera flights may pause; the menu (the Escape menu's balls move on), the
// intro and the credits do not.
bool pausable();
// Pauses or resumes play, and the sound with it.
void setPaused(bool paused);
// Whether this pass's step is held: paused, unless a quit came, which a paused flight would
// otherwise wait on for ever.
bool stepHeld();
