#include "ui/CurrentTextLine.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTextCursor>

#include "texts/UiTexts.h"

namespace orbis {
namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "test_ui";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit Qt's own globals are gone before a static application would be.
  static auto* app = new QApplication(argc, argv);
  return *app;
}

class CurrentTextLineTest : public ::testing::Test {
 protected:
  ~CurrentTextLineTest() override { fillTexts(uiTexts(), kLanguageGerman); }
  // Enabled state of the copy and select-all items for the present selection.
  std::pair<bool, bool> menuStates() {
    std::unique_ptr<QMenu> menu = line.buildContextMenu();
    const auto actions = menu->actions();
    EXPECT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->data().toInt(), 769);
    EXPECT_EQ(actions[1]->data().toInt(), 0x7400);
    return {actions[0]->isEnabled(), actions[1]->isEnabled()};
  }
  void select(int from, int to) {
    QTextCursor cursor = line.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    line.setTextCursor(cursor);
  }

  QApplication& app = application();
  CurrentTextLine line;
};

TEST_F(CurrentTextLineTest, MenuItemsFollowTheSelection) {
  EXPECT_EQ(menuStates(), std::make_pair(false, false));  // empty line
  line.setLine("Bobby McFerrin");
  EXPECT_EQ(menuStates(), std::make_pair(false, true));
  select(0, 5);
  EXPECT_EQ(menuStates(), std::make_pair(true, true));
  select(6, 14);
  EXPECT_EQ(menuStates(), std::make_pair(true, true));
  line.runCommand(CurrentTextLine::kSelectAll);
  EXPECT_EQ(menuStates(), std::make_pair(true, false));
  line.runCommand(CurrentTextLine::kCopy);
  EXPECT_EQ(QApplication::clipboard()->text(), "Bobby McFerrin");
}

TEST_F(CurrentTextLineTest, MenuTextsComeFromTheInterfaceLanguage) {
  auto captions = [this] {
    std::unique_ptr<QMenu> menu = line.buildContextMenu();
    return std::make_pair(menu->actions()[0]->text(), menu->actions()[1]->text());
  };
  EXPECT_EQ(captions(), std::make_pair(QString("&Kopieren"), QString("&Alles markieren")));
  fillTexts(uiTexts(), kLanguageEnglish);
  EXPECT_EQ(captions(), std::make_pair(QString("&Copy"), QString("Select &all")));
}

TEST_F(CurrentTextLineTest, EachPhraseReplacesTheWholeText) {
  line.setLine("first phrase");
  select(0, 5);
  line.setLine("second");
  EXPECT_EQ(line.toPlainText(), "second");
  EXPECT_FALSE(line.textCursor().hasSelection());
}

TEST_F(CurrentTextLineTest, IsAFocusableReadOnlyTextForScreenReaders) {
  line.setLine("text");
  QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(&line);
  ASSERT_NE(a11y, nullptr);
  EXPECT_EQ(a11y->role(), QAccessible::EditableText);
  EXPECT_TRUE(a11y->state().readOnly);
  EXPECT_TRUE(a11y->state().focusable);
}

TEST_F(CurrentTextLineTest, BrailleFocusesTheLineOrTheTextViewWhenTheLineIsHidden) {
  QWidget window;
  auto* current = new CurrentTextLine(&window);
  auto* textView = new QTextEdit(&window);
  window.show();
  QApplication::setActiveWindow(&window);
  focusBrailleTarget(false, current, textView);
  EXPECT_EQ(QApplication::focusWidget(), current);
  focusBrailleTarget(true, current, textView);
  EXPECT_EQ(QApplication::focusWidget(), textView);
}

}  // namespace
}  // namespace orbis
