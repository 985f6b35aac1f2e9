#pragma once
#include <utility>

#include "commands/CommandTable.h"
#include "playback/PlaybackEnv.h"

namespace orbis {

// The commands of the audio menu and the audio buttons. They act on the player directly; the
// phrase player re-applies rate and volume whenever it positions the player.
class AudioControls {
 public:
  explicit AudioControls(PlaybackEnv env) : env_(env) {}

  // The audio menu's commands and the audio buttons, except the two that open sliders.
  void registerCommands(CommandTable& commands);

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

  // A slider moved; both positions are taken over.
  void onSlidersMoved(int volumePosition, int speedPosition);
  // A popup (the structure panel) is about to open: the player pauses unless its media has
  // ended, and with auto playback reading is to go on when the popup closes.
  void pauseForPopup();
  // The structure panel closed and gave the focus back.
  void onPopupClosed();
  // The popup closed in a way that leaves reading as it is.
  void forgetResumeAfterPopup() { env_.state.resumeAfterPopup = false; }

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

  PlaybackEnv env_;
};

}  // namespace orbis
