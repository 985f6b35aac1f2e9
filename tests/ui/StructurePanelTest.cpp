// The structure panel on screen, the commands the window offers, and real books moved through
// by heading and page in the real main window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QMenuBar>
#include <QTest>
#include <filesystem>

#include "commands/CommandIds.h"
#include "commands/MainMenu.h"
#include "navigation/StructurePanel.h"
#include "settings/BuiltinKeys.h"
#include "support/BookBuilder.h"
#include "ui/MainWindowRig.h"

namespace orbis {
namespace {

using namespace orbis::testing;

class StructurePanelTest : public ::testing::Test, public MainWindowRig {
 protected:
  void openGeneratedBook() {
    BookBuilder builder(books.path() / "book");
    builder.heading(1, "Eins", 3);
    builder.page("1");
    builder.group("A");
    const int notes = builder.heading(1, "Anmerkungen", 2);
    builder.headingAt(notes).parAttributes = "system-required=\"footnote-on\"";
    builder.heading(2, "Unten", 2);
    builder.page("2");
    builder.group("B");
    openBook(builder.write());
  }
  void openBook(const std::string& folder) {
    dialog->openBookAtStart(folder);
    ASSERT_TRUE(dialog->book().open);
    clock.advance(300);
    QApplication::processEvents();
  }
  // A real book copied out of the shared folder, which stays read-only.
  std::string sharedBook(const std::string& name) {
    const auto target = books.path() / name;
    std::filesystem::copy(std::filesystem::path(ORBIS_SHARED_BOOKS_DIR) / name, target,
                          std::filesystem::copy_options::recursive);
    return target.string() + "/";
  }
  int heading() const { return dialog->tree().itemData(dialog->tree().selected()); }
  std::string headingText() const { return dialog->tree().text(dialog->tree().selected()); }
  QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QApplication::processEvents();
  }

  TempDir books;
};

// Every enabled item of every menu, every enabled button and every key of the built-in table
// whose item can be chosen has a command that acts: nothing offered is dead.
TEST_F(StructurePanelTest, NothingOfferedIsWithoutAHandler) {
  openGeneratedBook();
  int offered = 0;
  std::function<void(QMenu*)> walk = [&](QMenu* menu) {
    for (QAction* action : menu->actions()) {
      if (action->menu()) {
        if (action->isEnabled()) walk(action->menu());
        continue;
      }
      const int id = action->data().toInt();
      if (action->isSeparator() || id == 0 || !action->isEnabled()) continue;
      ++offered;
      EXPECT_TRUE(dialog->commands().has(id)) << "menu item " << id;
    }
  };
  for (QAction* top : window.menuBar()->actions()) {
    if (top->menu() && top->isEnabled()) walk(top->menu());
  }
  EXPECT_GT(offered, 20);  // the walk saw the menus
  for (QWidget* child : window.findChildren<QWidget*>()) {
    auto* button = qobject_cast<ImageButton*>(child);
    if (!button || !button->isEnabled()) continue;
    EXPECT_TRUE(dialog->commands().has(button->id())) << "button " << button->id();
  }
  for (const BuiltinKey& key : builtinKeys()) {
    if (!dialog->menu().isReachable(key.commandId)) continue;
    EXPECT_TRUE(dialog->commands().has(key.commandId)) << "key of " << key.commandId;
  }
  for (const Accelerator& key : dialog->accelerators().entries()) {
    for (int hidden : hiddenMenuCommands()) {
      EXPECT_TRUE(key.commandId != hidden || dialog->commands().has(hidden));
    }
  }
  // What this window moves by is all on offer for a book that has it.
  for (int id : {cmd::kPageNext, cmd::kPageGoto, cmd::kGroupNext, cmd::kSkipFootnotes,
                 cmd::kSwitchToTree, cmd::kPhraseForward}) {
    EXPECT_TRUE(dialog->menu().isReachable(id)) << id;
  }
}

TEST_F(StructurePanelTest, TheSlidersAreAnnouncedWithTheirValueAndEscapeReturns) {
  openGeneratedBook();
  StructurePanelWindow& panel = window.panel();
  window.activateWindow();
  window.button(ctl::kButtonVolume)->setFocus();
  QApplication::processEvents();
  press(Qt::Key_Return);  // the button is pressed
  ASSERT_TRUE(panel.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), panel.volumeSlider());
  EXPECT_EQ(panel.size(), QSize(45, 150));
  EXPECT_EQ(player.playState(), PlayState::Paused);
  QAccessibleInterface* slider = accessible(panel.volumeSlider());
  EXPECT_EQ(slider->role(), QAccessible::Slider);
  EXPECT_EQ(slider->text(QAccessible::Name), QStringLiteral("Lautstärke einstellen"));
  ASSERT_NE(slider->valueInterface(), nullptr);
  EXPECT_EQ(slider->valueInterface()->currentValue().toInt(), player.volume() / 10);
  EXPECT_EQ(slider->valueInterface()->maximumValue().toInt(), 10);
  const int before = player.volume();
  press(Qt::Key_Up);  // louder
  EXPECT_EQ(player.volume(), std::min(100, before + 10));
  press(Qt::Key_Escape);
  EXPECT_FALSE(panel.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), window.button(ctl::kButtonVolume));
  EXPECT_EQ(player.playState(), PlayState::Playing);
}

