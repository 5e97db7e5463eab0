// audio_scripted.h: the test side of the audio seam. Nothing is heard; what reaches the
// "device" is recorded, so tests can see which sounds a player would hear.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"

namespace scriptedAudio {

void reset();                 // nothing recorded; the next open succeeds
void setOpenResult(bool ok);  // what platformAudioOpen answers from now on
int calls();                  // every audio call so far, the open included
int openChannels();           // of the last open
// Every play in order: "music:PATH" or "sample:PATH", PATH empty for a null handle.
const std::vector<std::string>& played();
// The volumes last set, "MUSIC/EFFECTS" ("" before any), and whether the sound is held.
std::string volumes();
bool paused();

}  // namespace scriptedAudio
