#include "ui/CurrentTextLine.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTextCursor>

#include "texts/UiTexts.h"

namespace orbis {

CurrentTextLine::CurrentTextLine(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  setAcceptRichText(false);
  setUndoRedoEnabled(false);
  setLineWrapMode(QTextEdit::WidgetWidth);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // A caret that moves by keys is what lets a braille display follow the line.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setFocusPolicy(Qt::StrongFocus);
  setTabChangesFocus(true);
}

void CurrentTextLine::setLine(const std::string& text) {
  setPlainText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

std::unique_ptr<QMenu> CurrentTextLine::buildContextMenu() {
  QTextCursor cursor = textCursor();
  int start = cursor.selectionStart();
  int end = cursor.selectionEnd();
  int length = int(toPlainText().size());

  auto menu = std::make_unique<QMenu>(this);
  const UiTexts& texts = uiTexts();
  QAction* copy = menu->addAction(QString::fromStdString(texts.copy));
  copy->setData(kCopy);
  copy->setEnabled(start != end);
  QAction* all = menu->addAction(QString::fromStdString(texts.selectAll));
  all->setData(kSelectAll);
  all->setEnabled(length != 0 && !(start == 0 && end == length));
  return menu;
}

void CurrentTextLine::runCommand(int commandId) {
  if (commandId == kCopy) copy();
  if (commandId == kSelectAll) selectAll();
}

void CurrentTextLine::contextMenuEvent(QContextMenuEvent* event) {
  setFocus(Qt::PopupFocusReason);
  std::unique_ptr<QMenu> menu = buildContextMenu();
  if (QAction* chosen = menu->exec(event->globalPos()); chosen != nullptr)
    runCommand(chosen->data().toInt());
}

void focusBrailleTarget(bool hideCurrentText, QWidget* currentTextLine, QWidget* textView) {
  QWidget* target = hideCurrentText ? textView : currentTextLine;
  if (target != nullptr) target->setFocus(Qt::OtherFocusReason);
}

}  // namespace orbis
