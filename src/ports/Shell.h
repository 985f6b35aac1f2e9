#pragma once
#include <string>

namespace orbis {

// The desktop around the program: documents and web addresses open in their usual viewers.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool openDocument(const std::string& path) = 0;
  virtual bool openUrl(const std::string& url) = 0;
};

}  // namespace orbis
