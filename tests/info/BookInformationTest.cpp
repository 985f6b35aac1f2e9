#include "info/BookInformation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "commands/CommandIds.h"
#include "commands/MainMenu.h"
#include "playback/SelectHeading.h"
#include "support/MainDialogRig.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

// The generated book of the rig: four headings of three one-second phrases (12 s), two levels,
// and 10 NCC entries (4 headings, 4 pages, 2 groups).
class BookInformationTest : public ::testing::Test, public testing::MainDialogRig {
 protected:
  void openBook() {
    startWithBook();
    ASSERT_TRUE(dialog->book().open);
    clock.advance(300);
  }
  // Goes to a heading and plays `ms` into it.
  void readInto(int treeId, std::int64_t ms) {
    selectHeadingByTreeId(dialog->tree(), treeId);
    clock.advance(ms);
  }
  std::string answer(int command) {
    dialogs.messages.clear();
    EXPECT_TRUE(dialog->onCommand(command));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    if (dialogs.messages.empty()) return {};
    EXPECT_EQ(dialogs.messages.back().caption, "Information");
    EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::Information);
    return dialogs.messages.back().text;
  }
  // Runs an information list command; the one list it showed (an empty one when none).
  const InfoListContent& showList(int command) {
    dialogs.infoLists.clear();
    EXPECT_TRUE(dialog->onCommand(command));
    EXPECT_EQ(dialogs.infoLists.size(), 1u);
    if (dialogs.infoLists.empty()) dialogs.infoLists.emplace_back();
    return dialogs.infoLists.back();
  }
  std::string sharedBook(const std::string& name) {
    const auto target = books.path() / name;
    std::filesystem::copy(std::filesystem::path(ORBIS_SHARED_BOOKS_DIR) / name, target,
                          std::filesystem::copy_options::recursive);
    return target.string() + "/";
  }
};

TEST_F(BookInformationTest, TheBookListTellsTimesEntriesAndLevels) {
  openBook();
  readInto(1, 1500);  // 1.5 s into "Zwei", which starts 3 s into the book
  const InfoListContent& list = showList(cmd::kBookInformation);
  EXPECT_EQ(list.caption, "Buch-Information");
  ASSERT_EQ(list.rows.size(), 5u);
  EXPECT_EQ(list.rows[0][1], "0 Stunden, 0 Minuten und 12 Sekunden.");
  EXPECT_EQ(list.rows[1][1], "0 Stunden, 0 Minuten und 4 Sekunden.");
  EXPECT_EQ(list.rows[2][1], "0 Stunden, 0 Minuten und 7 Sekunden");
  EXPECT_EQ(list.rows[3][1], "10 Einträge in diesem Buch.");
  EXPECT_EQ(list.rows[4][1], "Dieses Buch ist in 2 Hierarchieebenen gegliedert.");
}

TEST_F(BookInformationTest, TheTitleListCountsHeadingsNotNccEntries) {
  openBook();
  readInto(2, 1500);  // "Zwei.1", level 2, the third of four headings
  const InfoListContent& list = showList(cmd::kTitleInformation);
  EXPECT_EQ(list.caption, "Titel-Information");
  ASSERT_EQ(list.rows.size(), 5u);
  EXPECT_EQ(list.rows[0][1], "0 Stunden, 0 Minuten und 3 Sekunden.");
  EXPECT_EQ(list.rows[1][1], "0 Stunden, 0 Minuten und eine Sekunde.");
  EXPECT_EQ(list.rows[2][1], "0 Stunden, 0 Minuten und eine Sekunde.");
  EXPECT_EQ(list.rows[3][1], "Sie befinden sich auf Überschrift 3 von insgesamt 4.");
  EXPECT_EQ(list.rows[4][1], "Sie befinden sich auf Ebene 2 .");
}

