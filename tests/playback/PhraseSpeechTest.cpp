// Phrases without audio read by the speech synthesizer, on the simulated speech port.
#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "playback/PhraseSpeech.h"
#include "settings/KeyFile.h"
#include "support/ReadingHarness.h"

namespace orbis::testing {
namespace {

// Heading 0: three spoken phrases and one without text between them; heading 1: one phrase
// in English in a German book.
TestBook textOnly() {
  TestBook book;
  book.headingLevels = {1, 1};
  book.phrases = {{0, "", "", "", "", "", "text.html", "Erster Satz."},
                  {0, "", "", "", "", "", "text.html", "Zweiter Satz, etwas länger."},
                  {0, "", "", "", "", "", "text.html", ""},
                  {0, "", "", "", "", "", "text.html", "Dritter."},
                  {1, "", "", "", "", "", "text.html", "Next heading.", "en-GB"}};
  book.metadata.title = "Nur Text";
  book.metadata.language = "de";
  return book;
}

std::int64_t spokenMs(const std::string& text) {
  return static_cast<std::int64_t>(text.size()) * SimulatedSpeech::kMsPerCharacter;
}

TEST(PhraseSpeech, ATextOnlyHeadingIsSpokenPhraseByPhraseAndTheNextHeadingFollows) {
  ReadingHarness h;
  const std::string folder = h.addBook("text", textOnly());
  h.start().openBookFolder(folder);
  ASSERT_EQ(h.selectedPhrase(), 0);
  ASSERT_TRUE(h.speech.speaking());

  // The phrase is held until its utterance has ended, then the next follows at once.
  h.advance(spokenMs("Erster Satz.") - 20);
  EXPECT_EQ(h.selectedPhrase(), 0);
  h.advance(40);
  EXPECT_EQ(h.selectedPhrase(), 1);

  ASSERT_TRUE(h.runUntil([&] { return h.speech.spoken().size() >= 4; }, 20000));
  EXPECT_EQ(h.speech.spokenTexts(),
            (std::vector<std::string>{"Erster Satz.", "Zweiter Satz, etwas länger.", "Dritter.",
                                      "Next heading."}));
  // The phrase without text was passed, and marked on its way like the others.
  EXPECT_EQ(h.startedRows, (std::vector<int>{0, 1, 2, 3, 4}));
  // The book's language, unless the element says otherwise.
  EXPECT_EQ(h.speech.spoken()[0].language, "de");
  EXPECT_EQ(h.speech.spoken()[3].language, "en-GB");
  EXPECT_TRUE(h.session().audio().reading());
}

TEST(PhraseSpeech, PauseContinueAndStopActOnTheUtterance) {
  ReadingHarness h;
  const std::string folder = h.addBook("text", textOnly());
  h.start().openBookFolder(folder);
  h.advance(100);

  h.command(cmd::kPauseContinue);
  EXPECT_TRUE(h.speech.paused());
  EXPECT_FALSE(h.session().audio().reading());
  h.advance(10000);
  EXPECT_EQ(h.selectedPhrase(), 0);  // a paused phrase does not end

  h.command(cmd::kPauseContinue);
  EXPECT_TRUE(h.speech.speaking());
  EXPECT_EQ(h.speech.spoken().size(), 1u);  // resumed, not spoken again
  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 1; }, 2000));

  // Stop: back to the heading's first phrase, silent, until the reader starts it again.
  h.command(ctl::kButtonStop);
  EXPECT_EQ(h.selectedPhrase(), 0);
  EXPECT_FALSE(h.speech.speaking());
  h.advance(10000);
  EXPECT_EQ(h.selectedPhrase(), 0);
  EXPECT_EQ(h.speech.spoken().size(), 2u);
  h.command(cmd::kPauseContinue);
  EXPECT_EQ(h.speech.spokenTexts().back(), "Erster Satz.");
  EXPECT_TRUE(h.speech.speaking());

  // Another program's speech that cuts off the paused phrase: continuing speaks it again.
  h.command(cmd::kPauseContinue);
  h.speech.interrupt();
  h.advance(10);
  h.command(cmd::kPauseContinue);
  EXPECT_TRUE(h.speech.speaking());
  EXPECT_EQ(h.speech.spoken().size(), 4u);

  // A synthesizer that cannot resume speaks the phrase again from its start.
  h.speech.setCanResume(false);
  h.command(cmd::kPauseContinue);
  EXPECT_FALSE(h.speech.speaking());
  EXPECT_FALSE(h.session().audio().reading());
  h.command(cmd::kPauseContinue);
  EXPECT_TRUE(h.speech.speaking());
  EXPECT_EQ(h.speech.spoken().size(), 5u);
  EXPECT_EQ(h.speech.spokenTexts().back(), "Erster Satz.");
  h.speech.setCanResume(true);

  // A menu pauses the speech and, with automatic playback, lets it go on when it closes.
  h.session().onMenuOpened();
  EXPECT_TRUE(h.speech.paused());
  h.session().onMenuClosed();
  EXPECT_TRUE(h.speech.speaking());

  // Closing the book ends the utterance.
  h.session().closeBook();
  EXPECT_FALSE(h.speech.speaking());
  EXPECT_FALSE(h.speech.paused());
}

