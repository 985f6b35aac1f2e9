#include "library/VolumeChange.h"

#include <gtest/gtest.h>

#include "commands/CommandIds.h"
#include "support/MainDialogRig.h"

namespace orbis {
namespace {

using testing::BookBuilder;

// A book of three volumes in Buch/Teil1 .. Teil3 (Teil3 with a single heading), and another
// book; the reader is at the second heading of the first volume.
class VolumeChangeTest : public ::testing::Test, protected testing::MainDialogRig {
 protected:
  std::string volume(const std::string& name, const std::string& setInfo, int headings,
                     const std::string& title = "Buch") {
    BookBuilder builder(books.path() / name);
    builder.title = title;
    builder.setInfo = setInfo;
    builder.headings(headings, 2);
    return builder.write();
  }

  void SetUp() override {
    first = volume("Buch/Teil1", "1 of 3", 3);
    second = volume("Buch/Teil2", "2 of 3", 3);
    third = volume("Buch/Teil3", "3 of 3", 1);
    other = volume("Anderes/Buch", "1 of 3", 3, "Anderes");
    start().openBookAtStart(first);
    dialog->tree().select(1);
    sounds.played.clear();
  }

  void change(std::vector<std::string> chosen, std::vector<MessageAnswer> answers = {}) {
    for (auto& path : chosen) {
      dialogs.paths.push_back(path.empty() ? std::optional<std::string>() : path + "ncc.html");
    }
    dialogs.answers.assign(answers.begin(), answers.end());
    dialogs.fileDialogFolders.clear();
    ASSERT_TRUE(dialog->onCommand(cmd::kChangeVolume));
  }
  std::string openFolder() { return dialog->book().open ? dialog->book().folder : ""; }
  int heading() { return dialog->tree().itemData(dialog->tree().selected()); }

  std::string first, second, third, other;
};

TEST_F(VolumeChangeTest, TheNextVolumeGoesOnAtTheSameHeadingWithoutAQuestion) {
  change({second});
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.fileDialogFolders, std::vector<std::string>{books.str() + "/Buch/"});
  EXPECT_EQ(openFolder(), second);
  EXPECT_EQ(heading(), 1);
  EXPECT_TRUE(dialog->menu().isEnabled(cmd::kLastBook));
  // The reader knows the book already: no announcement, only the heading's own reading.
  for (const auto& played : sounds.played) EXPECT_EQ(played.untilMs, -1) << played.path;
}

TEST_F(VolumeChangeTest, TheSameVolumeOrAnotherBookIsOpenedOnlyWhenTheReaderInsists) {
  change({first}, {MessageAnswer::Ignore});
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::AbortRetryIgnore);
  EXPECT_EQ(openFolder(), first);
  EXPECT_EQ(heading(), 1);

  change({other}, {MessageAnswer::Abort});
  EXPECT_EQ(openFolder(), first);
  change({""});  // the file dialog cancelled
  EXPECT_EQ(openFolder(), first);
}

TEST_F(VolumeChangeTest, RetryLooksBesideTheRejectedBookAndKeepsTheHeading) {
  change({other, second}, {MessageAnswer::Retry});
  EXPECT_EQ(dialogs.fileDialogFolders,
            (std::vector<std::string>{books.str() + "/Buch/", books.str() + "/Anderes/"}));
  EXPECT_EQ(openFolder(), second);
  EXPECT_EQ(heading(), 1);
}

TEST_F(VolumeChangeTest, AVolumeWithoutTheHeadingStartsAtTheFirst) {
  dialog->tree().select(2);
  change({third}, {MessageAnswer::Ignore});  // its heading count tells it from the others
  EXPECT_EQ(openFolder(), third);
  EXPECT_EQ(heading(), 0);
}

}  // namespace
}  // namespace orbis
