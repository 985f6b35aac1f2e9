#pragma once
#include "ports/Shell.h"

namespace orbis {

// Hands documents and web addresses to the desktop's usual viewers (xdg-open and friends).
class DesktopShell : public Shell {
 public:
  // False when the document does not exist or no viewer took it.
  bool openDocument(const std::string& path) override;
  bool openUrl(const std::string& url) override;
};

}  // namespace orbis
