#include "ui/MenuBarSync.h"

#include <QActionGroup>
#include <algorithm>

namespace orbis {

namespace {

void fillMenu(QMenu& menu, const std::vector<MenuItem>& items,
              const std::function<void(int)>& onCommand) {
  QActionGroup* radioGroup = nullptr;
  for (const MenuItem& item : items) {
    if (item.separator) {
      menu.addSeparator();
      radioGroup = nullptr;
      continue;
    }
    if (item.popup) {
      QMenu* sub = menu.addMenu(QString::fromStdString(item.text));
      sub->menuAction()->setEnabled(item.enabled);
      fillMenu(*sub, item.children, onCommand);
      continue;
    }
    QAction* action = menu.addAction(QString::fromStdString(item.text));
    action->setData(item.id);
    action->setEnabled(item.enabled);
    // A switch says whether it is on also while it is off.
    if (item.radioChecked || item.checked || item.checkable) {
      action->setCheckable(true);
      action->setChecked(item.checked || item.radioChecked);
    }
    // Items of one radio group stand next to each other; Qt draws them as radio items when
    // they share an exclusive group.
    const bool radio = item.radioChecked || std::any_of(items.begin(), items.end(),
                                                        [](auto& i) { return i.radioChecked; });
    if (radio) {
      if (!radioGroup) radioGroup = new QActionGroup(&menu);
      action->setCheckable(true);
      action->setChecked(item.radioChecked);
      radioGroup->addAction(action);
    }
    const int id = item.id;
    // The command runs once the menu has finished with the key or click that chose it: a
    // command that opens a dialog and then redraws the menu bar would otherwise delete the menu
    // while its own handler is still on the stack.
    QObject::connect(
        action, &QAction::triggered, &menu, [onCommand, id] { onCommand(id); },
        Qt::QueuedConnection);
  }
}

}  // namespace

QMenu* popupMenuFor(const MenuItem& submenu, const MenuBarEvents& events, QWidget* parent) {
  auto* menu = new QMenu(QString::fromStdString(submenu.text), parent);
  fillMenu(*menu, submenu.children, events.command);
  for (QAction* action : menu->actions()) {
    if (action->isEnabled() && !action->isSeparator() &&
        (action->isChecked() || !menu->activeAction())) {
      menu->setActiveAction(action);
    }
  }
  QObject::connect(menu, &QMenu::aboutToShow, menu, [opened = events.opened] {
    if (opened) opened();
  });
  QObject::connect(menu, &QMenu::aboutToHide, menu, [menu, closed = events.closed] {
    // After the chosen command, which is queued on the menu: it runs first, then the menu goes.
    QMetaObject::invokeMethod(
        menu,
        [menu, closed] {
          if (closed) closed();
          menu->deleteLater();
        },
        Qt::QueuedConnection);
  });
  return menu;
}

void syncMenuBar(QMenuBar& bar, const MenuModel& model, const MenuBarEvents& events) {
  const auto& onCommand = events.command;
  // The old menus go too, not only their actions; deleteLater keeps a menu that is closing
  // right now alive until its own events are done.
  for (QMenu* old : bar.findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
    old->deleteLater();
  }
  bar.clear();
  for (const MenuItem& top : model.bar()) {
    QMenu* menu = bar.addMenu(QString::fromStdString(top.text));
    menu->menuAction()->setEnabled(top.enabled);
    fillMenu(*menu, top.children, onCommand);
    // Moving from one menu to the next hides one and shows the other; the closing is reported
    // only when no menu of the bar is open any more.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [opened = events.opened] {
      if (opened) opened();
    });
    QObject::connect(menu, &QMenu::aboutToHide, menu, [closed = events.closed, barPtr = &bar] {
      QMetaObject::invokeMethod(
          barPtr,
          [closed, barPtr] {
            if (!barPtr->activeAction() && closed) closed();
          },
          Qt::QueuedConnection);
    });
  }
}

}  // namespace orbis
