#pragma once
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "book/SmilLines.h"

namespace orbis {

// The SMIL files a book's headings link to, in the order of the NCC, as far as a quick look at
// the NCC's bytes tells: the link after each "<h1" to "<h6". A guess for reading ahead only; the
// loader still reads the headings line by line by its own rules.
std::vector<std::string> guessHeadingLinks(std::string_view ncc);

// Reads the SMIL files of a book on a thread of its own while the loader reads the files before
// them, so that waiting for the disc and reading the text overlap: on a CD or a USB stick the
// files take longer to arrive than to read. The thread also splits each file into its lines,
// which leaves the loader the value rules and the tables, unless the loader already waits for
// the file. The files are read in the order given, at most a few megabytes ahead of the loader.
// A file asked for that is not the next one expected (the guess was wrong) is skipped over when
// it comes a little later in the list, and otherwise left to the caller to read itself.
class SmilPrefetch {
 public:
  // The files are read into the strings of `buffers` as long as there are any (their text does
  // not matter), so that memory kept from an earlier book serves again.
  SmilPrefetch(std::string folder, std::vector<std::string> links,
               std::vector<std::string> buffers = {});
  ~SmilPrefetch();
  SmilPrefetch(const SmilPrefetch&) = delete;
  SmilPrefetch& operator=(const SmilPrefetch&) = delete;

  enum class Outcome { NotAhead, Read, Unreadable };
  // The file `link` as readBookFile would read it now: its bytes go into `content` and its
  // resolved path into `path`; `lines` gets its lines as SmilLines splits them, or is left empty
  // when the thread did not split them (the old memory of both serves later files).
  // NotAhead when the file is not among those read ahead; then all three are untouched. Called
  // by one thread.
  Outcome take(std::string_view link, std::string& content, std::string& path,
               std::vector<PackedSmilLine>& lines);

  // How many times a side that waits for the other checks again before it sleeps, for threads
  // started from the calling thread: none when they all share one processor.
  static int spinsWhileWaiting();

 private:
  // The files wait in a ring of slots: file i goes into slot i % kSlots once the loader has
  // taken file i - kSlots or gone past it. A slot's buffer goes to the loader with its file;
  // the loader gives back a buffer it no longer needs, or an empty string when it keeps the
  // file, and then the slot takes one of `buffers_` or allocates a new one.
  static constexpr size_t kSlots = 32;
  struct Slot {
    std::atomic<size_t> holds{0};  // the number of the file in it, plus one; 0 for none
    std::string content;
    std::string path;
    std::vector<PackedSmilLine> lines;
    bool readable = false;
  };
  void readAhead();
  void readFiles();
  // The loader is done with the files before `next`: their slots are free for the thread.
  void advance(size_t next);
  // Waits until file `index` may be read: true, or false when it is skipped or the load ends.
  bool waitForRoom(size_t index, std::deque<std::pair<size_t, size_t>>& sizesAhead);

  const std::string folder_;
  const std::vector<std::string> links_;
  std::vector<std::string> buffers_;  // used by the thread only
  const int spins_;
  std::array<Slot, kSlots> slots_;
  std::atomic<size_t> next_{0};  // the first file the loader may still ask for
  std::atomic<bool> stopping_{false};
  std::atomic<bool> failed_{false};  // the thread has stopped early; no more files come
  // Each side sleeps on `wake_` only when it has to, having said what it waits for: the thread
  // for `next_` to reach `readerWaitsFor_`, the loader for file `loaderWaitsFor_` - 1. The other
  // side takes the mutex and wakes it only then; 0 means nobody waits.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::atomic<size_t> readerWaitsFor_{0};
  std::atomic<size_t> loaderWaitsFor_{0};
  std::thread reader_;
};

}  // namespace orbis
