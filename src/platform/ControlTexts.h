#pragma once
#include <QDialogButtonBox>
#include <QPushButton>
#include <QString>
#include <string>

#include "texts/UiTexts.h"

namespace orbis {

// The interface texts are UTF-8; Qt takes them as they are.
inline QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

// A screen reader says a control's name without the mnemonic mark.
inline QString spoken(const std::string& text) {
  QString name = qs(text);
  name.remove(QLatin1Char('&'));
  return name;
}

// OK and Cancel in the interface language; the caller connects them.
inline QDialogButtonBox* okCancelButtons(QWidget* parent) {
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, parent);
  box->button(QDialogButtonBox::Ok)->setText(qs(uiTexts().ok));
  box->button(QDialogButtonBox::Cancel)->setText(qs(uiTexts().cancel));
  return box;
}

}  // namespace orbis