TEST(PhraseSpeech, AtAHeadingsEndWithoutAutomaticPlaybackReadingWaitsAtItsStart) {
  ReadingHarness h;
  h.settings.AutoPlay = false;
  const std::string folder = h.addBook("text", textOnly());
  h.start().openBookFolder(folder);
  ASSERT_FALSE(h.session().state().autoPlayback);

  ASSERT_TRUE(
      h.runUntil([&] { return h.speech.spoken().size() == 3 && !h.speech.speaking(); }, 20000));
  h.advance(10000);
  EXPECT_EQ(h.selectedPhrase(), 0);
  EXPECT_EQ(h.speech.spoken().size(), 3u);  // heading 1 is not read on its own
  EXPECT_FALSE(h.session().audio().reading());
  h.command(cmd::kPauseContinue);
  EXPECT_EQ(h.speech.spokenTexts().back(), "Erster Satz.");
}

TEST(PhraseSpeech, SwitchedOffPhrasesWithoutAudioArePassedAndTheChoiceIsRemembered) {
  ReadingHarness h;
  const std::string folder = h.addBook("text", textOnly());
  h.start().openBookFolder(folder);
  ASSERT_TRUE(h.menu.isChecked(cmd::kReadAloud));
  ASSERT_TRUE(h.speech.speaking());

  h.command(cmd::kReadAloud);
  EXPECT_FALSE(h.menu.isChecked(cmd::kReadAloud));
  EXPECT_FALSE(h.speech.speaking());
  EXPECT_EQ(readProfileString(h.session().readAloudPath(), "Speech", "ReadTextWithoutAudio", ""),
            "0");
  h.advance(1000);
  EXPECT_EQ(h.speech.spoken().size(), 1u);
  EXPECT_NE(h.selectedPhrase(), 0);  // passed as any phrase without audio

  // The next start keeps it off.
  h.session().closeBook();
  h.start();
  EXPECT_FALSE(h.session().state().readAloud);
  EXPECT_FALSE(h.menu.isChecked(cmd::kReadAloud));
}

TEST(PhraseSpeech, SpeedAndVolumeMapOntoTheSynthesizersRangesWithTheMiddleAsDefault) {
  EXPECT_EQ(speechRate(1.0), 0);
  EXPECT_EQ(speechRate(2.0), 100);
  EXPECT_EQ(speechRate(0.1), -90);
  EXPECT_EQ(speechRate(9.0), 100);
  EXPECT_EQ(speechVolume(50), 0);
  EXPECT_EQ(speechVolume(100), 100);
  EXPECT_EQ(speechVolume(0), -100);
  EXPECT_EQ(speechVolume(250), 100);

  ReadingHarness h;
  const std::string folder = h.addBook("text", textOnly());
  h.start().openBookFolder(folder);
  EXPECT_EQ(h.speech.spoken().back().rate, 0);
  EXPECT_EQ(h.speech.spoken().back().volume, 0);

  h.command(cmd::kFaster);
  h.command(cmd::kVolumeUp);
  h.command(cmd::kPhraseForward);
  EXPECT_EQ(h.speech.spoken().back().rate, 20);
  EXPECT_EQ(h.speech.spoken().back().volume, 20);

  // Mute silences at once: the phrase starts again without a sound.
  h.command(ctl::kButtonMute);
  EXPECT_EQ(h.speech.spoken().back().volume, -100);
  EXPECT_EQ(h.speech.spoken().back().text, "Zweiter Satz, etwas länger.");
  h.command(ctl::kButtonMute);

  // The middle of both sliders is the reader's default again.
  h.session().onSlidersMoved(5, 10);
  h.command(cmd::kPhraseForward);
  EXPECT_EQ(h.speech.spoken().back().rate, 0);
  EXPECT_EQ(h.speech.spoken().back().volume, 0);
}

