#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "platform/BookListDialog.h"
#include "platform/DriveDialog.h"
#include "qtsupport/QtEventLoop.h"
#include "support/RecordingBusyNote.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

class LibraryDialogsTest : public ::testing::Test {
 protected:
  LibraryDialogsTest() {
    testing::ensureQtApplication();
    fillTexts(uiTexts(), kLanguageGerman);
  }
};

TEST_F(LibraryDialogsTest, TheDriveDialogOffersEveryDriveFromTheFirst) {
  DriveDialog dialog({{"/", "", DriveKind::Fixed, "/dev/sda1"},
                      {"/media/anna/STICK", "STICK", DriveKind::Removable, "/dev/sdb1"}});
  dialog.show();
  testing::processEventsUntil([&] { return dialog.list()->hasFocus(); }, 2000);
  EXPECT_FALSE(dialog.list()->accessibleName().isEmpty());
  EXPECT_EQ(dialog.list()->topLevelItemCount(), 2);
  EXPECT_EQ(dialog.root(), "/");
  QTest::keyClick(dialog.list(), Qt::Key_Down);
  QTest::keyClick(dialog.list(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.root(), "/media/anna/STICK");
}

// OK on "Liste erstellen?" searches the drive and leaves the reader in the new list on its
// first book; OK there chooses it.
TEST_F(LibraryDialogsTest, TheBookListIsBuiltInPlaceAndABookChosen) {
  testing::TempDir drive, data;
  drive.write("krimi/ncc.html", "<h1><a href=\"a.smil#x\">Krimi</a></h1>\n");
  testing::RecordingBusyNote busy;
  testing::ScriptedDialogs dialogs;
  CA_DaisySuche logic(drive.str(), data.str() + "/", busy, dialogs);
  BookListDialog dialog(logic);
  dialog.show();
  ASSERT_EQ(dialog.list()->count(), 1);
  QTest::keyClick(dialog.list(), Qt::Key_Return);
  ASSERT_EQ(dialog.list()->count(), 2);
  EXPECT_EQ(dialog.list()->currentRow(), 1);
  EXPECT_TRUE(dialog.isVisible());
  dialog.okButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.folder(), drive.str() + "/krimi/");
}

}  // namespace
}  // namespace orbis
