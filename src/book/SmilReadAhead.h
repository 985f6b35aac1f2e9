#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orbis {

// Asks the system to start reading the SMIL files an NCC links to a few files before the reader
// needs them, so that reading a book from a disc or a slow stick overlaps with reading its
// clips. No threads of our own: the kernel reads in the background, and a file it cannot find
// under the name the NCC gives is simply not read ahead.
class SmilReadAhead {
 public:
  static constexpr size_t kFilesAhead = 8;

  SmilReadAhead(std::string_view ncc, std::string folder);
  // The reader is about to read this file (as the NCC links it): the next ones are asked for.
  void reached(std::string_view smilName);

  const std::vector<std::string>& files() const { return files_; }

 private:
  std::string folder_;
  std::vector<std::string> files_;  // distinct, in the order the NCC first links them
  std::unordered_map<std::string, size_t> indexOf_;
  size_t askedUpTo_ = 0;  // files before this index were asked for
};

}  // namespace orbis
