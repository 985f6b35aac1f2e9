#include "ui/MenuBarSync.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>

#include "commands/CommandIds.h"
#include "commands/MainMenu.h"
#include "qtsupport/QtEventLoop.h"

namespace orbis {
namespace {

QMenu* menuOf(QAction* action) {
  return action->menu();
}

QAction* actionWithId(QMenu* menu, int id) {
  for (QAction* action : menu->actions()) {
    if (action->data().toInt() == id && !action->menu()) return action;
    if (QMenu* sub = menuOf(action)) {
      if (QAction* found = actionWithId(sub, id)) return found;
    }
  }
  return nullptr;
}

TEST(MenuBarSync, TheBarShowsTheModelAndReportsChoicesAndOpening) {
  testing::ensureQtApplication();
  MenuModel model = buildMainMenu();
  model.setText(cmd::kOpen, "&Öffnen\tStrg+O");
  model.setEnabled(cmd::kChangeVolume, false);
  model.bar()[2].enabled = false;  // "&Audio"
  model.setRadioChecked({cmd::kGerman, cmd::kEnglish}, cmd::kGerman);
  model.setChecked(cmd::kAutoPlay, true);
  model.setChecked(cmd::kSkipFootnotes, false);

  QMenuBar bar;
  std::vector<int> commands;
  int opened = 0, closed = 0;
  MenuBarEvents events{[&](int id) { commands.push_back(id); }, [&] { ++opened; },
                       [&] { ++closed; }};
  syncMenuBar(bar, model, events);

  ASSERT_EQ(bar.actions().size(), 8);
  QMenu* daisy = menuOf(bar.actions()[0]);
  QAction* open = actionWithId(daisy, cmd::kOpen);
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->text(), QStringLiteral("&Öffnen\tStrg+O"));
  EXPECT_TRUE(open->shortcut().isEmpty());  // keys go through the key table only
  EXPECT_FALSE(actionWithId(daisy, cmd::kChangeVolume)->isEnabled());
  EXPECT_FALSE(bar.actions()[2]->isEnabled());
  QAction* german = actionWithId(daisy, cmd::kGerman);
  EXPECT_TRUE(german->isChecked());
  EXPECT_NE(german->actionGroup(), nullptr);
  EXPECT_FALSE(actionWithId(daisy, cmd::kEnglish)->isChecked());
  EXPECT_TRUE(actionWithId(menuOf(bar.actions()[2]), cmd::kAutoPlay)->isChecked());
  // A switch that is off is still a switch, so that it is announced as not checked.
  QAction* skip = actionWithId(menuOf(bar.actions()[1]), cmd::kSkipFootnotes);
  EXPECT_TRUE(skip->isCheckable());
  EXPECT_FALSE(skip->isChecked());

  open->trigger();
  EXPECT_TRUE(commands.empty());  // after the menu is done with the key that chose it
  testing::processEventsUntil([&] { return !commands.empty(); }, 1000);
  EXPECT_EQ(commands, std::vector<int>{cmd::kOpen});

  emit daisy->aboutToShow();
  emit daisy->aboutToHide();
  testing::processEventsUntil([&] { return closed > 0; }, 1000);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(closed, 1);

  // A redraw replaces the menus and keeps no stale ones.
  model.setText(cmd::kOpen, "&Open\tCtrl+O");
  syncMenuBar(bar, model, events);
  QApplication::processEvents();
  EXPECT_EQ(actionWithId(menuOf(bar.actions()[0]), cmd::kOpen)->text(),
            QStringLiteral("&Open\tCtrl+O"));
}

TEST(MenuBarSync, ASubmenuPopsUpOnItsOwnAtItsMarkedItemAndRunsWhatIsChosen) {
  testing::ensureQtApplication();
  MenuModel model = buildMainMenu();
  model.setRadioChecked({cmd::kSleepOff, cmd::kSleep30}, cmd::kSleep30);
  const MenuItem* sleep = model.findPopup("&Einschlaftimer");
  ASSERT_NE(sleep, nullptr);
  std::vector<int> commands;
  int opened = 0, closed = 0;
  QPointer<QMenu> menu = popupMenuFor(
      *sleep, {[&](int id) { commands.push_back(id); }, [&] { ++opened; }, [&] { ++closed; }},
      nullptr);
  ASSERT_EQ(menu->actions().size(), 7);
  ASSERT_NE(menu->activeAction(), nullptr);
  EXPECT_EQ(menu->activeAction()->data().toInt(), cmd::kSleep30);
  menu->popup(QPoint(10, 10));
  EXPECT_EQ(opened, 1);
  menu->actions()[1]->trigger();
  menu->hide();
  testing::processEventsUntil([&] { return !commands.empty() && closed > 0 && !menu; }, 1000);
  EXPECT_EQ(commands, std::vector<int>{cmd::kSleep15});
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(menu.isNull()) << "the popup is gone once closed";
}

}  // namespace
}  // namespace orbis
