#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>

namespace orbis {

// A prompt, one line to type into, OK and Cancel: the go-to-page and search questions. Enter
// answers OK once the text is long enough, Escape cancels. The prompt names the line, so a
// screen reader says what to type when the dialog opens.
class TextPromptDialog : public QDialog {
  Q_OBJECT
 public:
  TextPromptDialog(const QString& caption, const QString& prompt, int minimumCharacters,
                   QWidget* parent = nullptr);

  QString text() const { return edit_->text(); }
  QLineEdit* edit() const { return edit_; }
  QPushButton* okButton() const { return buttons_->button(QDialogButtonBox::Ok); }

 private:
  void updateOk();

  QLabel* prompt_;
  QLineEdit* edit_;
  QDialogButtonBox* buttons_;
  int minimumCharacters_;
};

}  // namespace orbis
