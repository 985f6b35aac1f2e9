#pragma once
#include <string>
#include <vector>

#include "ports/Shell.h"

namespace orbis::testing {

class RecordingShell : public Shell {
 public:
  bool openDocument(const std::string& path) override {
    documents.push_back(path);
    return true;
  }
  bool openUrl(const std::string& url) override {
    urls.push_back(url);
    return true;
  }
  std::vector<std::string> documents;
  std::vector<std::string> urls;
};

}  // namespace orbis::testing
