#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/CA_DaisySuche.h"
#include "ports/LibraryDialogs.h"

namespace orbis::testing {

// Answers the drive dialog from a queue (empty: cancel) and lets the test act in the book
// list, which has read its file as on its first showing.
class ScriptedLibraryDialogs : public LibraryDialogs {
 public:
  std::optional<std::string> chooseDrive(const std::vector<Drive>& drives) override {
    drivesShown.push_back(drives);
    if (driveAnswers.empty()) return std::nullopt;
    auto answer = driveAnswers.front();
    driveAnswers.pop_front();
    return answer;
  }
  std::optional<std::string> chooseBook(CA_DaisySuche& list) override {
    list.firstPaint();
    return inBookList ? inBookList(list) : std::nullopt;
  }

  std::deque<std::optional<std::string>> driveAnswers;
  std::vector<std::vector<Drive>> drivesShown;
  std::function<std::optional<std::string>(CA_DaisySuche&)> inBookList;
};

}  // namespace orbis::testing
