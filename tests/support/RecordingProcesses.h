#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ports/Http.h"
#include "ports/Processes.h"

namespace orbis::testing {

// Records the programs the player starts; none is started and every one counts as there.
class RecordingProcesses : public Processes {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingFolder;
  };
  bool canStart(const std::string&) const override { return true; }
  bool start(const std::string& program, const std::vector<std::string>& arguments,
             const std::string& workingFolder) override {
    started.push_back({program, arguments, workingFolder});
    return true;
  }
  long ownId() const override { return 4711; }
  std::vector<Started> started;
};

// A machine without a network: every request fails at once.
class OfflineHttp : public Http {
 public:
  void getLater(const std::string& url, const std::string&, const HttpLimits&,
                std::function<void(HttpResponse)> done) override {
    urls.push_back(url);
    done({});
  }
  std::vector<std::string> urls;
};

}  // namespace orbis::testing
