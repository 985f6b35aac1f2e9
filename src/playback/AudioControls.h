#pragma once
#include <utility>

#include "playback/PlaybackEnv.h"

namespace orbis {

// Structure panel modes that show the two sliders.
inline constexpr int kPanelVolumeSlider = 1;
inline constexpr int kPanelSpeedSlider = 6;

// The commands of the audio menu and the audio buttons. They act on the player directly; the
// phrase player re-applies rate and volume whenever it positions the player.
class AudioControls {
 public:
  explicit AudioControls(PlaybackEnv env) : env_(env) {}

  void pauseContinue();
  void stop();
  void windForward();
  void windBackward();
  void faster();
  void normalSpeed();
  void slower();
  void louder();
  void normalVolume();
  void quieter();
  void toggleMute();
  void toggleAutoPlayback();

  // The volume and speed buttons: pause, then show the slider at the button.
  void openVolumeSlider() { openSlider(kPanelVolumeSlider, 1053); }
  void openSpeedSlider() { openSlider(kPanelSpeedSlider, 1058); }
  // A slider moved; both positions are taken over.
  void onSlidersMoved(int volumePosition, int speedPosition);
  // The structure panel closed and gave the focus back.
  void onPopupClosed();

  // A menu of the menu bar opened or the menu bar closed again.
  void onMenuOpened();
  void onMenuClosed();

  // Runs a dialog or message box with the player paused, and lets the reading go on afterwards
  // when auto playback is on: a reader who answers a question should not have to restart it.
  template <typename Dialog>
  decltype(auto) duringModal(Dialog&& dialog) {
    beginModal();
    struct Resume {
      AudioControls& controls;
      ~Resume() { controls.endModal(); }
    } resume{*this};
    return std::forward<Dialog>(dialog)();
  }
  void beginModal();
  void endModal();

  // Shows the state of the player: the mute button's face, the sliders.
  void refresh();
  void onPlayStateChange(PlayState state);

 private:
  void wind(double direction);
  void setVolume(int volume);
  void openSlider(int mode, int buttonId);
  void pauseUnlessEnded();

  PlaybackEnv env_;
};

}  // namespace orbis
