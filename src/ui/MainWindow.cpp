#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>

#include "app/ButtonFaces.h"
#include "app/CLumen2Dlg.h"
#include "commands/CommandIds.h"
#include "platform/VirtualKeys.h"
#include "ui/MenuBarSync.h"

// The pictures live in a static library; naming its initialiser keeps it in the program. The
// macro must be used outside any namespace.
static void initialiseImageResources() {
  Q_INIT_RESOURCE(images);
}

namespace orbis {

namespace {
constexpr const char* kControlIdProperty = "orbisControlId";

QString face(int number) {
  return QStringLiteral(":/buttons/%1.svg").arg(number);
}
QString alternateFace(int id, const char* state) {
  return QStringLiteral(":/buttons/%1-alt-%2.svg").arg(id).arg(QLatin1String(state));
}
}  // namespace

MainWindow::MainWindow(Shell& shell, QWidget* parent) : QMainWindow(parent) {
  initialiseImageResources();
  setWindowTitle(QString::fromLatin1(kTitle));
  setWindowIcon(QIcon(QStringLiteral(":/icons/orbis-velora.svg")));
  client_ = new QWidget(this);
  setCentralWidget(client_);
  textView_ = std::make_unique<QtTextView>(shell, client_);
  createControls();
  panel_ = new StructurePanelWindow(this);
  panel_->buttonCorner = [this](int id) {
    QWidget* at = button(id);
    return at ? at->mapToGlobal(QPoint(0, 0)) : mapToGlobal(QPoint(0, 0));
  };
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  treeMirror_.reset();
}

void MainWindow::attach(CLumen2Dlg* logic) {
  logic_ = logic;
  if (!logic) {
    treeMirror_.reset();
    panel_->attach(nullptr, {});
    return;
  }
  panel_->attach(&logic->panel(), [this](int volume, int speed) {
    if (logic_) logic_->session().onSlidersMoved(volume, speed);
  });
  mirrorTreeInWindow(true);
}

// The tree the reader uses, in the window or in the structure panel, is the one that mirrors the
// headings.
void MainWindow::mirrorTreeInWindow(bool inWindow) {
  if (!logic_) return;
  if (!inWindow) {
    treeMirror_.reset();
  } else if (!treeMirror_) {
    treeMirror_ = std::make_unique<HeadingsTreeMirror>(logic_->tree(), *tree_);
  } else {
    treeMirror_->syncSelection();  // it may have been hidden while reading went on
  }
  panel_->mirrorTree(inWindow ? nullptr : &logic_->tree());
}

void MainWindow::setCurrentText(const std::string& text) {
  currentText_->setLine(text);
}

void MainWindow::registerControl(int id, QWidget* widget) {
  widget->setProperty(kControlIdProperty, id);
  controls_[id] = widget;
}

void MainWindow::createControls() {
  for (const auto& faces : buttonFaces()) {
    auto* button = new ImageButton(faces.id, face(faces.normal), face(faces.focused), client_);
    if (faces.id == ctl::kButtonPlay || faces.id == ctl::kButtonMute) {
      button->setAlternateFaces(alternateFace(faces.id, "normal"),
                                alternateFace(faces.id, "focused"));
    }
    const int id = faces.id;
    connect(button, &QPushButton::clicked, this, [this, id] {
      if (logic_) logic_->onCommand(id);
    });
    registerControl(id, button);
    buttons_[id] = button;
  }

  tree_ = new QTreeView(client_);
  tree_->setHeaderHidden(true);
  registerControl(ctl::kTree, tree_);

  registerControl(ctl::kTextView, textView_->widget());

  currentText_ = new CurrentTextLine(client_);
  registerControl(ctl::kCurrentText, currentText_);
  // A caret two pixels wide is easier to find for a reader with low vision.
  textView_->widget()->setCursorWidth(2);
  currentText_->setCursorWidth(2);

  const std::pair<int, QWidget*> labels[] = {{ctl::kLabelTextView, textView_->widget()},
                                             {ctl::kLabelCurrentText, currentText_},
                                             {ctl::kLabelTree, tree_}};
  for (const auto& [id, buddy] : labels) {
    auto* label = new QLabel(client_);
    label->setBuddy(buddy);
    registerControl(id, label);
  }
}

QWidget* MainWindow::control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

ImageButton* MainWindow::button(int id) const {
  auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

void MainWindow::setControlText(int id, const std::string& text) {
  const QString qtext = QString::fromStdString(text);
  if (ImageButton* b = button(id)) {
    b->setCaption(qtext);
    return;
  }
  if (auto* label = qobject_cast<QLabel*>(control(id))) {
    label->setText(qtext);
    // The labelled control is announced by the label's words, without the mnemonic mark.
    if (QWidget* buddy = label->buddy()) {
      QString name = qtext;
      name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
      buddy->setAccessibleName(name);
    }
  }
}

void MainWindow::applyLayout(const LayoutResult& layout) {
  for (const auto& [id, rect] : layout.geometry) {
    if (QWidget* widget = control(id)) widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
  }
  for (const auto& [id, visible] : layout.visible) {
    if (QWidget* widget = control(id)) widget->setVisible(visible);
  }
  if (auto tree = layout.visible.find(ctl::kTree); tree != layout.visible.end()) {
    mirrorTreeInWindow(tree->second);
  }
}

int MainWindow::clientWidth() const {
  return client_->width();
}
int MainWindow::clientHeight() const {
  return client_->height();
}

void MainWindow::setButtonAlternate(int id, bool alternate) {
  if (ImageButton* b = button(id)) b->setAlternate(alternate);
}

void MainWindow::focusControl(int id) {
  QWidget* widget = control(id);
  if (!widget) return;
  // The focus may come back from the structure panel, another window.
  activateWindow();
  widget->setFocus(Qt::OtherFocusReason);
}

int MainWindow::focusedControl() const {
  QWidget* focused = QApplication::focusWidget();
  if (!focused) return -1;
  for (QWidget* w = focused; w; w = w->parentWidget()) {
    QVariant id = w->property(kControlIdProperty);
    if (id.isValid()) return id.toInt();
  }
  return 0;
}

bool MainWindow::controlVisible(int id) const {
  QWidget* widget = control(id);
  return widget && widget->isVisibleTo(this);
}

void MainWindow::setControlEnabled(int id, bool enabled) {
  if (QWidget* widget = control(id)) widget->setEnabled(enabled);
}

void MainWindow::showAboutBox() {
  QMessageBox box(this);
  box.setWindowTitle(QStringLiteral("Orbis Velora"));
  box.setIconPixmap(windowIcon().pixmap(48, 48));
  box.setText(QStringLiteral("Orbis Velora v 1.0"));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

MenuBarEvents MainWindow::menuEvents() {
  MenuBarEvents events;
  // The bar runs a chosen command only once the menu's own handling has returned (a command may
  // open a modal box, and a redraw inside it deletes the old menus).
  events.command = [this](int id) {
    if (logic_) logic_->onCommand(id);
  };
  events.opened = [this] {
    if (logic_) logic_->onMenuOpened();
  };
  events.closed = [this] {
    if (logic_) logic_->onMenuClosed();
  };
  return events;
}

void MainWindow::redrawMenu() {
  if (!logic_) return;
  syncMenuBar(*menuBar(), logic_->menu(), menuEvents());
}

void MainWindow::popUpSubmenu(int itemId) {
  if (!logic_) return;
  const MenuItem* holder = nullptr;
  logic_->menu().walk([&](const MenuItem& item, int) {
    if (!item.popup) return;
    for (const MenuItem& child : item.children) {
      if (child.id == itemId) holder = &item;
    }
  });
  if (!holder) return;
  QWidget* anchor = textView_->widget();
  QMenu* menu = popupMenuFor(*holder, menuEvents(), this);
  // The caption without its mnemonic is the name a screen reader gives the popup.
  menu->setAccessibleName(menu->title().remove(QRegularExpression(QStringLiteral("&(?!&)"))));
  QAction* marked = menu->activeAction();
  menu->popup(anchor->mapToGlobal(anchor->rect().center()), marked);
  // Showing may move the highlight to the first item; the reader is to start on the marked one.
  menu->setActiveAction(marked);
}

void MainWindow::endDialog() {
  ending_ = true;
  // The request may come from inside a close event that is being refused; close afterwards.
  QMetaObject::invokeMethod(
      this, [this] { close(); }, Qt::QueuedConnection);
}

void MainWindow::bringForward() {
  if (isMinimized()) {
    showNormal();
    showMaximized();
  } else if (QApplication::activeModalWidget()) {
    QApplication::activeModalWidget()->raise();
    QApplication::activeModalWidget()->activateWindow();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (ending_ || !logic_) {
    event->accept();
    if (onEnded) onEnded();
    return;
  }
  event->ignore();
  // A box or menu still open may run its own event loop inside the main one, with callers
  // waiting for it to return: the loops are left first, the exit routine runs after them.
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
    if (onEnded) onEnded();
    return;
  }
  // The close box and Alt+F4 run the same shutdown as the Exit command.
  logic_->onClose();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // A window taller than the desktop is brought back onto it, a little shorter than the
  // desktop so that its lower edge stays reachable.
  if (QScreen* screen = this->screen(); screen && !isMaximized() && !isFullScreen()) {
    const QRect desktop = screen->availableGeometry();
    if (frameGeometry().height() > desktop.height()) {
      setGeometry(x(), desktop.top(), width(), desktop.height() - 50);
      return;
    }
  }
  if (logic_ && isVisible()) logic_->onSize();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (firstShow_ && logic_) {
    firstShow_ = false;
    logic_->onSize();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool override = event->type() == QEvent::ShortcutOverride;
  if (!override && event->type() != QEvent::KeyPress) {
    return QMainWindow::eventFilter(watched, event);
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  // Only keys of the main window's own loop: a modal dialog keeps its keys.
  if (!logic_ || !widget || widget->window() != this || QApplication::activeModalWidget()) {
    return false;
  }
  auto* key = static_cast<QKeyEvent*>(event);
  const auto press = keyPressFromEvent(*key);
  if (!press) return false;
  if (override) {
    // An assigned key outranks a menu mnemonic of the same letter (Alt+A is automatic playback,
    // not the Audio menu): claiming the key here keeps Qt's shortcuts from taking it.
    if (logic_->accelerators().commandFor(press->virtualKey, press->ctrl, press->alt,
                                          press->shift)) {
      event->accept();
      return true;
    }
    return false;
  }
  if (logic_->onKeyDown(press->virtualKey, press->ctrl, press->alt, press->shift)) return true;
  // F10 opens the menu bar, as elsewhere on the desktop (the Alt key alone does too).
  if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier &&
      !menuBar()->actions().isEmpty()) {
    menuBar()->setActiveAction(menuBar()->actions().first());
    return true;
  }
  return false;
}

}  // namespace orbis
