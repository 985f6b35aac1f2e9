#include "info/InfoSentences.h"

#include <gtest/gtest.h>

#include "info/CInfoList.h"

namespace orbis {
namespace {

class InfoSentences : public ::testing::Test {
 protected:
  InfoSentences() {
    fillGermanTexts(de);
    fillEnglishTexts(en);
  }
  UiTexts de, en;
};

TEST_F(InfoSentences, DurationsInBothLanguages) {
  EXPECT_EQ(durationText(3725, de), "eine Stunde, 2 Minuten und 5 Sekunden");
  EXPECT_EQ(durationText(3725, en), "one hour, 2 minutes and 5 seconds");
  EXPECT_EQ(durationText(3600, de), "eine Stunde, 0 Minuten und 0 Sekunden");
  EXPECT_EQ(durationText(7322.9, de), "2 Stunden, 2 Minuten und 2 Sekunden");  // fraction dropped
  EXPECT_EQ(durationText(61, en), "0 hours, one minute and one second");
  // Heard past the book's end: nothing remains rather than a negative time.
  EXPECT_EQ(durationText(-12.5, de), "0 Stunden, 0 Minuten und 0 Sekunden");
  EXPECT_EQ(durationText(1e300, en).substr(0, 6), "596523");  // huge, yet no overflow
}

TEST_F(InfoSentences, LabelsRunStraightIntoTheDuration) {
  EXPECT_EQ(timeSentence(de.totalTime, 3725, true, de),
            "Gesamtspieldauereine Stunde, 2 Minuten und 5 Sekunden.");
  EXPECT_EQ(timeSentence(en.remainingTime, 3725, false, en),
            "Remaining time one hour, 2 minutes and 5 seconds");
}

TEST_F(InfoSentences, TimeTextsReadFractionsAsDecimals) {
  EXPECT_DOUBLE_EQ(infoSeconds("01:02:03"), 3723);
  EXPECT_DOUBLE_EQ(infoSeconds("0:00:10.500"), 10.5);
  EXPECT_DOUBLE_EQ(infoSeconds("00:00:06.7000000"), 6.7);  // seven decimals, not 6700 s
  EXPECT_DOUBLE_EQ(infoSeconds(""), 0);
  EXPECT_DOUBLE_EQ(infoSeconds("1:30"), 5400);  // a missing part counts 0
  EXPECT_DOUBLE_EQ(infoSeconds("2"), 7200);
  EXPECT_DOUBLE_EQ(infoSeconds("x:y:z"), 0);
}

TEST_F(InfoSentences, EntriesAreCountedAsANumberButToldAsWritten) {
  EXPECT_EQ(entriesSentence("1", de), de.oneEntryInBook);
  EXPECT_EQ(entriesSentence("01", en), en.oneEntryInBook);
  EXPECT_EQ(entriesSentence("057", de), "057 Einträge in diesem Buch.");
  EXPECT_EQ(entriesSentence("", de), " Einträge in diesem Buch.");
}

TEST_F(InfoSentences, LevelsAndPosition) {
  EXPECT_EQ(levelsSentence(1, de), de.oneLevelBook);
  EXPECT_EQ(levelsSentence(3, de), "Dieses Buch ist in 3 Hierarchieebenen gegliedert.");
  EXPECT_EQ(levelsSentence(3, en), "This book is structured in 3 levels.");
  EXPECT_EQ(headingSentence(5, 57, de), "Sie befinden sich auf Überschrift 5 von insgesamt 57.");
  EXPECT_EQ(levelSentence("2", de), "Sie befinden sich auf Ebene 2 .");
  EXPECT_EQ(levelSentence("2", en), "You are on level 2 .");
}

TEST_F(InfoSentences, TheInfoListSplitsEachLineAtItsFirstBar) {
  CInfoList list(InfoListMode::Title);
  list.addLine("Wert", "a|b");
  list.addLine("leer", "");
  const InfoListContent content = list.content(en);
  EXPECT_EQ(content.caption, "Title Information");
  EXPECT_EQ(content.columns[1], "Value");
  ASSERT_EQ(content.rows.size(), 2u);
  EXPECT_EQ(content.rows[0][1], "a|b");
  EXPECT_EQ(content.rows[1][0], "leer");
  EXPECT_EQ(CInfoList().content(de).caption, "Buch-Information");
}

}  // namespace
}  // namespace orbis
