// Books whose text has no audio, read through the whole main window on the simulated speech
// port: the text view's own document gives the text, the current text line follows.
#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "support/BookBuilder.h"
#include "support/Daisy3Builder.h"
#include "support/EpubBuilder.h"
#include "support/MainDialogRig.h"

namespace orbis::testing {
namespace {

TEST(SpokenBooks, ATextOnlyDaisy3BookIsReadToItsEndInItsLanguage) {
  MainDialogRig rig;
  Daisy3Builder builder(rig.books.path() / "d3");
  builder.audio = false;
  builder.language = "en-US";
  builder.heading(1, "One", 2);
  builder.heading(1, "Two", 1);
  const std::string folder = builder.write();
  CLumen2Dlg& dlg = rig.start();
  dlg.openBookAtStart(folder);
  ASSERT_TRUE(dlg.book().open);
  // Audio commands are offered for a book that speech reads.
  EXPECT_TRUE(dlg.menu().isReachable(cmd::kPauseContinue));
  EXPECT_TRUE(dlg.menu().isReachable(cmd::kReadAloud));

  ASSERT_TRUE(rig.speech.speaking());
  rig.clock.advance(60);
  EXPECT_EQ(rig.view.currentText, rig.speech.spoken().back().text);

  for (int step = 0; step < 2000 && rig.speech.spoken().size() < 3; ++step) rig.clock.advance(10);
  ASSERT_EQ(rig.speech.spoken().size(), 3u);
  for (const auto& utterance : rig.speech.spoken()) {
    EXPECT_NE(utterance.text.find("Phrase"), std::string::npos) << utterance.text;
    EXPECT_EQ(utterance.text.find('<'), std::string::npos) << "no markup: " << utterance.text;
    EXPECT_EQ(utterance.language, "en-US");
  }
  rig.clock.advance(60);
  EXPECT_EQ(rig.view.currentText, rig.speech.spoken().back().text);
  EXPECT_TRUE(rig.dialogs.messages.empty());
}

TEST(SpokenBooks, AnEpubWithoutMediaOverlaysIsSpokenUnitByUnitWithTheTextFollowing) {
  MainDialogRig rig;
  EpubBuilder builder(rig.books.path());
  builder.unitIds = false;  // the units get their ids from the reader
  builder.chapter({"One", {"Alpha is first.", "Beta comes next."}, 1, "", "", true});
  const std::string epub = builder.write();
  CLumen2Dlg& dlg = rig.start();
  dlg.openBookAtStart(epub);
  ASSERT_TRUE(dlg.book().open);
  ASSERT_TRUE(rig.speech.speaking());

  // Every unit the reader hears is the text of the element the mark is on, without markup.
  std::vector<std::string> heard;
  for (int step = 0; step < 3000 && heard.size() < 3; ++step) {
    rig.clock.advance(10);
    if (rig.speech.spoken().size() > heard.size()) {
      rig.clock.advance(60);
      heard.push_back(rig.speech.spoken().back().text);
      EXPECT_EQ(rig.view.currentText, heard.back());
    }
  }
  EXPECT_EQ(heard, (std::vector<std::string>{"One", "Alpha is first.", "Beta comes next."}));
}

TEST(SpokenBooks, ADaisy202BookWithPhrasesWithoutAudioSpeaksThemAndPausesForABox) {
  MainDialogRig rig;
  BookBuilder builder(rig.books.path() / "d2");
  builder.audio = false;
  builder.audioElements = false;
  builder.language = "de";
  builder.heading(1, "Eins", 3);
  const std::string folder = builder.write();
  CLumen2Dlg& dlg = rig.start();
  dlg.openBookAtStart(folder);
  ASSERT_TRUE(rig.speech.speaking());
  EXPECT_EQ(rig.speech.spoken().back().text, "Phrase 1 of Eins.");
  EXPECT_EQ(rig.speech.spoken().back().language, "de");

  // A box pauses the speech as it pauses audio, and reading goes on after it.
  dlg.session().duringModal([&] { EXPECT_TRUE(rig.speech.paused()); });
  EXPECT_TRUE(rig.speech.speaking());

  for (int step = 0; step < 2000 && rig.speech.spoken().size() < 3; ++step) rig.clock.advance(10);
  EXPECT_EQ(
      rig.speech.spokenTexts(),
      (std::vector<std::string>{"Phrase 1 of Eins.", "Phrase 2 of Eins.", "Phrase 3 of Eins."}));

  // Closing the program ends the utterance.
  dlg.onClose();
  EXPECT_FALSE(rig.speech.speaking());
  EXPECT_FALSE(rig.speech.paused());
}

}  // namespace
}  // namespace orbis::testing
