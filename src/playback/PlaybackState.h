#pragma once
#include <string>
#include <vector>

#include "ports/MediaPlayer.h"

namespace orbis {

// Timers of the main window that playback drives.
inline constexpr int kHighlightTimer = 1;  // one-shot, highlights the phrase just started
inline constexpr int kTrackingTimer = 2;   // periodic, follows the player through the clips
inline constexpr int kHighlightDelayMs = 50;
inline constexpr int kTrackingIntervalMs = 100;

// What the main window keeps about playing the book. Rate, volume, the auto-playback flag and
// the skip flags are the live values of the settings of the same meaning: they are taken from
// the settings at start and written back at exit.
struct PlaybackState {
  std::string currentFragment;  // "Dok-Fragment" of the phrase being read, for highlighting
  double clipEnd = 0.0;         // seconds; the tracking timer advances once the player passes it
  double rate = 1.0;            // last set on or read from the player
  int volume = 50;              // 0..100, last set on or read from the player
  bool forceSeek = false;       // one shot: the next phrase start positions the player
  bool autoPlayback = true;     // go on with the next heading at the end of a heading
  bool skipFootnotes = false;
  bool skipSidebars = false;
  bool skipProducerNotes = false;
  bool skipPageNumbers = false;
  bool resumeAfterPopup = false;  // a menu or popup paused the player while auto playback was on
  // Reading waits for the reader where it stands: after Stop, at a heading's start without
  // auto playback, or with the passing over unplayable audio paused. A stopped player is then
  // no file that ran out, and a clip that cannot be played is not passed.
  bool waitForReader = false;

  // Remembered between phrases so that a phrase that follows on from the last one plays on
  // without a seek. They hold the texts as the phrase table has them.
  std::string lastDocument;
  std::string lastAudioFile;  // empty whenever the player's URL is empty
  bool audioFailed = false;   // the player could not open or play lastAudioFile
  std::string lastClipEnd;
  // The file handed to the player to go on with when lastAudioFile plays out ("Audio" text,
  // empty for none), and the phrase row that begins it.
  std::string followingAudioFile;
  int followingRow = -1;
  // Set while the reader follows the player into that file: the phrase started then finds its
  // file playing from its start already.
  bool playingOn = false;
  bool startPageShown = false;  // the text view shows a start page, not a book document
  // Heard before the file the player is given next (see playWaitingSounds).
  std::vector<SoundBetween> waitingSounds;
};

}  // namespace orbis