TEST(PhraseSpeech, WithoutASynthesizerTheReaderIsToldOnceAndReadingGoesOnAsBefore) {
  ReadingHarness h;
  h.speech.setAvailable(false);
  const std::string folder = h.addBook("text", textOnly());
  h.start().openBookFolder(folder);
  h.advance(100);
  ASSERT_EQ(h.dialogs.messages.size(), 1u);
  EXPECT_NE(h.dialogs.messages[0].text.find("Speech Dispatcher"), std::string::npos);
  EXPECT_TRUE(h.speech.spoken().empty());
  EXPECT_GT(h.startedRows.size(), 4u);  // passed at once, as without speech

  h.session().closeBook();
  h.session().openBookFolder(folder);
  h.advance(1000);
  EXPECT_EQ(h.dialogs.messages.size(), 1u);

  // A synthesizer that goes away while speaking ends the phrase and the reading goes on.
  ReadingHarness late;
  const std::string lateFolder = late.addBook("text", textOnly());
  late.start().openBookFolder(lateFolder);
  late.speech.setAvailable(false);
  ASSERT_TRUE(late.runUntil([&] { return !late.dialogs.messages.empty(); }, 5000));
  EXPECT_GT(late.startedRows.size(), 1u);
}

TEST(PhraseSpeech, MissingAudioIsSpokenAndAnotherProgramsSpeechRestartsThePhrase) {
  ReadingHarness h;
  TestBook book;
  book.headingLevels = {1};
  book.phrases = {{0, "a.wav", "0.000", "1.000", "", "", "text.html", "Clip one."},
                  {0, "", "", "", "", "", "text.html", "Spoken between."},
                  {0, "gone.wav", "0.000", "1.000", "", "", "text.html", "Never recorded."},
                  {0, "a.wav", "1.000", "2.000", "", "", "text.html", "Clip two."}};
  book.audioSeconds = {{"a.wav", 2.0}};
  book.features.audio = true;
  const std::string folder = h.addBook("mixed", book);
  h.start().openBookFolder(folder);
  ASSERT_EQ(h.player.playState(), PlayState::Playing);

  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 1; }, 3000));
  EXPECT_TRUE(h.speech.speaking());
  EXPECT_NE(h.player.playState(), PlayState::Playing);  // the clip before does not run on

  h.speech.interrupt();
  h.advance(10);
  EXPECT_EQ(h.selectedPhrase(), 1);
  EXPECT_EQ(h.speech.spokenTexts(),
            (std::vector<std::string>{"Spoken between.", "Spoken between."}));

  ASSERT_TRUE(h.runUntil([&] { return h.selectedPhrase() == 3; }, 5000));
  EXPECT_EQ(h.speech.spokenTexts().back(), "Never recorded.");
  EXPECT_EQ(h.player.playState(), PlayState::Playing);
}

TEST(PhraseSpeech, TimeJumpsFromASpokenPhraseCountItsTextAndWindingStepsByPhrase) {
  ReadingHarness h;
  TestBook book = textOnly();
  const std::string folder = h.addBook("text", book);
  h.start().openBookFolder(folder);
  // Ten seconds lie beyond this heading's text: the jump lands in the next heading.
  h.command(cmd::kJumpForward10);
  EXPECT_EQ(h.selectedPhrase(), 4);
  EXPECT_EQ(h.speech.spokenTexts().back(), "Next heading.");
  h.command(cmd::kJumpBack10);
  EXPECT_EQ(h.selectedPhrase(), 0);
  EXPECT_TRUE(h.speech.speaking());

  h.command(cmd::kWindForward);
  EXPECT_EQ(h.selectedPhrase(), 1);
  h.command(cmd::kWindBackward);
  EXPECT_EQ(h.selectedPhrase(), 1);
  EXPECT_EQ(h.speech.spokenTexts().back(), "Zweiter Satz, etwas länger.");
  EXPECT_EQ(h.speech.spoken().size(), 5u);  // spoken again from its start
}

}  // namespace
}  // namespace orbis::testing
