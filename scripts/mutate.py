#!/usr/bin/env python3
"""mutate.py: small faults put into the game one at a time, each run against the unit and gl
tiers, to see which faults our tests notice and which tests earn their keep.

Every fault is applied alone to a scratch copy of the tree (build-mutate/src) with a build of
its own (build-mutate/build), so only the changed file recompiles. A fault counts as killed
when a test fails, a tier crashes or runs out of time. Results go to build-mutate/results.json.

  python3 scripts/mutate.py                 all faults, first failing test ends a tier
  python3 scripts/mutate.py --full          every test runs: needed for --report
  python3 scripts/mutate.py --only ID,ID    just these
  python3 scripts/mutate.py --list          the faults, with the equivalent ones marked
  python3 scripts/mutate.py --report        from the last --full run: tests that kill
                                            nothing no other test kills
  python3 scripts/mutate.py --faults FILE   the faults listed as MUTANTS in the Python file
                                            FILE instead: a second set, written apart
"""
import argparse
import json
import os
import re
import runpy
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WORK = ROOT / "build-mutate"
SRC = WORK / "src"
BUILD = WORK / "build"
RESULTS = WORK / "results.json"
TIMEOUT = 60  # seconds per tier; a hang counts as killed

# (id, file, original text, replacement[, "equivalent: why"]). The original must occur
# exactly once in the file, so the list notices when the code moves on.
MUTANTS = [
    # game/balls.cpp: movement and bounces
    ("balls-low-threshold", "game/balls.cpp", "const f32 low = 0.35f;", "const f32 low = 0.25f;"),
    ("balls-high-threshold", "game/balls.cpp", "const f32 high = 0.6f;", "const f32 high = 0.8f;"),
    ("balls-any-value-deflects", "game/balls.cpp", "if (f.solidAt(cx - 1, cy) == 1 &&", "if (f.solidAt(cx - 1, cy) != 0 &&"),
    ("balls-wall-touch-direction", "game/balls.cpp", "building && b.vy > 0 && b.y > cy + high)", "building && b.vy < 0 && b.y > cy + high)"),
    ("balls-up-touch-dropped", "game/balls.cpp", "if (f.markedAt(cx, cy - 1) && building && b.vy < 0 && b.y < cy + low) touched = true;", ""),
    ("balls-bounce-sound", "game/balls.cpp", "b.vx = -b.vx;\n            sounds.add(SoundEffect::Bounce);\n        }\n        if (f.markedAt(cx - 1", "b.vx = -b.vx;\n            sounds.add(SoundEffect::WallLost);\n        }\n        if (f.markedAt(cx - 1"),
    ("balls-down-bounce-silent", "game/balls.cpp", "b.y < cy + low) {\n            b.vy = -b.vy;\n            sounds.add(SoundEffect::Bounce);\n", "b.y < cy + low) {\n            b.vy = -b.vy;\n"),
    ("balls-spawn-range", "game/balls.cpp", "b.x = static_cast<f32>(randomBelow(25) + 3);", "b.x = static_cast<f32>(randomBelow(27) + 1);"),
    ("balls-spawn-y-first", "game/balls.cpp", "        b.x = static_cast<f32>(randomBelow(25) + 3);\n        b.y = static_cast<f32>(randomBelow(25) + 3);",
     "        b.y = static_cast<f32>(randomBelow(25) + 3);\n        b.x = static_cast<f32>(randomBelow(25) + 3);"),
    ("balls-move-axis", "game/balls.cpp", "b.y += b.vy;", "b.y += b.vx;"),
    ("balls-no-seed", "game/balls.cpp", "seedRandom(static_cast<u32>(calendarSeconds));", ""),
    ("balls-rand-constant", "game/balls.cpp", "randomState * 214013u + 2531011u", "randomState * 214013u + 2531012u"),
    ("balls-clamp", "game/balls.cpp", "const i32 n = count < MAX_BALLS ? count : MAX_BALLS;", "const i32 n = count < MAX_BALLS ? count : MAX_BALLS - 1;"),
    # game/walls.cpp: cursor, growing, losing, capture
    ("walls-clamp-high", "game/walls.cpp", "if (v >= FIELD_SIZE - 1) return FIELD_SIZE - 2;", "if (v >= FIELD_SIZE) return FIELD_SIZE - 1;"),
    ("walls-clamp-low", "game/walls.cpp", "if (v < 1) return 1;", "if (v < 0) return 0;"),
    ("walls-clamp-cell-29", "game/walls.cpp", "if (v >= FIELD_SIZE - 1) return FIELD_SIZE - 2;", "if (v > FIELD_SIZE - 1) return FIELD_SIZE - 2;"),
    ("walls-grow-through-values", "game/walls.cpp", "cells[x][y].marked || cells[x][y].solid != 0) return false;", "cells[x][y].marked || cells[x][y].solid == 1) return false;"),
    ("walls-cursor-rows-from-top", "game/walls.cpp", "(SCREEN_HEIGHT - input.pointerY) / cellPixelsY", "input.pointerY / cellPixelsY"),
    ("walls-turn-never", "game/walls.cpp", "== Orientation::Vertical ? Orientation::Horizontal\n                                                                            : Orientation::Vertical;",
     "== Orientation::Vertical ? Orientation::Vertical\n                                                                            : Orientation::Horizontal;"),
    ("walls-click-restarts", "game/walls.cpp", "if (input.leftClicked && !building) {", "if (input.leftClicked) {"),
    ("walls-low-end-stuck", "game/walls.cpp", "endHigh = y + 1;\n        endLow = y - 1;", "endHigh = y + 1;\n        endLow = y;"),
    ("walls-hit-not-reset", "game/walls.cpp", "    wallHit = false;\n    cells[x][y].marked = true;", "    cells[x][y].marked = true;"),
    ("walls-two-lives", "game/game.cpp", "game.session.lives -= 1;", "game.session.lives -= 2;"),
    ("walls-lost-sound", "game/game.cpp", "sounds.add(SoundEffect::WallLost);", "sounds.add(SoundEffect::Bounce);"),
    ("walls-lost-wall-stays", "game/walls.cpp", "sweepMarks(true);\n        return true;", "sweepMarks(false);\n        return true;"),
    ("walls-grow-skips", "game/walls.cpp", "        ++endHigh;", "        endHigh += 2;"),
    ("walls-done-one-end", "game/walls.cpp", "if (endHigh != 0 || endLow != 0) return false;", "if (endHigh != 0 && endLow != 0) return false;"),
    ("walls-finished-vanishes", "game/walls.cpp", "    sweepMarks(false);\n    building = false;", "    sweepMarks(true);\n    building = false;"),
    ("walls-one-side", "game/walls.cpp", "{vertical ? wallStartX - 1 : wallStartX, vertical ? wallStartY : wallStartY - 1}",
     "{vertical ? wallStartX + 1 : wallStartX, vertical ? wallStartY : wallStartY + 1}"),
    ("walls-capture-inverted", "game/walls.cpp", "sweepMarks(regionHasBall);", "sweepMarks(!regionHasBall);"),
    ("walls-ball-in-row", "game/walls.cpp", "static_cast<i32>(balls.balls[i].x) == x && static_cast<i32>", "static_cast<i32>(balls.balls[i].x) == x || static_cast<i32>"),
    ("walls-flood-not-down", "game/walls.cpp", "{x, y + 1}, {x, y - 1}}", "{x, y + 1}, {x, y + 1}}"),
    ("walls-region-flag-kept", "game/walls.cpp", "        regionHasBall = false;\n", ""),
    # game/session.cpp: levels, lives, score, game over, transitions
    ("session-threshold-strict", "game/session.cpp", "< FIELD_CELLS_TO_WIN - 3 * level", "<= FIELD_CELLS_TO_WIN - 3 * level"),
    ("session-threshold-per-level", "game/session.cpp", "FIELD_CELLS_TO_WIN - 3 * level", "FIELD_CELLS_TO_WIN - 2 * level"),
    ("session-bonus", "game/session.cpp", "score += level * LEVEL_BONUS;", "score += LEVEL_BONUS;"),
    ("session-extra-lives-edge", "game/session.cpp", "if (lives <= 3) lives += 2;", "if (lives < 3) lives += 2;"),
    ("session-start-lives", "game/session.cpp", "    lives = 0;\n    return nextLevel(balls);", "    lives = 1;\n    return nextLevel(balls);"),
    ("session-ball-table-edge", "game/session.cpp", "level < MAX_BALLS ? level : MAX_BALLS", "level <= MAX_BALLS ? level : MAX_BALLS",
     "equivalent: at level 20 both sides give 20"),
    ("session-ball-count", "game/session.cpp", "level < MAX_BALLS ? level : MAX_BALLS", "level < MAX_BALLS ? level + 1 : MAX_BALLS"),
    ("session-game-over-late", "game/session.h", "bool lost() const { return lives <= 0; }", "bool lost() const { return lives < 0; }"),
    ("session-final-score-lost", "game/session.cpp", "if (!gameOver) score = 0;", "score = 0;"),
    ("session-over-offers-resume", "app/phases.cpp", "    openMenu(false);", "    openMenu(true);"),
    ("session-clear-before-approach", "app/phases.cpp", "            g.playfield.clear();\n            g.session.state = GameState::Playing;", "            g.session.state = GameState::Playing;"),
    ("session-over-pattern", "game/session.cpp", "    field.loadPattern(dataPath(\"data/over.dat\").c_str());\n", ""),
    ("session-next-field-kept", "app/phases.cpp", "            g.playfield.clear();\n            g.balls.spawn(tapeCalendarSeconds());", "            g.balls.spawn(tapeCalendarSeconds());"),
    ("session-approach-long", "game/session.cpp", "return cameraZ >= 0.0f;", "return cameraZ > 0.0f;"),
    ("session-credits-end", "game/session.cpp", "creditsY + CREDITS_HEIGHT <= 0", "creditsY + CREDITS_HEIGHT < 0"),
    ("session-credits-click", "app/phases.cpp", "s.rollCredits(in.leftClicked || in.rightClicked ||", "s.rollCredits(in.rightClicked ||"),
    ("session-credits-balls-stop", "app/phases.cpp", "            if (gFlow.landed) gInput.quitRequested = true;\n            moveBalls(gGame, gFlow.sounds);\n", "            if (gFlow.landed) gInput.quitRequested = true;\n"),
    ("session-change-flag-kept", "app/phases.cpp", "        case Phase::LevelReturn:\n            g.session.endLevelChange();\n", "        case Phase::LevelReturn:\n"),
    ("session-over-flag-kept", "game/session.cpp", "    gameOver = false;\n}", "}"),
    ("session-over-balls", "game/session.cpp", "    balls.count = GAME_OVER_BALLS;\n", ""),
    ("session-log-line", "game/session.cpp", "gMessageLog.append(\"Levelwechsel\");", "",
     "equivalent: nothing shows the message log, and the level change does not depend on it"),
    # game/playfield.cpp: reset and pattern files
    ("pattern-upside-down", "game/playfield.cpp", "cells[j][FIELD_SIZE - 1 - k]", "cells[j][k]"),
    ("pattern-empty-line-is-data", "game/playfield.cpp", "line[0] != '/' && line[0] != '\\n'", "line[0] != '/'"),
    ("pattern-crlf", "game/playfield.cpp", "if (length >= 2 && line[length - 2] == '\\r'", "if (length >= 3 && line[length - 2] == '\\r'"),
    ("pattern-short-line", "game/playfield.cpp", "j < got && j < FIELD_SIZE", "j < FIELD_SIZE"),
    ("pattern-first-line-lost", "game/playfield.cpp", "        if (!readPatternLine(file, line)) return false;\n",
     "        if (!readPatternLine(file, line)) return false;\n        if (k == 0 && !readPatternLine(file, line)) return false;\n"),
    ("field-border", "game/playfield.cpp", "x == FIELD_SIZE - 1 ||", "x == FIELD_SIZE ||"),
    ("field-count-any-value", "game/playfield.cpp", "if (cell.solid == 1) ++count;", "if (cell.solid != 0) ++count;"),
    ("field-cell-rows", "game/playfield.cpp", "cellPixelsY = CELL_PIXELS_Y;", "cellPixelsY = 0;"),
    # core/
    ("text-cut-128", "core/text_field.cpp", "if (n > TEXT_FIELD_SIZE - 1) n = TEXT_FIELD_SIZE - 1;", "if (n > TEXT_FIELD_SIZE - 2) n = TEXT_FIELD_SIZE - 2;"),
    ("log-oldest-slot", "core/message_log.cpp", "copyTextField(lines[MESSAGE_LOG_LINES - 1], text);", "copyTextField(lines[0], text);",
     "equivalent: nothing shows the message log"),
    ("input-click-sticks", "core/input.cpp", "    leftPressed = false;\n", ""),
    ("input-right-from-left", "core/input.cpp", "rightClicked = rightPressed;", "rightClicked = leftPressed;"),
    ("input-left-never-clicks", "core/input.cpp", "leftClicked = leftPressed;", "leftClicked = false;"),
    # ui/
    ("ui-slot-zero", "ui/window_manager.cpp", "for (i32 i = 1; i < WINDOW_SLOTS; ++i) {\n        if (!windows[i].isOpen) {",
     "for (i32 i = 0; i < WINDOW_SLOTS; ++i) {\n        if (!windows[i].isOpen) {"),
    ("ui-last-slot", "ui/window_manager.cpp", "for (i32 i = 1; i < WINDOW_SLOTS; ++i) {\n        if (!windows[i].isOpen) {",
     "for (i32 i = 1; i < WINDOW_SLOTS - 1; ++i) {\n        if (!windows[i].isOpen) {"),
    ("ui-hit-edges", "ui/window_manager.cpp", "if (left < mx && mx < right && top < my && my < bottom)", "if (left <= mx && mx <= right && top <= my && my <= bottom)"),
    ("ui-hit-height", "ui/window_manager.cpp", "const f32 bottom = top + b.height;\n            const f32 mx", "const f32 bottom = top + b.width;\n            const f32 mx"),
    ("ui-hover-clicks", "ui/window_manager.cpp", "            if (!input.leftClicked) continue;\n", ""),
    ("ui-all-buttons", "ui/window_manager.cpp", "                return;  // one click, one button: the lowest slot wins\n", ""),
    ("ui-button-room", "ui/window_manager.cpp", "clampCapacity(buttonCapacity, WINDOW_MAX_BUTTONS)", "clampCapacity(buttonCapacity - 1, WINDOW_MAX_BUTTONS)"),
    ("ui-delete-any", "ui/window_manager.cpp", "index >= WINDOW_SLOTS || !windows[index].isOpen", "index >= WINDOW_SLOTS",
     "equivalent: a closed window is cleared again; only the log, which nothing shows, differs"),
    ("ui-button-pictures", "ui/window_manager.cpp", "{TEX_MENU_NEW, TEX_MENU_EXIT, TEX_MENU_RESUME}", "{TEX_MENU_NEW, TEX_MENU_RESUME, TEX_MENU_EXIT}"),
    ("ui-window-picture", "ui/window_manager.cpp", "glBindTexture(GL_TEXTURE_2D, TEX_MENU);", "glBindTexture(GL_TEXTURE_2D, TEX_MENU_NEW);"),
    ("ui-button-upside-down", "ui/window_manager.cpp", "            glTexCoord2f(0.0f, 1.0f);\n            glVertex2f(left, top);\n            glTexCoord2f(0.0f, 0.0f);\n            glVertex2f(left, bottom);",
     "            glTexCoord2f(0.0f, 0.0f);\n            glVertex2f(left, top);\n            glTexCoord2f(0.0f, 1.0f);\n            glVertex2f(left, bottom);"),
    ("ui-number-field", "ui/window_manager.cpp", "std::snprintf(text, sizeof text, \"%d\", value);", "std::snprintf(text, sizeof text, \"%u\", value);"),
    ("queue-take-keeps", "ui/button_queue.cpp", "            entry[0] = '\\0';\n", ""),
    ("queue-push-oldest", "ui/button_queue.cpp", "copyTextField(entries[BUTTON_EVENT_SLOTS - 1], name);", "copyTextField(entries[0], name);",
     "equivalent: the game takes every name in the pass after its click, before the next push"),
    ("menu-resume-inverted", "ui/menu.cpp", "if (resumeAllowed) w.addButton", "if (!resumeAllowed) w.addButton"),
    ("menu-off-centre", "ui/menu.h", "MENU_LEFT = 320.0f - MENU_WIDTH / 2.0f", "MENU_LEFT = 320.0f - MENU_WIDTH"),
    ("menu-exit-resumes", "ui/menu.cpp", "\"\", BUTTON_EXIT);", "\"\", BUTTON_RESUME);"),
    ("menu-resume-band", "ui/menu.h", "RESUME_BAND{79.0f, 70.0f}", "RESUME_BAND{99.0f, 50.0f}"),
    ("menu-new-game-short", "ui/menu.h", "NEW_GAME_BAND{0.0f, 78.0f}", "NEW_GAME_BAND{0.0f, 58.0f}"),
    # app/phases.cpp: phases, flights, the picture the logic settles; drawing that would write
    ("phase-quit-mid-flight", "app/phases.cpp", "return gInput.quitRequested && (gFlow.phase == Phase::Menu || gFlow.phase == Phase::Play);", "return gInput.quitRequested;"),
    ("phase-landing-same-pass", "app/phases.cpp", "            gFlow.landed ? land(in) : fly(in);", "            fly(in);\n            if (gFlow.landed) land(in);"),
    ("phase-first-step-late", "app/phases.cpp", "    gFlow.landed = false;\n    fly(in);", "    gFlow.landed = false;"),
    ("phase-sounds-kept", "app/phases.cpp", "    gFlow.sounds.count = 0;\n", ""),
    ("picture-spin-ahead", "app/phases.cpp", "        p.ballSpin = gGame.balls.spin;\n        gGame.balls.roll();", "        gGame.balls.roll();\n        p.ballSpin = gGame.balls.spin;"),
    ("picture-intro-counters-ahead", "app/phases.cpp", "    p.introSlide = intro.slide;\n    p.introFade = intro.fade;\n", ""),
    ("picture-bands-always", "render/frame.cpp", "if (picture.introBands) drawIntro(picture);", "drawIntro(picture);"),
    ("draw-rolls-balls", "render/playfield_view.cpp", "        if (!ballQuadric) continue;", "        const_cast<BallSet&>(balls).roll();\n        if (!ballQuadric) continue;"),
    ("draw-moves-credits", "render/frame.cpp", "if (s.exiting) drawCredits(s.creditsY);", "if (s.exiting) drawCredits(const_cast<GameSession&>(s).creditsY--);"),
    ("draw-advances-intro", "app/frame_step.cpp", "        drawIntroPicture(picture, area);\n", "        drawIntroPicture(picture, area);\n        gFlow.intro.fade -= 1;\n"),
    ("draw-moves-camera", "render/frame.cpp", "    glTranslatef(s.cameraX, s.cameraY, s.cameraZ);", "    glTranslatef(s.cameraX, s.cameraY, const_cast<GameSession&>(s).cameraZ += 0.0f * s.cameraZ + 0.5f);"),
    # app/main_loop.cpp: start-up, the pass, menu actions
    ("main-escape-no-resume", "app/phases.cpp", "        openMenu(true);", "        openMenu(false);"),
    ("main-escape-after-over", "app/phases.cpp", "if (s.state == GameState::Playing && in.escape)", "if (in.escape)"),
    ("main-menu-click-order", "app/phases.cpp", "    gInput.showMenuCursor = true;\n    if (gUi.clicks.take(BUTTON_NEW_GAME))", "    gInput.showMenuCursor = true;\n    gUi.manager.update(gUi.clicks, in);\n    if (gUi.clicks.take(BUTTON_NEW_GAME))"),
    ("main-ball-before-wall", "game/game.cpp", "void playFrame(Game& game, SoundList& sounds, const StepInput& input) {\n", "void playFrame(Game& game, SoundList& sounds, const StepInput& input) {\n    moveBalls(game, sounds);\n"),
    ("main-no-session-update", "app/phases.cpp", "    if (gGame.session.nextLevelIfComplete(gGame.playfield, gGame.balls)) return startFlight(Phase::LevelApproach, in);\n", ""),
    ("main-no-menu-cursor", "app/phases.cpp", "gInput.showMenuCursor = true;", "gInput.showMenuCursor = false;"),
    ("main-menu-balls-still", "app/phases.cpp", "void stepMenu(const StepInput& in) {\n    moveBalls(gGame, gFlow.sounds);\n", "void stepMenu(const StepInput& in) {\n"),
    ("main-new-game-window-kept", "app/phases.cpp", "            g.session.state = GameState::Playing;\n            closeMenu();\n", "            g.session.state = GameState::Playing;\n"),
    ("main-new-game-field-kept", "app/phases.cpp", "            g.playfield.clear();\n            g.session.state", "            g.session.state"),
    ("main-resume-stays", "app/phases.cpp", "    if (gUi.clicks.take(BUTTON_RESUME)) {\n        gGame.session.state = GameState::Playing;", "    if (gUi.clicks.take(BUTTON_RESUME)) {\n        gGame.session.state = GameState::Menu;"),
    ("main-exit-no-credits", "app/phases.cpp", "return startFlight(Phase::Credits, in);", "return startFlight(Phase::NewGameReturn, in);"),
    ("main-status", "app/main_loop.cpp", "const int status = closeTape(1);", "const int status = closeTape(0);"),
    ("startup-title-pattern", "app/main_loop.cpp", "loadPattern(dataPath(\"data/fend.dat\")", "loadPattern(dataPath(\"data/over.dat\")"),
    ("startup-title-ball", "app/main_loop.cpp", "    gGame.balls.count = 1;\n    gGame.balls.spawn(tapeCalendarSeconds());", "    gGame.balls.count = 1;"),
    ("startup-no-music", "app/main_loop.cpp", "    gSound.playStream(0);\n", ""),
    ("startup-silent", "app/main_loop.cpp", "    gSound.enabled = pacedFrames();\n", ""),
    ("startup-no-menu", "app/main_loop.cpp", "    gUi.menu.open(gUi.manager);\n    gGame.playfield.clear();", "    gGame.playfield.clear();"),
    ("startup-no-session", "app/main_loop.cpp", "    (void)gGame.session.start(gGame.balls);", ""),
    ("startup-cursor-shown", "app/main_loop.cpp", "    platformShowCursor(false);\n", ""),
    ("sounds-one-sample", "app/phases.cpp", "gSound.playSample(static_cast<i32>(sounds.effects[i]));", "gSound.playSample(0);"),
    ("sounds-not-played", "app/phases.cpp", "    for (i32 i = 0; i < sounds.count; ++i) gSound.playSample", "    for (i32 i = 0; i < 0; ++i) gSound.playSample"),
    ("options-typo-plays", "app/command_line.cpp", "if (!tape) return refuse(\"unknown option\", arg);", "if (!tape) continue;"),
    ("options-fullscreen-ignored", "app/command_line.cpp", "arg[2] == 'f' ? WindowChoice::Fullscreen : WindowChoice::Window", "WindowChoice::Window"),
    ("options-window-ignored", "app/command_line.cpp", "arg[2] == 'f' ? WindowChoice::Fullscreen : WindowChoice::Window", "WindowChoice::Fullscreen"),
    ("options-no-hint", "app/command_line.cpp", "\\nTry 'fendwall --help' for more information.\\n", "\\n"),
    ("options-version-plays", "app/command_line.cpp", "return help || version ? 0 : -1;", "return help ? 0 : -1;"),
    ("options-version-before-typo", "app/command_line.cpp", "(arg[2] == 'h' ? help : version) = true;\n            continue;", "(arg[2] == 'h' ? help : version) = true;\n            break;"),
    ("options-fullscreen-stops", "app/command_line.cpp", "WindowChoice::Window;\n            continue;", "WindowChoice::Window;\n            return -1;"),
    ("program-help-plays", "app/main_loop.cpp", "return status >= 0 ? status : runGame(options);", "return status > 0 ? status : runGame(options);"),
    # app/frame_step.cpp, app/window.cpp: pacing, messages, the window
    ("step-period-long", "app/frame_step.cpp", "clock.deadline = clock.startTicks + FRAME_PERIOD_MS;", "clock.deadline = clock.startTicks + FRAME_PERIOD_MS + 1;"),
    ("step-no-sleep", "app/frame_step.cpp", "    if (pacedFrames() && clock.shown) platformSleepUntil(clock.deadline);\n", ""),
    ("step-no-schedule", "app/frame_step.cpp", "clock.startTicks = pacedFrames() && now - clock.deadline <= FRAME_WAKE_SLACK_MS ? clock.deadline : now;", "clock.startTicks = now;"),
    ("step-schedule-never-rebased", "app/frame_step.cpp", "clock.startTicks = pacedFrames() && now - clock.deadline <= FRAME_WAKE_SLACK_MS ? clock.deadline : now;",
     "clock.startTicks = pacedFrames() && clock.deadline != 0 ? clock.deadline : now;"),
    ("step-swap-before-wait", "app/frame_step.cpp", "    if (pacedFrames() && clock.shown) platformSleepUntil(clock.deadline);\n    // The frame's length as it was always shown: up to the end of its wait.\n    u32 elapsed = platformTicks() - clock.startTicks;\n    swapFrameBuffers();\n", "    swapFrameBuffers();\n    if (pacedFrames() && clock.shown) platformSleepUntil(clock.deadline);\n    u32 elapsed = platformTicks() - clock.startTicks;\n"),
    ("step-fps-after-swap", "app/frame_step.cpp", "    u32 elapsed = platformTicks() - clock.startTicks;\n    swapFrameBuffers();\n", "    swapFrameBuffers();\n    u32 elapsed = platformTicks() - clock.startTicks;\n"),
    ("sdl-wakes-a-tick-early", "platform/sdl/platform_sdl.cpp", "const std::uint64_t deadlineMs = now + static_cast<std::uint64_t>(ahead);", "const std::uint64_t deadlineMs = now + static_cast<std::uint64_t>(ahead) - 1;"),
    ("sdl-passed-deadline-sleeps", "platform/sdl/platform_sdl.cpp", "    if (ahead <= 0) return;\n", "",
     "equivalent: a deadline passed wraps to one before now, and clock_nanosleep returns at once"),
    ("sdl-ticks-on-sdl-clock", "platform/sdl/platform_sdl.cpp", "std::uint32_t platformTicks() { return static_cast<std::uint32_t>(monotonicNs() / 1000000u); }",
     "std::uint32_t platformTicks() { return static_cast<std::uint32_t>(SDL_GetTicks64()); }"),
    ("area-no-old-balls", "render/picture_area.cpp", "        for (i32 i = 0; i < sLast.moving.ballCount && !overlay.paused; ++i) area.add(sLast.moving.balls[i]);\n", ""),
    ("area-marker-never", "render/picture_area.cpp", "if (moving.markerKey != sLast.moving.markerKey) area.add(moving.marker), area.add(sLast.moving.marker);", ""),
    ("area-score-not-seen", "render/picture_area.cpp", "h.all(s.level, s.lives, s.score, s.state,", "h.all(s.level, s.lives, s.state,"),
    ("area-always-partial", "render/picture_area.cpp", "    if (sLast.known && still == sLast.still) {", "    if (sLast.known) {"),
    ("area-ball-reach-short", "render/picture_area.cpp", "constexpr double REACH = double(BALL_RADIUS) + 0.01;", "constexpr double REACH = double(BALL_HEIGHT);"),
    ("area-menu-unseen", "app/frame_step.cpp", "    o.menuKey = menu.value;\n", ""),
    ("area-frame-rate-unseen", "render/picture_area.cpp", "if (framesPerSecond != sLast.framesPerSecond) {", "if (false) {"),
    ("area-tilt-ignored", "render/frame.cpp", "const double tilt = double(CAMERA_TILT_DEGREES) * M_PI / 180.0;", "const double tilt = 0.0;"),
    ("step-fps-rounded", "app/frame_step.cpp", "static_cast<f32>(1000u / elapsed)", "static_cast<f32>((1000u + elapsed / 2) / elapsed)"),
    ("step-no-latch", "app/frame_step.cpp", "    if (!gFlow.paused) gInput.latchClicks();\n", ""),
    ("step-no-cursor-mark", "app/frame_step.cpp", "    drawCursorMark(gInput.showMenuCursor, gInput.mouseX, gInput.mouseY);\n", ""),
    ("step-start-after-draw", "app/frame_step.cpp", "    const u32 now = platformTicks();\n    clock.startTicks = pacedFrames() && now - clock.deadline <= FRAME_WAKE_SLACK_MS ? clock.deadline : now;\n    clock.deadline = clock.startTicks + FRAME_PERIOD_MS;\n    clock.startMicros = platformMicroseconds();\n    // Paused, a click latched before the pause waits for the step it was meant for.\n    if (!gFlow.paused) gInput.latchClicks();\n    drawFrame();\n",
     "    clock.startMicros = platformMicroseconds();\n    if (!gFlow.paused) gInput.latchClicks();\n    drawFrame();\n    const u32 now = platformTicks();\n    clock.startTicks = pacedFrames() && now - clock.deadline <= FRAME_WAKE_SLACK_MS ? clock.deadline : now;\n    clock.deadline = clock.startTicks + FRAME_PERIOD_MS;\n"),
    ("step-menu-always", "app/frame_step.cpp", "if (gGame.session.state == GameState::Menu) gUi.manager.draw();", "gUi.manager.draw();",
     "equivalent: a toolkit window is open exactly while the state is Menu"),
    ("step-two-messages", "app/frame_step.cpp", "    takeOneMessage();\n", "    takeOneMessage();\n    takeOneMessage();\n"),
    ("window-key-stuck", "app/window.cpp", "gInput.keys[event.key & 0xFF] = false;", "gInput.keys[event.key & 0xFF] = true;"),
    ("window-right-is-left", "app/window.cpp", "            gInput.rightPressed = true;", "            gInput.leftPressed = true;"),
    ("window-close-ignored", "app/window.cpp", "            platformPostQuit();\n", ""),
    ("window-quit-ignored", "app/frame_step.cpp", "if (event.type == PlatformEventType::Quit) gInput.quitRequested = true;", ""),
    ("window-move-y", "app/window.cpp", "    gInput.mouseY = event.y;", "    gInput.mouseY = event.x;"),
    ("window-mouse-unmapped", "app/tape.cpp", "        windowPointToScreen(&event->x, &event->y);\n", ""),
    ("window-toggle-ignored", "app/window.cpp", "                platformSetFullscreen(gWindow.desktopFullscreen);\n", ""),
    ("start-fullscreen-unsized", "app/window.cpp", "    resizeScene(pixelsWide, pixelsHigh);\n", ""),
    ("startup-no-data-note", "app/main_loop.cpp", "    reportMissingData();\n", ""),
    ("startup-remembered-ignored", "app/main_loop.cpp", "startUp(openingWindow(remembered.settings.window, options.window))", "startUp(openingWindow({}, options.window))"),
    ("window-size-in-fullscreen", "app/window.cpp", "if (!gWindow.desktopFullscreen && !gWindow.maximised) {", "if (!gWindow.maximised) {"),
    ("window-size-not-kept", "app/window.cpp", "                gWindow.windowedWidth = width;\n", ""),
    ("window-fit-one-side", "app/window.cpp", "(width > displayWidth || height > displayHeight)", "(width > displayWidth && height > displayHeight)"),
    # app/settings_file.cpp, app/settings.cpp: the window remembered, read and written
    ("settings-min-width", "app/settings_file.cpp", "width >= WINDOW_MIN_WIDTH &&", "width > WINDOW_MIN_WIDTH &&"),
    ("settings-min-height-unchecked", "app/settings_file.cpp", "height >= WINDOW_MIN_HEIGHT && ", ""),
    ("settings-max-side", "app/settings_file.cpp", "height <= WINDOW_MAX_SIDE;", "height < WINDOW_MAX_SIDE;"),
    ("settings-size-twice", "app/settings_file.cpp", "windowSize.read(line, \"window\", &value)", "Line{}.read(line, \"window\", &value)"),
    ("settings-comment-is-data", "app/settings_file.cpp", "line.empty() || line[0] == '#'", "line.empty()"),
    ("settings-last-line-lost", "app/settings_file.cpp", "end == std::string_view::npos ? all.npos : end - start", "end == std::string_view::npos ? 0 : end - start"),
    ("settings-damage-half-read", "app/settings_file.cpp", "            *settings = Settings{};\n            *badLine", "            *badLine"),
    ("settings-writes-unusable", "app/settings_file.cpp", "usable ? w.width : SCREEN_WIDTH", "w.width"),
    ("settings-first-start-loud", "app/settings.cpp", "(errno == ENOENT || errno == ENOTDIR)", "errno == ENOTDIR"),
    ("settings-relative-config", "app/settings.cpp", "config != nullptr && config[0] == '/'", "config != nullptr && config[0] != '\\0'"),
    ("settings-home-subfolder", "app/settings.cpp", "return std::string(home) + \"/.config\";", "return std::string(home) + \"/config\";"),
    ("settings-no-folder-twice", "app/settings.cpp", "    if (folder.empty() || loaded.keepFile) return;  // both said at start-up\n", "    if (loaded.keepFile) return;\n"),
    ("settings-override-remembered", "app/settings.cpp", "        left.window.fullscreen = loaded.settings.window.fullscreen;\n", ""),
    ("settings-switch-forgotten", "app/settings.cpp", "left.window.fullscreen == (choice == WindowChoice::Fullscreen)", "true"),
    ("settings-not-renamed", "app/settings.cpp", "ok = ok && std::rename(", "ok = ok || std::rename("),
    # core/screen.cpp: the letterbox and the mouse in it
    ("screen-tall-as-wide", "core/screen.cpp", "if (i64(windowWidth) * 3 <= i64(windowHeight) * 4)", "if (i64(windowWidth) * 4 <= i64(windowHeight) * 3)"),
    ("screen-not-centred", "core/screen.cpp", "r.x = (windowWidth - r.width) / 2;", "r.x = 0;"),
    ("screen-bar-unclamped", "core/screen.cpp", "mapped >= logical ? logical - 1 : i32(mapped)", "i32(mapped)"),
    ("screen-axis-swapped", "core/screen.cpp", "*y = mapAxis(*y, rect.y, rect.height, SCREEN_HEIGHT);", "*y = mapAxis(*y, rect.x, rect.height, SCREEN_HEIGHT);"),
    # render/frame.cpp: drawing into the letterbox
    ("render-font-unscaled", "render/frame.cpp", "    setFontScale(r.height);\n", ""),
    ("render-font-window-height", "render/frame.cpp", "setFontScale(r.height);", "setFontScale(height);"),
    ("render-overlay-window-pixels", "render/frame.cpp", "glOrtho(0.0, static_cast<GLdouble>(SCREEN_WIDTH), static_cast<GLdouble>(SCREEN_HEIGHT)", "glOrtho(0.0, static_cast<GLdouble>(gRender.viewportWidth), static_cast<GLdouble>(gRender.viewportHeight)"),
    ("render-viewport-whole-window", "render/frame.cpp", "glViewport(r.x, height - r.y - r.height, r.width, r.height);", "glViewport(0, 0, width, height);"),
    ("render-bars-uncleared", "render/frame.cpp", "    glDisable(GL_SCISSOR_TEST);\n    glClear", "    glClear"),
    ("window-fail-kept", "app/window.cpp", "    destroyGameWindow();\n    platformMessageBox", "    platformMessageBox"),
    # render/
    ("hud-lives-low", "render/frame.cpp", "printText(1, 10.0f, 29.0f,", "printText(1, 10.0f, 49.0f,"),
    ("hud-completed-level", "render/frame.cpp", "static_cast<double>(s.level - 1)", "static_cast<double>(s.level)"),
    ("hud-complete-over-game-over", "render/frame.cpp", "s.levelChanging && !s.gameOver", "s.levelChanging"),
    ("hud-colour", "render/frame.cpp", "glColor3f(0.0f, 1.0f, 0.0f);", "glColor3f(1.0f, 1.0f, 0.0f);"),
    ("hud-colour-kept", "render/frame.cpp", "    glColor3f(1.0f, 1.0f, 1.0f);\n}", "}"),
    ("hud-level-shows-lives", "render/frame.cpp", "\"level %0.0f\", static_cast<double>(s.level)", "\"level %0.0f\", static_cast<double>(s.lives)"),
    ("credits-off-screen", "render/frame.cpp", "const f32 x = 300.0f;", "const f32 x = 700.0f;"),
    ("resize-zero-height", "render/frame.cpp", "    if (height == 0) height = 1;\n", ""),
    ("scene-tilt", "game/session.h", "CAMERA_TILT_DEGREES = -40.0f", "CAMERA_TILT_DEGREES = -45.0f"),
    ("intro-fade-long", "app/phases.cpp", "if (intro.fade <= 0 ||", "if (intro.fade < 0 ||"),
    ("intro-slide-fast", "app/phases.cpp", "intro.slide -= 10;", "intro.slide -= 20;"),
    ("intro-escape-ignored", "app/phases.cpp", "intro.fade <= 0 || in.escape", "intro.fade <= 0"),
    ("intro-logo-early", "render/intro.cpp", "if (slide <= 0) {", "if (slide <= 100) {"),
    ("view-growing-hidden", "render/playfield_view.cpp", "return c.solid == 1 || c.marked;", "return c.solid == 1;"),
    ("view-cursor-pictures", "render/playfield_view.cpp", "Orientation::Vertical ? TEX_CURSOR_VERTICAL : TEX_CURSOR_HORIZONTAL", "Orientation::Vertical ? TEX_CURSOR_HORIZONTAL : TEX_CURSOR_VERTICAL"),
    ("view-ball-swapped", "render/playfield_view.cpp", "glTranslatef(b.x, b.y, BALL_HEIGHT);", "glTranslatef(b.y, b.x, BALL_HEIGHT);"),
    ("view-no-fronts", "render/playfield_view.cpp", "    if (y == 0 || (f.cells[x][y - 1].solid != 1 && !f.cells[x][y - 1].marked)) {\n        sideFace(fx, fy, fx + 1.0f, fy);\n    }\n", ""),
    ("view-floor-equal-depth", "render/playfield_view.cpp", "    glDepthFunc(GL_LESS);\n    drawFloor();", "    drawFloor();"),
    ("view-tops-one-cell", "render/playfield_view.cpp", "    const f32 s = fx * sx;\n    const f32 t = fy * sy;", "    const f32 s = 0.0f;\n    const f32 t = 0.0f;"),
    ("view-floor-flipped", "render/playfield_view.cpp", "    glTexCoord2f(0.0f, 0.0f);\n    glVertex3f(0.0f, 0.0f, 0.0f);\n    glTexCoord2f(1.0f, 0.0f);\n    glVertex3f(FIELD_EDGE, 0.0f, 0.0f);",
     "    glTexCoord2f(0.0f, 1.0f);\n    glVertex3f(0.0f, 0.0f, 0.0f);\n    glTexCoord2f(1.0f, 1.0f);\n    glVertex3f(FIELD_EDGE, 0.0f, 0.0f);"),
    ("font-upside-down", "render/font.cpp", "&bits[(h - 1 - row) * stride]", "&bits[row * stride]"),
    ("font-high-codes", "render/font.cpp", "if (code >= FIRST_CODE && code <= LAST_CODE) offsets", "if (code >= FIRST_CODE) offsets"),
    ("cursor-mark-left", "render/font.cpp", "constexpr i32 MARK_LEFT = -4;", "constexpr i32 MARK_LEFT = -5;"),
    ("font-tinted", "render/font.cpp", "    glDisable(GL_TEXTURE_2D);\n    glListBase(fontListBase[font]);", "    glListBase(fontListBase[font]);"),
    ("font-large-small", "render/font.cpp", "{25, FT_LOAD_TARGET_MONO},", "{18, FT_LOAD_TARGET_MONO},"),
    ("font-wide", "render/font.cpp", "(slot->advance.x + 32) >> 6", "(slot->advance.x + 32) >> 5"),
    ("cursor-mark-below", "render/font.cpp", "constexpr i32 MARK_DOWN = 4;", "constexpr i32 MARK_DOWN = 24;"),
    ("cursor-mark-texture-kept", "render/font.cpp", "    glBindTexture(GL_TEXTURE_2D, 0);\n    if (!shown)", "    if (!shown)"),
    # media/: readers, textures, sound
    ("bmp-24-red-blue", "media/bmp.cpp", "out[0] = src[3 * x + 2];", "out[0] = src[3 * x];"),
    ("bmp-stride", "media/bmp.cpp", "(rowBits + 31) / 32 * 4", "(rowBits + 7) / 8"),
    ("bmp-palette-order", "media/bmp.cpp", "dib.palette[i][0] = entry[2];", "dib.palette[i][0] = entry[0];"),
    ("bmp-top-down", "media/bmp.cpp", "dib.topDown ? dib.height - 1 - row : row", "row"),
    ("bmp-rle-end-of-line", "media/bmp.cpp", "            x = 0;\n            y++;", "            y++;"),
    ("bmp-1-bit-order", "media/bmp.cpp", "(7 - (x & 7))", "(x & 7)"),
    ("bmp-4-bit-order", "media/bmp.cpp", "((x & 1) ? 0 : 4)", "((x & 1) ? 4 : 0)"),
    ("bmp-last-row-padded", "media/bmp.cpp", "stride * u64(dib.height - 1) + (rowBits + 7) / 8", "stride * u64(dib.height)"),
    ("bmp-555", "media/bmp.cpp", "dib.red = makeChannel(0x7C00);", "dib.red = makeChannel(0xF800);"),
    ("bmp-rounding", "media/bmp.cpp", "u8((v * 255 + c.max / 2) / c.max)", "u8(v * 255 / c.max)"),
    ("bmp-core-palette", "media/bmp.cpp", "        entrySize = 3;\n", ""),
    ("bmp-short-file", "media/bmp.cpp", "if (!rle && !fits(pixelOffset,", "if (false && !fits(pixelOffset,"),
    ("bmp-missing-box", "media/bmp.cpp", "    if (probe < 0) return nullptr;\n    close(probe);\n", "    if (probe >= 0) close(probe);\n"),
    ("bmp-box-caption", "media/bmp.cpp", "platformMessageBox(text, \"Error\", MB_OK)", "platformMessageBox(text, \"ERROR\", MB_OK)"),
    ("bmp-side-limit", "media/bmp.cpp", "if (dib.width > DIB_MAX_SIDE || dib.height > DIB_MAX_SIDE) return fail(TEXT_OUT_OF_MEMORY);",
     "if (dib.width > DIB_MAX_SIDE) return fail(TEXT_OUT_OF_MEMORY);"),
    ("tga-alpha-step", "media/tga.cpp", "const u64 step = bitsPerPixel / 8;", "const u64 step = 3;"),
    ("tga-size-check", "media/tga.cpp", "size - TGA_HEADER_SIZE < pixelBytes", "size < pixelBytes"),
    ("tga-height-high-byte", "media/tga.cpp", "u32(imageSpec[2]) + 256u * imageSpec[3]", "u32(imageSpec[2]) + 256u * imageSpec[1]"),
    ("tga-header-type-only", "media/tga.cpp", "std::memcmp(header, TGA_TEMPLATE, TGA_TEMPLATE_SIZE)", "std::memcmp(header, TGA_TEMPLATE, 3)"),
    ("tga-green-for-red", "media/tga.cpp", "data[i] = data[i + 2];", "data[i] = data[i + 1];"),
    ("tga-short-accepted", "media/tga.cpp", "size - TGA_HEADER_SIZE < pixelBytes", "size - TGA_HEADER_SIZE + 1 < pixelBytes"),
    ("file-bytes-last-lost", "media/file_bytes.cpp", "    *size = length;\n    return FileRead::Ok;", "    *size = length > 0 ? length - 1 : 0;\n    return FileRead::Ok;"),
    ("file-bytes-limit-inclusive", "media/file_bytes.cpp", "if (length > maxBytes) {", "if (length >= maxBytes) {"),
    ("tex-ids-from-zero", "media/textures.cpp", "GLuint name = GLuint(index + 1);", "GLuint name = GLuint(index);"),
    ("tex-missing-not-claimed", "media/textures.cpp", "    glBindTexture(GL_TEXTURE_2D, name);  // claims the name even when there is no picture\n    if (image != nullptr) {",
     "    if (image != nullptr) {\n        glBindTexture(GL_TEXTURE_2D, name);"),
    ("tex-tga-no-alpha", "media/textures.cpp", "alpha ? 4 : 3", "3"),
    ("tex-rows-padded", "media/textures.cpp", "        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);\n    }", "    }"),
    ("tex-no-filter", "media/textures.cpp", "        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);\n        ids[index] = name;", "        ids[index] = name;"),
    ("tex-cache-full", "media/textures.cpp", "if (count >= TEXTURE_CACHE_SLOTS) return -1;", "if (count > TEXTURE_CACHE_SLOTS) return -1;",
     "equivalent: the game loads eleven pictures into a cache of 256"),
    ("sound-one-channel", "media/sound.cpp", "constexpr i32 MIX_CHANNELS = 16;", "constexpr i32 MIX_CHANNELS = 2;"),
    ("sound-bounce-slot", "media/sound.cpp", "loadSample(dataPath(\"data/sound/wand.wav\").c_str(), 0);", "loadSample(dataPath(\"data/sound/wand.wav\").c_str(), 1);"),
    ("sound-slot-bound", "media/sound.cpp", "bool validSlot(i32 slot) { return slot >= 0 && slot < SOUND_SLOTS; }", "bool validSlot(i32 slot) { return slot >= 0 && slot <= SOUND_SLOTS; }"),
    ("sound-null-sample", "media/sound.cpp", "if (!enabled || !validSlot(slot) || !samples[slot]) return;", "if (!enabled || !validSlot(slot)) return;",
     "equivalent: the platform plays a null sample as silence"),
    ("sound-music-path", "media/sound.cpp", "openStream(dataPath(\"data/sound/0\").c_str(), 0);", "openStream(dataPath(\"data/sound/1\").c_str(), 0);"),
    ("sound-disabled-kept", "media/sound.cpp", "        enabled = false;\n        return false;", "        return false;",
     "equivalent: without a device every load gives null, and null plays as silence"),
    # app/controls.cpp, app/bindings.cpp, core/input.cpp: the keyboard and pads as the pointer and its buttons
    ("controls-repeat-every-frame", "app/controls.cpp", "step = c.heldFrames[d] == REPEAT_DELAY_FRAMES;", "step = true;"),
    ("controls-repeat-never", "app/controls.cpp", "step = c.heldFrames[d] == REPEAT_DELAY_FRAMES;", "step = false;"),
    ("controls-repeat-no-delay", "app/controls.cpp", "if (++c.heldFrames[d] == REPEAT_DELAY_FRAMES + REPEAT_EVERY_FRAMES) c.heldFrames[d] = REPEAT_DELAY_FRAMES;", "if (++c.heldFrames[d] == 2) c.heldFrames[d] = 0;"),
    ("controls-system-repeat-counts", "app/controls.cpp", "if (down && !message->repeat) {", "if (down) {"),
    ("controls-dead-zone-off", "app/controls.cpp", "if (magnitude <= STICK_DEAD_ZONE) {", "if (magnitude == 0) {"),
    ("controls-stick-linear", "app/controls.cpp", "* t * t / (range * range)", "* t / range"),
    ("controls-stick-off-screen", "app/controls.cpp", "*position = to < 0 ? 0 : (to > last ? last : to);", "*position = to;"),
    ("controls-pad-held-clicks-again", "app/controls.cpp", "out.left = out.left || (pads.pressed & b[Action::Build].padButtons) != 0;", "out.left = out.left || ((pads.pressed | pads.held) & b[Action::Build].padButtons) != 0;"),
    ("controls-pad-tap-lost", "app/controls.cpp", "out.left = out.left || (pads.pressed & b[Action::Build].padButtons) != 0;", "out.left = out.left || (pads.held & pads.pressed & b[Action::Build].padButtons) != 0;"),
    ("controls-menu-top-from-nowhere", "app/controls.cpp", "at = dy < 0 ? 0 : menu.count - 1;", "at = 0;"),
    ("controls-menu-wraps", "app/controls.cpp", "at = dy < 0 ? (at + 1 < menu.count ? at + 1 : at) : (at > 0 ? at - 1 : 0);", "at = dy < 0 ? (at + 1) % menu.count : (at + menu.count - 1) % menu.count;"),
    ("controls-rows-downward", "app/controls.cpp", "constexpr i32 MOVE_DY[4] = {1, -1, 0, 0};", "constexpr i32 MOVE_DY[4] = {-1, 1, 0, 0};"),
    ("controls-off-centre", "app/controls.cpp", "*x = cellX * CELL_PIXELS_X + CELL_PIXELS_X / 2;", "*x = cellX * CELL_PIXELS_X;"),
    ("controls-pad-menu-not-escape", "core/input.cpp", "s.keys[VK_ESCAPE] || s.menuHeld", "s.keys[VK_ESCAPE]"),
    ("controls-replay-binds-live", "app/tape.cpp", "if (!replaying()) return bindDevices(", "if (true) return bindDevices("),
    ("controls-acts-not-recorded", "app/recorder.cpp", "    if (recording()) gRecorder.pending += boundLine(frame, bound);\n", ""),
    ("controls-codeless-key-recorded", "app/recorder.cpp", "    if (key && event.key == 0) return;\n", ""),
    ("bindings-defaults-kept", "app/bindings.cpp", "if (!b.keysFromFile) b.keyCount = 0, b.keysFromFile = true;", "b.keysFromFile = true;"),
    ("bindings-key-two-actions", "app/bindings.cpp", "        if (other.keysFromFile && hasKey(other, scancode)) return false;\n", ""),
    ("bindings-default-not-dropped", "app/bindings.cpp", "        dropKey(other, scancode);\n", ""),
    ("bindings-case-sensitive", "app/bindings.cpp", "std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))", "a[i] != b[i]"),
    ("bindings-too-many", "app/bindings.cpp", "b.keyCount == MAX_KEYS_PER_ACTION) return false;", "b.keyCount > MAX_KEYS_PER_ACTION) return false;"),
    ("bindings-typo-overwritten", "app/settings.cpp", "    if (folder.empty() || loaded.keepFile) return;  // both said at start-up\n", "    if (folder.empty()) return;\n"),
    ("bindings-not-written", "app/settings_file.cpp", "const std::string bindings = formatBindings(settings.bindings);", "const std::string bindings;"),
    ("recording-act-in-format-1", "core/recording.cpp", "if (kind == \"act\" && out->format >= 2)", "if (kind == \"act\")"),
    ("recording-act-twice", "core/recording.cpp", "if (!out->bound.empty() && out->bound.back().frame == frame) return r.fail(\"a second act in one frame\");", ""),
    # core/recording.cpp, app/tape.cpp, app/recorder.cpp, app/replay.cpp, app/checkpoint.cpp: recorded games
    ("rec-mouse-off-screen", "core/recording.cpp", "number(w[2], SCREEN_WIDTH - 1, &a)", "number(w[2], SCREEN_WIDTH, &a)"),
    ("rec-frames-back", "core/recording.cpp", "if (frame < lastFrame) return", "if (frame + 1 < lastFrame) return"),
    ("rec-frame-limit", "core/recording.cpp", "if (frame > RECORDING_MAX_FRAME) return", "if (frame > 10 * RECORDING_MAX_FRAME) return"),
    ("rec-two-messages", "core/recording.cpp", "if (!out->messages.empty() && out->messages.back().frame == frame) return", "if (false) return"),
    ("rec-after-end", "core/recording.cpp", "        if (out->ended) return r.fail(\"entries after the end\");\n", ""),
    ("rec-cut-line", "core/recording.cpp", "        if (!found) {\n", "        if (!found && false) {\n"),
    ("rec-cut-refused", "core/recording.cpp", "            *atEnd = true;\n            return false;", "            return fail(\"cut off\");"),
    ("rec-cut-not-said", "app/replay.cpp", "    if (rec.cutAtLine) {", "    if (false) {"),
    ("rec-newer-format", "core/recording.cpp", "if (format > RECORDING_FORMAT) {", "if (format > RECORDING_FORMAT + 1) {"),
    ("rec-no-checkpoint", "core/recording.cpp", "    if (out->checkpoints.empty()) {\n        return r.fail(", "    if (false) {\n        return r.fail("),
    ("rec-key-written-as-mouse", "core/recording.cpp", "e.type == PlatformEventType::KeyDown || e.type == PlatformEventType::KeyUp) {\n        std::snprintf",
     "e.type == PlatformEventType::KeyDown) {\n        std::snprintf"),
    ("rec-hash-short", "core/recording.cpp", "\"%u check %016\" PRIx64", "\"%u check %015\" PRIx64"),
    ("rec-close-recorded", "core/recording.cpp", "{\"quit\", PlatformEventType::Quit},", "{\"quit\", PlatformEventType::Quit}, {\"close\", PlatformEventType::Close},"),
    ("tape-seconds-unrecorded", "app/tape.cpp", "    recordSeconds(t.frame, now);\n", ""),
    ("tape-replay-live-clock", "app/tape.cpp", "return recorded[t.nextSeconds++].seconds;", "return ++t.nextSeconds, platformCalendarSeconds();"),
    ("recorder-checkpoint-step", "app/replay.cpp", "(step + 1) % CHECKPOINT_EVERY == 0", "step % CHECKPOINT_EVERY == 0"),
    ("recorder-no-flush", "app/recorder.cpp", "&& std::fflush(r.file) == 0", ""),
    ("recorder-last-check", "app/recorder.cpp", "if (steps > 0 && steps % CHECKPOINT_EVERY != 0) r.pending", "if (false) r.pending"),
    ("recorder-no-end", "app/recorder.cpp", "if (steps > 0) r.pending += endLine(last);", ""),
    ("replay-hash-unchecked", "app/replay.cpp", "if (checks[t.nextCheckpoint++].hash != gameStateHash()) return differ(step, \"its state differs from the checkpoint\");", "t.nextCheckpoint++;"),
    ("replay-input-leaks", "app/frame_step.cpp", "        } else if (t == PlatformEventType::Close", "        } else if (t != PlatformEventType::Quit) {\n            windowProcedure(live);\n        } else if (t == PlatformEventType::Close"),
    ("replay-fullscreen-ignored", "app/frame_step.cpp", "t == PlatformEventType::Resize || t == PlatformEventType::Maximise || t == PlatformEventType::ToggleFullscreen", "t == PlatformEventType::Resize || t == PlatformEventType::Maximise"),
    ("replay-close-ignored", "app/frame_step.cpp", "t == PlatformEventType::Close || t == PlatformEventType::Quit", "t == PlatformEventType::Quit"),
    ("replay-watcher-close-unsaid", "app/replay.cpp", "    if (byWatcher) gReplayCheck.stopped = true;\n", ""),
    ("tape-message-next-frame", "app/frame_step.cpp", "recordMessage(gTape.frame, event);", "recordMessage(gTape.frame + 1, event);"),
    ("replay-short-end-accepted", "app/replay.cpp", "rec.ended && last != rec.lastFrame", "rec.ended && last > rec.lastFrame"),
    ("replay-early-message", "app/tape.cpp", "messages[t.nextMessage].frame != t.frame) return false;", "messages[t.nextMessage].frame > t.frame + 1) return false;"),
    ("timedemo-paced", "app/replay.cpp", "bool pacedFrames() { return !gReplayCheck.timedemo; }", "bool pacedFrames() { return true; }"),
    ("timedemo-sound", "app/main_loop.cpp", "gSound.enabled = pacedFrames();", "gSound.enabled = true;"),
    ("hash-no-balls", "app/checkpoint.cpp", "    for (const Ball& ball : b.balls) h.all(ball.x, ball.y, ball.vx, ball.vy);\n", ""),
    ("hash-no-marks", "app/checkpoint.cpp", "h.all(c.solid, c.marked);", "h.all(c.solid);"),
    ("hash-no-windows", "app/checkpoint.cpp", "            h.all(b.pressed, b.x, b.y, b.height, b.width, b.inUse);", "            h.all(b.pressed, b.x, b.y, b.height, b.width);"),
    ("hash-no-keys", "app/checkpoint.cpp", "    for (bool key : in.keys) h.add(key);\n", ""),
    ("hash-no-intro", "app/checkpoint.cpp", "h.all(gFlow.intro.active, gFlow.intro.slide, gFlow.intro.fade);", "h.all(gFlow.intro.active);"),
    ("hash-window-size", "app/checkpoint.cpp", "h.all(gFlow.intro.active, gFlow.intro.slide, gFlow.intro.fade);", "h.all(gFlow.intro.active, gFlow.intro.slide, gFlow.intro.fade, gRender.viewportWidth);"),
    ("options-record-equals", "app/command_line.cpp", "if (arg[n] == '=') tape = &t, path = arg + n + 1;", "if (arg[n] == '=') tape = &t, path = arg + n;"),
    ("options-two-recordings", "app/command_line.cpp", "        if (options->tape != TapeUse::None) return refuse(\"one recorded game at a time:\", arg);\n", ""),
    ("first-picture-paced", "app/frame_step.cpp", "if (pacedFrames() && clock.shown) platformSleepUntil", "if (pacedFrames()) platformSleepUntil"),
    ("first-picture-never-shown", "app/frame_step.cpp", "    clock.shown = true;\n", ""),
    ("step-not-counted", "app/frame_step.cpp", "    endFrameStep(clock.startMicros);\n", ""),
    # Files that are no files, full disks, a cut recording, the player's settings file, the data folder
    ("file-bytes-fifo-waits", "media/file_bytes.cpp", "open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)", "open(path, O_RDONLY | O_NOCTTY | O_CLOEXEC)"),
    ("file-bytes-folder-read", "media/file_bytes.cpp", "    if (const char* kind = notAFile(info.st_mode)) return", "    if (const char* kind = S_ISFIFO(info.st_mode) ? notAFile(info.st_mode) : nullptr) return"),
    ("file-bytes-no-reason", "media/file_bytes.cpp", "    if (fd < 0) return cannotRead(why, whyNotOpened(path, errno));", "    if (fd < 0) return cannotRead(why, \"\");"),
    ("recorder-fifo-waits", "app/recorder.cpp", "O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC", "O_WRONLY | O_NOCTTY | O_CLOEXEC"),
    ("recorder-refused-file-left", "app/recorder.cpp", "    if (made) unlink(path);\n", ""),
    ("recorder-device-written", "app/recorder.cpp", "fstat(fd, &info) != 0 ? std::strerror(errno) : notAFile(info.st_mode);", "fstat(fd, &info) != 0 ? std::strerror(errno) : nullptr;"),
    ("recorder-old-bytes-kept", "app/recorder.cpp", "if (!why && (ftruncate(fd, 0) != 0 ||", "if (!why && ("),
    ("recorder-start-fail-plays", "app/recorder.cpp", "    if (writePending()) return true;\n", "    writePending();\n    return true;\n"),
    ("recorder-fail-silent", "app/recorder.cpp", "    if (writePending()) return;\n    std::fprintf", "    if (writePending()) return;\n    if (false) std::fprintf"),
    ("timedemo-counts-all", "app/replay.cpp", "std::min<size_t>(frames, r.frameMicros.size())", "r.frameMicros.size()"),
    ("settings-read-only-replaced", "app/settings.cpp", "    if ((loaded.mode & S_IWUSR) == 0) {", "    if (false) {"),
    ("settings-read-only-by-access", "app/settings.cpp", "    if ((loaded.mode & S_IWUSR) == 0) {", "    if (access((folder + \"/settings\").c_str(), W_OK) != 0) {"),
    ("settings-mode-lost", "app/settings.cpp", "bool ok = fchmod(fd, mode & 07777) == 0;", "bool ok = true;"),
    ("settings-link-replaced", "app/settings.cpp", "    if (char* real = realpath(target.c_str(), nullptr)) target = real, std::free(real);\n", ""),
    ("data-pattern-fifo-waits", "game/playfield.cpp", "open(fileName, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)", "open(fileName, O_RDONLY | O_NOCTTY | O_CLOEXEC)"),
    ("data-picture-fifo-waits", "media/bmp.cpp", "open(fileName, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)", "open(fileName, O_RDONLY | O_NOCTTY | O_CLOEXEC)"),
    ("data-sound-fifo-waits", "platform/sdl/audio_sdl.cpp", "PlatformSample* platformLoadSample(const char* path) {\n    if (!gAudioOpen || !path || !regularFile(path)) return nullptr;", "PlatformSample* platformLoadSample(const char* path) {\n    if (!gAudioOpen || !path) return nullptr;"),
    ("data-folder-ignored", "core/data_path.cpp", "folder != nullptr && folder[0] != '\\0' ? folder", "folder != nullptr && folder[0] == '~' ? folder"),
    ("data-path-prefix-kept", "core/data_path.cpp", "(name + sizeof PREFIX - 1)", "name"),
    ("balls-direction-swapped", "game/balls.cpp", "b.vx = randomBelow(2) == 1 ? -0.25f : 0.25f;", "b.vx = randomBelow(2) == 1 ? 0.25f : -0.25f;"),
    # Pause, sound and the settings that keep them
    ("pause-never-holds", "app/phases.cpp", "bool stepHeld() { return gFlow.paused && !gInput.quitRequested; }", "bool stepHeld() { return false; }"),
    ("pause-holds-a-quit", "app/phases.cpp", "bool stepHeld() { return gFlow.paused && !gInput.quitRequested; }", "bool stepHeld() { return gFlow.paused; }"),
    ("pause-in-the-intro", "app/phases.cpp", "return !gFlow.intro.active && p != Phase::Menu", "return p != Phase::Menu"),
    ("pause-in-the-menu", "app/phases.cpp", "return !gFlow.intro.active && p != Phase::Menu && p != Phase::Credits;", "return !gFlow.intro.active && p != Phase::Credits;"),
    ("pause-sound-plays-on", "app/phases.cpp", "    gSound.pause(paused);\n", ""),
    ("pause-latches-clicks", "app/frame_step.cpp", "if (!gFlow.paused) gInput.latchClicks();", "gInput.latchClicks();"),
    ("pause-click-builds", "app/frame_step.cpp", "    if (woken) gInput.leftPressed = pressedLeft, gInput.rightPressed = pressedRight;\n", ""),
    ("pause-click-ignored", "app/frame_step.cpp", "const bool press = (message && isClick(*message)) || bound->left || bound->right;", "const bool press = bound->left || bound->right;"),
    ("pause-away-ignored", "app/frame_step.cpp", "    if (away && gControls.pauseWhenAway && !gFlow.paused) bound->pause = true;\n", ""),
    ("pause-away-always", "app/frame_step.cpp", "if (away && gControls.pauseWhenAway && !gFlow.paused)", "if (away && !gFlow.paused)"),
    ("pause-away-on-focus", "app/frame_step.cpp", "message->type == PlatformEventType::Activate && message->x == 0;", "message->type == PlatformEventType::Activate;"),
    ("pause-key-unbound", "app/controls.cpp", "    out.pause = controlPressed(message, pads, Action::Pause);\n", ""),
    ("pause-unrecorded", "core/recording.cpp", "b.pause ? \" pause\" : \"\"", "\"\""),
    ("pause-unread", "core/recording.cpp", "if (i < w.size() && w[i] == \"pause\" && out->format >= 3) b.pause = true, ++i;", ""),
    ("pause-read-in-format-2", "core/recording.cpp", "w[i] == \"pause\" && out->format >= 3)", "w[i] == \"pause\")"),
    ("pause-area-unseen", "render/picture_area.cpp", "h.all(overlay.menuKey, overlay.paused);", "h.all(overlay.menuKey);"),
    ("pause-balls-redrawn", "render/picture_area.cpp", "for (i32 i = 0; i < moving.ballCount && !overlay.paused; ++i)", "for (i32 i = 0; i < moving.ballCount; ++i)"),
    ("mute-key-ignored", "app/frame_step.cpp", "    if (controlPressed(live, pads, Action::Mute)) gSound.toggleMute();\n", ""),
    ("mute-forgotten", "app/settings.cpp", "    left.sound.muted = gSound.muted;\n", ""),
    ("volumes-not-set", "media/sound.cpp", "    setVolumes(musicVolume, effectsVolume, muted);\n", ""),
    ("volumes-mute-ignored", "media/sound.cpp", "platformSetVolumes(muted ? 0 : musicVolume, muted ? 0 : effectsVolume);", "platformSetVolumes(musicVolume, effectsVolume);"),
    ("volumes-from-file-ignored", "app/main_loop.cpp", "    gSound.setVolumes(chosen.sound.musicVolume, chosen.sound.effectsVolume, chosen.sound.muted);\n", ""),
    ("volume-above-100-read", "app/settings_file.cpp", "return readNumber(value, out) && *out <= VOLUME_MAX && value.size() <= 3;", "return readNumber(value, out) && value.size() <= 3;"),
    ("settings-said-twice", "app/settings_file.cpp", "if (seen || !line.starts_with(name)", "if (!line.starts_with(name)"),
    # The window maximised, on a scaled display; the screenshot
    ("maximised-size-taken", "app/window.cpp", "if (!gWindow.desktopFullscreen && !gWindow.maximised) {", "if (!gWindow.desktopFullscreen) {"),
    ("maximised-lost-by-f11", "app/window.cpp", "                if (!gWindow.desktopFullscreen && gWindow.maximised) platformSetMaximised(true);\n", ""),
    ("maximised-forgotten", "app/settings.cpp", "gWindow.windowedHeight, gWindow.maximised};", "gWindow.windowedHeight, false};"),
    ("maximised-not-opened", "app/main_loop.cpp", "    platformSetMaximised(window.maximised);\n", ""),
    ("scaled-size-kept-in-pixels", "app/window.cpp", "                platformPixelsToWindowUnits(&gWindow.windowedWidth, &gWindow.windowedHeight);\n", ""),
    ("screenshot-overwrites", "app/screenshot.cpp", "O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY", "O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY"),
    ("screenshot-relative-folder", "app/screenshot.cpp", "path != nullptr && path[0] == '/' ? path : \"\";", "path != nullptr ? path : \"\";"),
    ("user-dirs-relative-read", "app/user_dirs.cpp", "    } else if (i >= line.size() || line[i] != '/') {", "    } else if (i >= line.size()) {"),
    ("user-dirs-trailing-junk", "app/user_dirs.cpp", "    if (i < line.size() && !(line[i] == '#' && blank(line[i - 1]))) return \"\";\n", ""),
    ("no-sound-unsaid", "app/main_loop.cpp", "if (gSound.enabled && !gSound.init()) std::fprintf(stderr, \"fendwall: no sound device: playing silently\\n\");", "gSound.init();"),
]


