#include "ui/MainWindow.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "app/CLumen2Dlg.h"
#include "commands/CommandIds.h"
#include "platform/VirtualKeys.h"
#include "qtsupport/QtEventLoop.h"
#include "support/BookBuilder.h"
#include "support/FakeDrives.h"
#include "support/FakeMainView.h"
#include "support/ManualClock.h"
#include "support/RecordingShell.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/SimulatedPlayer.h"
#include "support/TempDir.h"
#include "texts/UiTexts.h"
#include "ui/MainWindowRig.h"

namespace orbis {
namespace {

using namespace orbis::testing;

class MainWindowTest : public ::testing::Test, public MainWindowRig {};

TEST_F(MainWindowTest, TitleMenusAndButtonsAreInPlace) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Orbis - Orbis Velora"));
  const auto menus = window.menuBar()->actions();
  ASSERT_EQ(menus.size(), 8);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("&DAISY"));
  EXPECT_EQ(menus[7]->text(), QStringLiteral("Hilfe"));
  for (const auto& faces : {ctl::kButtonOpen, ctl::kButtonNextPage, ctl::kButtonMute}) {
    ImageButton* button = window.button(faces);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->width(), CLumen2Dlg::kButtonSize);
  }
}

TEST_F(MainWindowTest, AWindowTallerThanTheDesktopIsBroughtBackOntoIt) {
  const QRect desktop = window.screen()->availableGeometry();
  window.showNormal();
  window.resize(900, desktop.height() + 400);
  QApplication::processEvents();
  EXPECT_EQ(window.height(), desktop.height() - 50);
  EXPECT_LE(window.frameGeometry().bottom(), desktop.bottom());
}

TEST_F(MainWindowTest, EscapeAndEnterNeverCloseTheWindow) {
  window.textWidget()->setFocus();
  QTest::keyClick(window.textWidget(), Qt::Key_Escape);
  QTest::keyClick(window.textWidget(), Qt::Key_Return);
  QTest::keyClick(window.button(ctl::kButtonLevels), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(dialog->closing());
}

TEST_F(MainWindowTest, TheCloseBoxRunsTheExitRoutine) {
  window.close();
  QApplication::processEvents();
  EXPECT_TRUE(dialog->closing());
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(std::filesystem::exists(data.path() / "Settings.dl"));
}

// A command chosen in a menu runs after the menu has returned from its own handling: a modal box
// the command opens may redraw, and so delete, the menus while it is open.
TEST_F(MainWindowTest, AMenuCommandRunsOnceTheMenuHasReturned) {
  QAction* english = nullptr;
  std::function<void(QMenu*)> find = [&](QMenu* menu) {
    for (QAction* item : menu->actions()) {
      if (item->menu()) find(item->menu());
      if (item->data().toInt() == cmd::kEnglish) english = item;
    }
  };
  for (QAction* top : window.menuBar()->actions()) find(top->menu());
  ASSERT_NE(english, nullptr);
  QPointer<QObject> menu = english->parent();
  english->trigger();
  EXPECT_EQ(languageIndex(), kLanguageGerman);
  QApplication::processEvents();
  EXPECT_EQ(languageIndex(), kLanguageEnglish);
  QApplication::processEvents();  // the relabelled menus replaced the old ones
  EXPECT_TRUE(menu.isNull());
  dialog->languageCommand(kLanguageGerman);
}

TEST_F(MainWindowTest, EveryButtonAndLabelHasAnAccessibleName) {
  int buttons = 0, labels = 0;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisible()) continue;
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(child);
    ASSERT_NE(access, nullptr);
    const QString name = access->text(QAccessible::Name);
    if (qobject_cast<ImageButton*>(child)) {
      ++buttons;
      EXPECT_FALSE(name.isEmpty()) << child->objectName().toStdString();
      EXPECT_EQ(child->toolTip(), name);
    } else if (qobject_cast<QLabel*>(child)) {
      ++labels;
      EXPECT_FALSE(name.isEmpty());
    }
  }
  EXPECT_EQ(buttons, 19);
  EXPECT_EQ(labels, 3);
  // The labelled controls carry the label's words without the mnemonic mark.
  EXPECT_EQ(window.textWidget()->accessibleName(), QStringLiteral("Textansicht"));
  EXPECT_EQ(window.currentText()->accessibleName(), QStringLiteral("Aktuelle Textzeile"));
  EXPECT_EQ(window.tree()->accessibleName(), QStringLiteral("Ebenen"));
}