TEST_F(BookInformationTest, ReadingPausesDuringTheAnswerAndGoesOnWithAutoPlayback) {
  openBook();
  readInto(0, 500);
  ASSERT_EQ(player.playState(), PlayState::Playing);
  std::vector<PlayState> during;
  dialogs.onOpen = [&] { during.push_back(player.playState()); };
  int sentences = 0;
  for (int command : hiddenMenuCommands()) {
    if (command == cmd::kSleepTimerMenu) continue;  // opens a menu, tells nothing
    answer(command);
    ++sentences;
  }
  dialog->onCommand(cmd::kBookInformation);
  dialog->onCommand(cmd::kTitleInformation);
  EXPECT_EQ(during, std::vector<PlayState>(sentences + 2, PlayState::Paused));
  EXPECT_EQ(player.playState(), PlayState::Playing);

  dialog->onCommand(cmd::kAutoPlay);  // off: the reader resumes by hand
  answer(cmd::kBookTimeTotal);
  EXPECT_EQ(player.playState(), PlayState::Paused);
}

TEST_F(BookInformationTest, SentencesFollowTheLanguage) {
  openBook();
  readInto(3, 1200);
  dialog->languageCommand(kLanguageEnglish);
  EXPECT_EQ(answer(cmd::kBookTimeTotal), "Total time 0 hours, 0 minutes and 12 seconds.");
  EXPECT_EQ(answer(cmd::kBookTimeRest), "Remaining time 0 hours, 0 minutes and one second");
  EXPECT_EQ(answer(cmd::kTitleTimeHeard), "Elapsed time 0 hours, 0 minutes and one second.");
  EXPECT_EQ(answer(cmd::kTitleIndex), "You are at heading 4 of 4.");
  EXPECT_EQ(answer(cmd::kSleepTimeLeft), "The sleep timer is off.");
  dialog->onCommand(cmd::kSleep45);
  EXPECT_EQ(answer(cmd::kSleepTimeLeft),
            "The sleep timer runs for another 0 hours, 45 minutes and 0 seconds.");
  ASSERT_TRUE(dialog->onCommand(cmd::kTitleInformation));
  EXPECT_EQ(dialogs.infoLists.back().caption, "Title Information");
  EXPECT_EQ(dialogs.infoLists.back().rows[3][0], "Titel");
}

TEST_F(BookInformationTest, WithoutABookTheSentencesTellEmptyValues) {
  start();
  EXPECT_EQ(answer(cmd::kBookTimeHeard), "Gehörte Spieldauer0 Stunden, 0 Minuten und 0 Sekunden.");
  EXPECT_EQ(answer(cmd::kTitleIndex), "Sie befinden sich auf Überschrift 0 von insgesamt 0.");
  EXPECT_EQ(answer(cmd::kBookLevels), uiTexts().oneLevelBook);
  EXPECT_FALSE(dialog->onCommand(cmd::kBookInformation));  // grayed in the menu
}

TEST_F(BookInformationTest, AKeyInTheKeyFileReachesASentenceCommand) {
  std::filesystem::create_directories(data.path());
  std::ofstream(data.path() / "Active.kbd") << "[Keys]\n32824=73\\2\n32825=79\\2\n";
  openBook();
  dialogs.messages.clear();
  EXPECT_TRUE(dialog->onKeyDown('I', true, false, false));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Sie befinden sich auf Überschrift 1 von insgesamt 4.");
}

TEST_F(BookInformationTest, ARealBookCountsItsHeadingsAndItsPlayTime) {
  start();
  dialog->openBookAtStart(sharedBook("light-man"));
  ASSERT_TRUE(dialog->book().open);
  selectHeadingByTreeId(dialog->tree(), 16);
  player.pause();
  EXPECT_EQ(answer(cmd::kTitleIndex), "Sie befinden sich auf Überschrift 17 von insgesamt 17.");
  EXPECT_EQ(answer(cmd::kBookTimeTotal),
            "Gesamtspieldauereine Stunde, 27 Minuten und 15 Sekunden.");
  EXPECT_EQ(answer(cmd::kBookEntries), "43 Einträge in diesem Buch.");
  EXPECT_EQ(answer(cmd::kBookLevels), uiTexts().oneLevelBook);
  // The last heading starts 01:26:25.410 into the book.
  EXPECT_EQ(answer(cmd::kBookTimeHeard),
            "Gehörte Spieldauereine Stunde, 26 Minuten und 25 Sekunden.");
}

}  // namespace
}  // namespace orbis
