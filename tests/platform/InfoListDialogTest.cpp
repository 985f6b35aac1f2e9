#include "platform/InfoListDialog.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "qtsupport/QtEventLoop.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

InfoListContent bookList() {
  InfoListContent list;
  list.caption = "Buch-Information";
  list.columns = {"Information", "Wert"};
  list.rows = {{"Gesamtspieldauer", "eine Stunde, 27 Minuten und 15 Sekunden."},
               {"Einträge", "43 Einträge in diesem Buch."}};
  return list;
}

class InfoListDialogTest : public ::testing::Test {
 protected:
  InfoListDialogTest() { testing::ensureQtApplication(); }
  void show(InfoListDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    testing::processEventsUntil([&] { return dialog.list()->hasFocus(); }, 2000);
  }
};

// A screen reader hears the dialog's title, the focused list by its name and the focused row
// with both of its cells.
TEST_F(InfoListDialogTest, TheListIsAnnouncedWithItsFocusedRow) {
  InfoListDialog dialog(bookList());
  show(dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Buch-Information"));
  EXPECT_EQ(dialog.label()->text(), QStringLiteral("Buch-Information"));
  ASSERT_TRUE(dialog.list()->hasFocus());

  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(dialog.list());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->role(), QAccessible::Table);
  EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Buch-Information"));
  QAccessibleTableInterface* table = list->tableInterface();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->columnCount(), 2);
  EXPECT_EQ(table->columnDescription(1), QStringLiteral("Wert"));
  ASSERT_EQ(table->selectedRowCount(), 1);
  EXPECT_EQ(table->selectedRows().front(), 0);
  EXPECT_EQ(table->cellAt(0, 1)->text(QAccessible::Name),
            QStringLiteral("eine Stunde, 27 Minuten und 15 Sekunden."));
  QAccessibleInterface* focused = list->focusChild();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->text(QAccessible::Name), QStringLiteral("Gesamtspieldauer"));

  // Down moves the whole row; the cells stay read-only.
  QTest::keyClick(dialog.list(), Qt::Key_Down);
  EXPECT_EQ(table->selectedRows(), QList<int>{1});
  QTest::keyClick(dialog.list(), Qt::Key_Home);  // the first row, as in a list
  EXPECT_EQ(dialog.list()->currentRow(), 0);
  EXPECT_EQ(dialog.list()->currentColumn(), 0);
  EXPECT_FALSE(dialog.list()->item(1, 1)->flags() & Qt::ItemIsEditable);
}

TEST_F(InfoListDialogTest, ButtonsInTheLanguageAndAnEmptyList) {
  fillTexts(uiTexts(), kLanguageEnglish);
  InfoListDialog dialog(bookList());
  fillTexts(uiTexts(), kLanguageGerman);
  EXPECT_EQ(dialog.buttons()->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("&Cancel"));
  QTest::keyClick(dialog.list(), Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  InfoListDialog empty(InfoListContent{});  // no rows: nothing to select, nothing breaks
  EXPECT_EQ(empty.list()->rowCount(), 0);
  EXPECT_EQ(empty.list()->currentRow(), -1);
}

}  // namespace
}  // namespace orbis