TEST_F(MainWindowTest, EnglishRelabelsButtonsAndMenusAtOnce) {
  dialog->onCommand(cmd::kEnglish);
  QApplication::processEvents();
  EXPECT_EQ(window.button(ctl::kButtonPlay)->accessibleName(), QStringLiteral("Play"));
  EXPECT_EQ(window.menuBar()->actions()[4]->text(), QStringLiteral("&Bookmark"));
  EXPECT_EQ(window.textWidget()->accessibleName(), QStringLiteral("Text view"));
}

TEST_F(MainWindowTest, TabMovesTheFocusThroughTheAreas) {
  window.activateWindow();
  window.textWidget()->setFocus();
  QApplication::processEvents();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window.currentText());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window.button(ctl::kButtonOpen));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window.tree());
}

// Once the menu bar has the keyboard, its keys are the menus' own, although the key table gives
// N, Space and Escape other work in the window.
TEST_F(MainWindowTest, TheMenuBarTakesEveryKeyWhileItHasTheKeyboard) {
  QMenuBar& bar = *window.menuBar();
  auto altAlone = [] {
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt);
  };
  TempDir books;
  BookBuilder builder(books.path() / "book");
  builder.headings(2, 2);
  dialog->openBookAtStart(builder.write());  // the Navigation menu is grayed without a book
  window.activateWindow();
  window.textWidget()->setFocus();
  QApplication::processEvents();

  altAlone();
  ASSERT_EQ(QApplication::focusWidget(), &bar);
  QTest::keyClick(&bar, Qt::Key_N);
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(QApplication::activePopupWidget(), bar.actions()[1]->menu());  // &Navigation
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);      // back to the bar
  QTest::keyClick(&bar, Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), window.textWidget());

  altAlone();
  QTest::keyClick(&bar, Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), window.textWidget());

  window.currentText()->setFocus();
  QTest::keyClick(window.currentText(), Qt::Key_F10);
  ASSERT_EQ(QApplication::focusWidget(), &bar);
  QTest::keyClick(&bar, Qt::Key_Space);  // opens the highlighted menu, &DAISY
  EXPECT_EQ(QApplication::activePopupWidget(), bar.actions()[0]->menu());
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
  QTest::keyClick(&bar, Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), window.currentText());
}

TEST_F(MainWindowTest, KeysReachTheReadingThroughTheKeyTable) {
  TempDir books;
  BookBuilder builder(books.path() / "book");
  builder.headings(2, 4);
  dialog->openBookAtStart(builder.write());
  ASSERT_TRUE(dialog->book().open);
  clock.advance(300);
  const int first = dialog->tables().phrase.selectedRow();
  window.activateWindow();
  window.textWidget()->setFocus();
  QApplication::processEvents();

  QTest::keyClick(window.textWidget(), Qt::Key_P);  // phrase forward
  EXPECT_EQ(dialog->tables().phrase.selectedRow(), first + 1);
  QTest::keyClick(window.textWidget(), Qt::Key_P, Qt::ShiftModifier);  // and back
  EXPECT_EQ(dialog->tables().phrase.selectedRow(), first);

  ASSERT_EQ(player.playState(), PlayState::Playing);
  QTest::keyClick(window.textWidget(), Qt::Key_Space);  // pause in the text view
  EXPECT_EQ(player.playState(), PlayState::Paused);
  QTest::keyClick(window.currentText(), Qt::Key_Space);  // and on from the current text line
  EXPECT_EQ(player.playState(), PlayState::Playing);

  // Alt+A is both the key of automatic playback and the mnemonic of the Audio menu: the
  // assigned key wins, as the menu is still reached with F10 or the Alt key alone.
  ASSERT_TRUE(dialog->session().state().autoPlayback);
  QTest::keyClick(window.textWidget(), Qt::Key_A, Qt::AltModifier);
  EXPECT_FALSE(dialog->session().state().autoPlayback);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  QTest::keyClick(window.textWidget(), Qt::Key_F10);  // the menus stay reachable
  EXPECT_EQ(QApplication::focusWidget(), window.menuBar());
  QTest::keyClick(window.menuBar(), Qt::Key_Escape);

  // The phrase's text stands in the current text line.
  clock.advance(100);
  EXPECT_FALSE(window.currentText()->toPlainText().isEmpty());

  // Alt+W asks for another volume while a book is open (the file dialog cancelled here).
  QTest::keyClick(window.textWidget(), Qt::Key_W, Qt::AltModifier);
  EXPECT_EQ(dialogs.fileDialogTitles.size(), 1u);
}

}  // namespace
}  // namespace orbis
