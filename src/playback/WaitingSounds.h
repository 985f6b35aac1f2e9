#pragma once
#include "playback/PlaybackEnv.h"

namespace orbis {

// Sounds that wait for the reading to start (the announcement of a book just opened and the
// first heading's sounds) are handed to the player with the file it is given next, so that it
// plays them on the output the reading goes on with and the reading follows without a pause.
// Where the reading does not start so, they are played here, on their own, before it.
void playWaitingSounds(PlaybackEnv& env);

}  // namespace orbis
