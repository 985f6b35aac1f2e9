#include "playback/WaitingSounds.h"

#include <utility>

namespace orbis {

void playWaitingSounds(PlaybackEnv& env) {
  for (const SoundBetween& sound : std::exchange(env.state.waitingSounds, {})) {
    if (sound.end > 0) {
      env.sounds.playUntil(sound.path, static_cast<long>(sound.end * 1000.0));
    } else {
      env.sounds.play(sound.path, true);
    }
  }
}

}  // namespace orbis
