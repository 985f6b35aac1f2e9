#include "platform/TextPromptDialog.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ControlTexts.h"
#include "texts/UiTexts.h"

namespace orbis {

TextPromptDialog::TextPromptDialog(const QString& caption, const QString& prompt,
                                   int minimumCharacters, QWidget* parent)
    : QDialog(parent), minimumCharacters_(minimumCharacters) {
  setWindowTitle(caption);
  prompt_ = new QLabel(prompt, this);
  prompt_->setWordWrap(true);
  edit_ = new QLineEdit(this);
  prompt_->setBuddy(edit_);
  edit_->setAccessibleName(caption);
  edit_->setAccessibleDescription(prompt);
  buttons_ = okCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_);
  layout->addWidget(edit_);
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(edit_, &QLineEdit::textChanged, this, &TextPromptDialog::updateOk);
  updateOk();
  edit_->setFocus();
}

// Characters, not bytes or UTF-16 units: an umlaut or a character beyond the basic plane is one.
void TextPromptDialog::updateOk() {
  okButton()->setEnabled(edit_->text().toUcs4().size() >= minimumCharacters_);
}

}  // namespace orbis