TEST_F(StructurePanelTest, TheHeadingsTreeInThePanelPlaysTheHeadingMovedTo) {
  dialog->settings().TreeVisible = false;
  dialog->onSize();  // the window lays itself out without the tree
  openGeneratedBook();
  StructurePanelWindow& panel = window.panel();
  window.activateWindow();
  window.textWidget()->setFocus();
  QApplication::processEvents();
  press(Qt::Key_N);
  ASSERT_TRUE(panel.isVisible());
  EXPECT_EQ(panel.windowTitle(), QStringLiteral("Ebenen"));
  EXPECT_EQ(QApplication::focusWidget(), panel.tree());
  EXPECT_EQ(accessible(panel.tree())->role(), QAccessible::Tree);
  EXPECT_EQ(accessible(panel.tree())->text(QAccessible::Name), QStringLiteral("Ebenen"));
  press(Qt::Key_Down);
  EXPECT_EQ(headingText(), "Anmerkungen");
  EXPECT_EQ(player.playState(), PlayState::Playing);
  press(Qt::Key_Return);  // inert: the panel stays
  EXPECT_TRUE(panel.isVisible());
  press(Qt::Key_F6);
  EXPECT_FALSE(panel.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), window.textWidget());
}

TEST_F(StructurePanelTest, TheGroupListActsOnEveryChoice) {
  openGeneratedBook();
  StructurePanelWindow& panel = window.panel();
  dialog->onCommand(ctl::kButtonGroups);
  QApplication::processEvents();
  QListWidget* groups = panel.list(kPanelGroups);
  ASSERT_TRUE(panel.isVisible());
  EXPECT_EQ(accessible(groups)->role(), QAccessible::List);
  EXPECT_EQ(accessible(groups)->text(QAccessible::Name), QStringLiteral("Gruppen"));
  ASSERT_EQ(groups->count(), 2);
  EXPECT_TRUE(groups->isEnabled());
  EXPECT_FALSE(panel.list(kPanelBookmarks)->isEnabled());  // empty
  QTest::mouseClick(groups->viewport(), Qt::LeftButton, {},
                    groups->visualItemRect(groups->item(1)).center());
  EXPECT_EQ(headingText(), "Unten");
  dialog->onCommand(ctl::kButtonPreviousLevel);
  ASSERT_NE(headingText(), "Unten");
  QTest::mouseClick(groups->viewport(), Qt::LeftButton, {},
                    groups->visualItemRect(groups->item(1)).center());
  EXPECT_EQ(headingText(), "Unten");
}

TEST_F(StructurePanelTest, PagesOfRealBooks) {
  openBook(sharedBook("light-man"));
  const BookTable& pages = dialog->tables().page;
  ASSERT_EQ(pages.rowCount(), 26);
  // The book starts before its first page: S goes to page 1, not page 2.
  EXPECT_EQ(pages.selectionMark(), -1);
  for (int i = 0; i < 5; ++i) dialog->onCommand(cmd::kPageNext);
  EXPECT_EQ(pages.selectionMark(), 4);
  const std::string label(pages.cell(4, PageCol::Label));
  dialogs.texts = {label};
  dialog->onCommand(cmd::kPageNext);
  dialog->onCommand(cmd::kPageGoto);
  EXPECT_EQ(pages.selectionMark(), 4);
  EXPECT_EQ(dialog->tables().page.cell(4, PageCol::Label), label);

  openBook(sharedBook("daisy-brochure"));
  const BookTable& brochure = dialog->tables().page;
  ASSERT_GT(brochure.rowCount(), 1);
  dialogs.texts = {std::string("8")};  // the page whose label the book glued into a heading
  dialog->onCommand(cmd::kPageGoto);
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back().text, "Die angegebene Seite wurde nicht gefunden.");
  const int last = brochure.rowCount() - 1;
  dialogs.texts = {std::string(brochure.cell(last, PageCol::Label))};
  dialog->onCommand(cmd::kPageGoto);
  EXPECT_EQ(brochure.selectionMark(), last);
  EXPECT_FALSE(dialog->menu().isEnabled(cmd::kPageNext));
}

TEST_F(StructurePanelTest, HeadingsOfARealBookInDocumentOrder) {
  openBook(sharedBook("amis-help-nb"));
  const int count = dialog->tree().count();
  ASSERT_EQ(count, 56);
  std::vector<int> order;
  for (int i = 0; i < count + 1; ++i) {
    order.push_back(heading());
    dialog->onCommand(ctl::kButtonNextLevel);
  }
  for (int i = 0; i < count; ++i) EXPECT_EQ(order[i], i);
  EXPECT_EQ(order[count], count - 1);  // the last heading stays
  for (int i = count - 1; i > 0; --i) {
    dialog->onCommand(ctl::kButtonPreviousLevel);
    ASSERT_EQ(heading(), i - 1);
  }
}

}  // namespace
}  // namespace orbis
