#pragma once
#include <QString>
#include <string>

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

}  // namespace orbis
