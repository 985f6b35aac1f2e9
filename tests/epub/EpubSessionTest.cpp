// An EPUB opened in the main window from everywhere a book is opened.
#include <gtest/gtest.h>

#include <filesystem>

#include "commands/CommandIds.h"
#include "support/EpubBuilder.h"
#include "support/MainDialogRig.h"

namespace orbis::testing {
namespace {

TEST(EpubSession, OpensFromTheMenuTheCommandLineAndAsLastBookAndPlaysItsNarration) {
  MainDialogRig rig;
  CLumen2Dlg& dlg = rig.start();
  EpubBuilder builder(rig.books.path());
  builder.mediaOverlay = true;
  builder.chapter({"One", {"Alpha.", "Beta."}, 1, "1", "A note.", true});
  builder.chapter({"Two", {"Gamma."}, 1, "2", "", true});
  const std::string epub = builder.write();

  rig.dialogs.paths.push_back(epub);
  dlg.onCommand(cmd::kOpen);
  ASSERT_TRUE(dlg.book().open);
  EXPECT_EQ(rig.dialogs.fileDialogFilters.back().pattern, "ncc.html;*.opf;*.epub");
  EXPECT_EQ(dlg.book().metadata.title, "Test EPUB");
  EXPECT_EQ(dlg.tree().count(), 2);
  EXPECT_TRUE(dlg.menu().isEnabled(cmd::kSkipFootnotes));
  // The narration of the first chapter plays from the unpacked book.
  EXPECT_NE(rig.player.url().find("/cache/epub/"), std::string::npos);
  EXPECT_NE(rig.player.url().find("chapter1.wav"), std::string::npos);
  const std::string folder = dlg.book().folder;
  // Clip after clip of one file plays on without a seek, the mark following the narration.
  rig.player.clearRecords();
  rig.clock.advance(2300);
  EXPECT_EQ(dlg.tables().phrase.selectionMark(), 4);
  EXPECT_TRUE(rig.player.seeks().empty());

  // Closed by another opening that was cancelled, then back as the last book: from the EPUB
  // file itself, since the unpacked copy in the cache may have been cleaned away meanwhile.
  rig.dialogs.paths.push_back(std::nullopt);
  dlg.onCommand(cmd::kOpen);
  ASSERT_FALSE(dlg.book().open);
  std::filesystem::remove_all(folder);
  dlg.onCommand(cmd::kLastBook);
  ASSERT_TRUE(dlg.book().open);
  EXPECT_EQ(dlg.book().folder, folder);

  // Given at start (or by a second start): the same book from the same folder.
  dlg.openBookAtStart(epub);
  ASSERT_TRUE(dlg.book().open);
  EXPECT_EQ(dlg.book().folder, folder);
  EXPECT_TRUE(rig.dialogs.messages.empty());
}

}  // namespace
}  // namespace orbis::testing
