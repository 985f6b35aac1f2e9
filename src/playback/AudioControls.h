#pragma once
#include <functional>
#include <utility>

#include "commands/CommandTable.h"
#include "playback/PhrasePlayer.h"
#include "playback/PlaybackEnv.h"

namespace orbis {

// The commands of the audio menu and the audio buttons. They act on the player directly; the
// phrase player re-applies rate and volume whenever it positions the player.
class AudioControls {
 public:
  AudioControls(PlaybackEnv env, PhrasePlayer& phrases, PhraseSpeech& speech)
      : env_(env), phrases_(phrases), speech_(speech) {}

  // The audio menu's commands and the audio buttons, except the two that open sliders.
  void registerCommands(CommandTable& commands);

  void pauseContinue();
  // Stops reading at the start of the current heading, where Play reads on.
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
  void toggleReadAloud();
  // Told the switch's new state, to remember it.
  std::function<void(bool on)> readAloudChanged;

  // A slider moved; both positions are taken over.
  void onSlidersMoved(int volumePosition, int speedPosition);
  // A popup (the structure panel) is about to open: reading pauses, and with auto playback
  // goes on when the popup closes; a pause of the reader's own stays.
  void pauseForPopup();
  // The structure panel closed and gave the focus back.
  void onPopupClosed();
  // The popup closed in a way that leaves reading as it is.
  void forgetResumeAfterPopup() { env_.state.resumeAfterPopup = false; }

  // A menu of the menu bar opened or the menu bar closed again.
  void onMenuOpened();
  void onMenuClosed();

  // Runs a dialog or message box with reading paused, and lets the reading go on afterwards
  // when the box paused it and auto playback is on: a reader who answers a question should not
  // have to restart it, and a reader who paused keeps the pause.
  template <typename Dialog>
  decltype(auto) duringModal(Dialog&& dialog) {
    struct Resume {
      AudioControls& controls;
      bool wanted;
      ~Resume() { controls.endModal(wanted); }
    } resume{*this, beginModal()};
    return std::forward<Dialog>(dialog)();
  }
  // Pauses reading for a box; true when reading is to go on once the box is closed.
  bool beginModal();
  void endModal(bool resume);

  // Reading goes on: the player plays, a phrase is spoken, or clips that cannot be played are
  // being passed.
  bool reading() const;

  // Shows the state of the player: the mute button's face, the sliders.
  void refresh();
  void onPlayStateChange(PlayState state);

 private:
  void wind(double direction);
  void setVolume(int volume);
  bool passingUnplayable() const;
  void pauseReading();
  void resumeReading();

  PlaybackEnv env_;
  PhrasePlayer& phrases_;
  PhraseSpeech& speech_;
};

}  // namespace orbis