def load_mutants(listed=MUTANTS):
    out = []
    for m in listed:
        ident, path, original, replacement = m[:4]
        note = m[4] if len(m) > 4 else ""
        out.append({"id": ident, "file": path, "original": original, "replacement": replacement,
                    "equivalent": note.startswith("equivalent"), "note": note})
    ids = [m["id"] for m in out]
    dupes = {i for i in ids if ids.count(i) > 1}
    if dupes:
        sys.exit(f"mutate.py: duplicate ids {sorted(dupes)}")
    return out


def tracked_files():
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT, check=True,
                            capture_output=True).stdout.decode().split("\0")
    return [f for f in listed if f and (ROOT / f).is_file()]


def sync_tree():
    """Copies the tree into SRC, touching only files that differ, so builds stay incremental."""
    for rel in tracked_files():
        src, dst = ROOT / rel, SRC / rel
        data = src.read_bytes()
        if dst.is_file() and dst.read_bytes() == data:
            continue
        dst.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(src, dst)  # a fresh time stamp: the build must see the change
        shutil.copymode(src, dst)


def configure():
    if (BUILD / "CMakeCache.txt").exists():
        return
    generator = ["-G", "Ninja"] if shutil.which("ninja") else []
    subprocess.run(["cmake", "-S", str(SRC), "-B", str(BUILD), *generator, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG", "-DFENDWALL_BENCH=OFF", "-DFENDWALL_TOOLS=OFF"],
                   check=True, stdout=subprocess.DEVNULL)


def build():
    jobs = str(os.cpu_count() or 1)
    r = subprocess.run(["nice", "cmake", "--build", str(BUILD), "-j", jobs, "--target", "unit_tests", "gl_tests"],
                       capture_output=True, text=True)
    return r.returncode == 0, r.stdout[-3000:] + r.stderr[-3000:]


FAILED = re.compile(r"^\[  FAILED  \] ([\w/]+\.[\w/]+)", re.M)


def run_tiers(fast):
    """Runs both tiers side by side; returns (killed, failed test names)."""
    env = dict(os.environ)
    testdata = ROOT.parent / "shared" / "testdata"
    if testdata.is_dir() and "FENDWALL_TESTDATA" not in env:
        env["FENDWALL_TESTDATA"] = str(testdata)
    gl_env = dict(env, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy", DISPLAY="", LIBGL_ALWAYS_SOFTWARE="1")
    args = ["--gtest_fail_fast"] if fast else []
    procs = {}
    for tier, e in (("unit", env), ("gl", gl_env)):
        exe = BUILD / "tests" / f"{tier}_tests"
        procs[tier] = subprocess.Popen(["nice", str(exe), *args], cwd=SRC, env=e, stdout=subprocess.PIPE,
                                       stderr=subprocess.STDOUT, text=True, errors="replace")
    killed, failed = False, set()
    for tier, p in procs.items():
        try:
            out, _ = p.communicate(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            p.kill()
            out, _ = p.communicate()
            failed.add(f"{tier}:timeout")
            killed = True
            continue
        names = set(FAILED.findall(out))
        failed |= names
        if p.returncode != 0:
            killed = True
            if not names:
                failed.add(f"{tier}:crash")
    return killed, sorted(failed)


def apply(m):
    path = SRC / m["file"]
    text = path.read_text()
    n = text.count(m["original"])
    if n != 1:
        return None, f"snippet found {n} times in {m['file']}"
    path.write_text(text.replace(m["original"], m["replacement"]))
    return text, ""


def list_tests():
    names = []
    for tier in ("unit", "gl"):
        out = subprocess.run([str(BUILD / "tests" / f"{tier}_tests"), "--gtest_list_tests"], cwd=SRC,
                             capture_output=True, text=True).stdout
        suite = ""
        for line in out.splitlines():
            if not line or line.startswith("Running"):
                continue
            if not line.startswith(" "):
                suite = line.split()[0]
            else:
                names.append(suite + line.split()[0])
    return names


def report(results):
    if not results.get("full"):
        print("the last run was not --full: every test must run to see which are needed")
    tests = results.get("tests", [])
    kills = {t: [] for t in tests}
    unique = {t: [] for t in tests}
    for ident, r in results["mutants"].items():
        if r["status"] != "killed":
            continue
        names = [f for f in r["failed"] if ":" not in f]
        for f in names:
            kills.setdefault(f, []).append(ident)
        if len(names) == 1:
            unique.setdefault(names[0], []).append(ident)
    print("\nTests by the faults they kill (alone / in all):")
    for t in sorted(kills, key=lambda t: (len(unique[t]), len(kills[t]))):
        print(f"  {len(unique[t]):3d} / {len(kills[t]):3d}  {t}" + (f"  alone: {', '.join(unique[t])}" if unique[t] else ""))
    print("\nTests that kill no fault alone (candidates to merge or drop):")
    for t in sorted(t for t in kills if not unique[t]):
        print(f"  {t} ({len(kills[t])} faults, all killed by others too)")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--only", help="comma-separated ids")
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--full", action="store_true", help="run every test, for --report")
    ap.add_argument("--report", action="store_true")
    ap.add_argument("--faults", help="a Python file defining MUTANTS, run instead of the list above")
    args = ap.parse_args()
    mutants = load_mutants(runpy.run_path(args.faults)["MUTANTS"] if args.faults else MUTANTS)

    if args.list:
        for m in mutants:
            print(f"{m['id']:32s} {m['file']:28s} {m['note']}")
        return 0
    if args.report:
        report(json.loads(RESULTS.read_text()))
        return 0
    if args.only:
        wanted = set(args.only.split(","))
        unknown = wanted - {m["id"] for m in mutants}
        if unknown:
            sys.exit(f"mutate.py: no such fault: {', '.join(sorted(unknown))}")
        mutants = [m for m in mutants if m["id"] in wanted]

    WORK.mkdir(exist_ok=True)
    sync_tree()
    configure()
    ok, log = build()
    if not ok:
        sys.exit("mutate.py: the unchanged tree does not build:\n" + log)
    killed, failed = run_tiers(fast=False)
    if killed:
        sys.exit("mutate.py: the unchanged tree fails its tests: " + ", ".join(failed))
    results = {"full": args.full, "tests": list_tests(), "mutants": {}}

    start = time.time()
    for i, m in enumerate(mutants, 1):
        t0 = time.time()
        original, error = apply(m)
        r = {"status": "error", "failed": [], "note": m["note"]}
        if original is None:
            r["detail"] = error
        else:
            try:
                ok, log = build()
                if not ok:
                    r["status"], r["detail"] = "build-failed", log[-600:]
                else:
                    killed, failed = run_tiers(fast=not args.full)
                    r["status"], r["failed"] = ("killed" if killed else "survived"), failed
            finally:
                (SRC / m["file"]).write_text(original)
        results["mutants"][m["id"]] = r
        shown = ", ".join(r["failed"][:3]) + (" ..." if len(r["failed"]) > 3 else "")
        mark = " (equivalent)" if m["equivalent"] else ""
        print(f"[{i}/{len(mutants)}] {m['id']}: {r['status']}{mark} {shown} {r.get('detail', '')[:200]}"
              f" ({time.time() - t0:.0f} s)", flush=True)
    build()  # leave the scratch build matching the tree
    RESULTS.write_text(json.dumps(results, indent=1))

    by = {m["id"]: m for m in mutants}
    counted = [i for i, r in results["mutants"].items() if not by[i]["equivalent"] and r["status"] in ("killed", "survived")]
    killed = [i for i in counted if results["mutants"][i]["status"] == "killed"]
    survivors = [i for i in counted if i not in killed]
    equivalent_killed = [i for i, r in results["mutants"].items() if by[i]["equivalent"] and r["status"] == "killed"]
    others = [i for i, r in results["mutants"].items() if r["status"] in ("error", "build-failed")]
    print(f"\nScore: {len(killed)} of {len(counted)} faults killed"
          f" ({100.0 * len(killed) / max(1, len(counted)):.1f}%), {len(mutants)} in all, {time.time() - start:.0f} s")
    print(f"Equivalent (not counted): {sum(m['equivalent'] for m in mutants)}")
    for i in equivalent_killed:
        print(f"  note: {i} is marked equivalent but a test fails on it")
    for i in others:
        print(f"  {results['mutants'][i]['status']}: {i}: {results['mutants'][i].get('detail', '')[:300]}")
    print("Survivors:" if survivors else "Survivors: none")
    for i in survivors:
        print(f"  {i} ({by[i]['file']})")
    if args.full:
        report(results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
