#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QUrl>
#include <filesystem>

namespace orbis {

bool DesktopShell::openDocument(const std::string& path) {
  std::error_code error;
  if (path.empty() || !std::filesystem::exists(path, error)) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool DesktopShell::openUrl(const std::string& url) {
  const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
  if (url.empty() || !parsed.isValid() || parsed.scheme().isEmpty()) return false;
  return QDesktopServices::openUrl(parsed);
}

}  // namespace orbis
