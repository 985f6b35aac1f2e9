#pragma once
#include <QTextEdit>
#include <memory>
#include <string>

class QMenu;

namespace orbis {

// The current text line below the text view: the text of the phrase being read as plain,
// read-only text in an ordinary focusable field, so that a screen reader or a braille display
// follows the reading. Its whole text is replaced per phrase.
class CurrentTextLine : public QTextEdit {
  Q_OBJECT
 public:
  static constexpr int kControlId = 1046;
  static constexpr int kCopy = 769;
  static constexpr int kSelectAll = 0x7400;

  explicit CurrentTextLine(QWidget* parent = nullptr);

  void setLine(const std::string& text);

  // The context menu for the present selection, in the current interface language; each
  // action carries its command id as data.
  std::unique_ptr<QMenu> buildContextMenu();
  void runCommand(int commandId);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
};

// The "Braille" command (33036): the focus goes to the current text line, or to the text view
// when the line is hidden.
void focusBrailleTarget(bool hideCurrentText, QWidget* currentTextLine, QWidget* textView);

}  // namespace orbis
