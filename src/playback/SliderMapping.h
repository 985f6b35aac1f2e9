#pragma once
#include <cmath>

namespace orbis {

// The volume slider has positions 0..10 and the speed slider 0..20, top (0) meaning loud or
// fast, as a vertical slider counts.
inline constexpr int kVolumeSliderMax = 10;
inline constexpr int kSpeedSliderMax = 20;

inline int volumeSliderPosition(int volume) {
  return 10 - volume / 10;
}
// Rounded, not truncated: a rate reached in steps of 0.2 is rarely exact in binary (1.4 may be
// 1.3999...), and truncating would show the slider one notch off.
inline int speedSliderPosition(double rate) {
  return static_cast<int>(std::lround(20 - rate * 10));
}
inline int volumeFromSlider(int position) {
  return 100 - 10 * position;
}
// The bottom position would stop the player; it gives the slowest rate, 0.1, instead.
inline double rateFromSlider(int position) {
  if (position >= kSpeedSliderMax) position = kSpeedSliderMax - 1;
  return static_cast<float>(20 - position) / 10.0f;
}

}  // namespace orbis
