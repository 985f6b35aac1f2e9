#include "book/SmilPrefetch.h"

#include <sched.h>

#include <algorithm>
#include <system_error>

#include "book/BookPaths.h"
#include "book/ByteSearch.h"
#include "book/ValueRules.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orbis {

namespace {

// How many bytes the thread may hold ahead of the loader (besides the next file, which it reads
// however large it is).
constexpr size_t kMaxBytesAhead = 4u << 20;
// How far down the list a file asked for is looked for before it counts as not read ahead.
constexpr size_t kLookAhead = 8;
// The thread splits a file into at most one line for this many of its bytes.
constexpr size_t kBytesPerPackedLine = 16;
// A heading's link is looked for this far after its "<h".
constexpr size_t kHeadingWindow = 4096;
// The capacity of a string that holds no memory of its own.
const size_t kSmallString = std::string().capacity();

// How long one side waits for the other on the spot before it goes to sleep: up to a few hundred
// microseconds. The two sides keep pace with each other file by file, and falling asleep and
// being woken (by another processor, on a virtual machine through its host) takes longer than
// the few microseconds a file takes.
constexpr int kSpins = 4000;

// The processors this thread may run on; at least one.
int processorsAvailable() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return std::max(1, CPU_COUNT(&set));
}

void pause() {
#ifdef __SSE2__
  _mm_pause();
#endif
}

bool isHeadingStart(std::string_view ncc, size_t at) {
  return at + 2 < ncc.size() && (ncc[at + 1] == 'h' || ncc[at + 1] == 'H') && ncc[at + 2] >= '1' &&
         ncc[at + 2] <= '6';
}

}  // namespace

int SmilPrefetch::spinsWhileWaiting() {
  // On a single processor the other side cannot go on while one side spins: it only waits for
  // its turn, and every spin is time taken from the work waited for.
  return processorsAvailable() > 1 ? kSpins : 0;
}

std::vector<std::string> guessHeadingLinks(std::string_view ncc) {
  std::vector<std::string> links;
  for (size_t at = bytes::find(ncc, '<'); at != bytes::npos; at = bytes::find(ncc, '<', at + 1)) {
    if (!isHeadingStart(ncc, at)) continue;
    std::string_view link = rules::linkFile(ncc.substr(at, kHeadingWindow), 0);
    if (!link.empty()) links.emplace_back(link);
  }
  return links;
}

SmilPrefetch::SmilPrefetch(std::string folder, std::vector<std::string> links,
                           std::vector<std::string> buffers)
    : folder_(std::move(folder)),
      links_(std::move(links)),
      buffers_(std::move(buffers)),
      spins_(spinsWhileWaiting()) {
  if (links_.empty()) return;
  try {
    reader_ = std::thread(&SmilPrefetch::readAhead, this);
  } catch (const std::system_error&) {
    failed_.store(true);  // no thread to spare: the loader reads every file itself
  }
}

SmilPrefetch::~SmilPrefetch() {
  {
    std::lock_guard lock(mutex_);
    stopping_.store(true);
  }
  wake_.notify_all();
  if (reader_.joinable()) reader_.join();
}

bool SmilPrefetch::waitForRoom(size_t index, std::deque<std::pair<size_t, size_t>>& sizesAhead) {
  size_t next = next_.load();
  for (;;) {
    if (stopping_.load()) return false;
    if (index < next) return false;  // the loader has gone past it
    // The bytes of the files read and not yet taken.
    while (!sizesAhead.empty() && sizesAhead.front().first < next) sizesAhead.pop_front();
    size_t bytesAhead = 0;
    for (const auto& file : sizesAhead) bytesAhead += file.second;
    bool slotFree = index < next + kSlots;
    if (slotFree && (index == next || bytesAhead < kMaxBytesAhead)) return true;
    // A full ring is waited on until half of it is free again, so that the thread is not woken
    // for every file the loader takes; too many bytes until the loader takes the next file.
    size_t wanted = slotFree ? next + 1 : index + 1 - kSlots / 2;
    for (int spin = 0; spin < spins_ && next_.load() < wanted && !stopping_.load(); ++spin) pause();
    if (next_.load() >= wanted) {
      next = next_.load();
      continue;
    }
    std::unique_lock lock(mutex_);
    readerWaitsFor_.store(wanted);
    wake_.wait(lock, [&] {
      next = next_.load();
      return stopping_.load() || next >= wanted;
    });
    readerWaitsFor_.store(0);
  }
}

void SmilPrefetch::readAhead() {
  try {
    readFiles();
  } catch (...) {
    // Out of memory for a file, most likely: the loader reads the files not yet here itself,
    // and meets the problem where it can handle it.
    {
      std::lock_guard lock(mutex_);
      failed_.store(true);
    }
    wake_.notify_all();
  }
}

void SmilPrefetch::readFiles() {
  const BookFolder folder(folder_);
  std::deque<std::pair<size_t, size_t>> sizesAhead;  // file number and size
  for (size_t index = 0; index < links_.size(); ++index) {
    if (!waitForRoom(index, sizesAhead)) {
      if (stopping_.load()) return;
      continue;
    }
    // The loader is done with this slot's earlier file: it has taken it or gone past it.
    Slot& slot = slots_[index % kSlots];
    if (slot.content.capacity() <= kSmallString && !buffers_.empty()) {
      slot.content.swap(buffers_.back());
      buffers_.pop_back();
    }
    slot.readable = folder.read(links_[index], slot.content, slot.path);
    // A file the loader already asks for is handed over as it is, for the loader to split: the
    // thread is then the slower of the two (other work on the machine slows it down), and the
    // loader would only wait for it. The two share the splitting as their pace demands.
    // Lines of a SMIL file hold a few dozen bytes; a file of tiny lines is left to the loader
    // too, so that the packed lines never take much more memory than the file.
    if (!slot.readable || index <= next_.load() ||
        !packSmilLines(slot.content, slot.lines, slot.content.size() / kBytesPerPackedLine + 64))
      slot.lines.clear();
    sizesAhead.emplace_back(index, slot.content.size());
    slot.holds.store(index + 1);
    if (loaderWaitsFor_.load() == index + 1) {
      std::lock_guard lock(mutex_);
      wake_.notify_all();
    }
  }
}

SmilPrefetch::Outcome SmilPrefetch::take(std::string_view link, std::string& content,
                                         std::string& path, std::vector<PackedSmilLine>& lines) {
  static_assert(kLookAhead <= kSlots, "a file looked for must fit into the ring");
  const size_t next = next_.load(std::memory_order_relaxed);  // only this thread writes it
  const size_t end = std::min(links_.size(), next + kLookAhead);
  size_t found = next;
  while (found < end && links_[found] != link) ++found;
  if (found == end) return Outcome::NotAhead;
  // The files skipped over are dropped, so that the thread reads this one now if it has not.
  if (found > next) advance(found);
  Slot& slot = slots_[found % kSlots];
  for (int spin = 0; spin < spins_ && slot.holds.load() != found + 1 && !failed_.load(); ++spin)
    pause();
  if (slot.holds.load() != found + 1) {
    std::unique_lock lock(mutex_);
    loaderWaitsFor_.store(found + 1);
    wake_.wait(lock, [&] { return slot.holds.load() == found + 1 || failed_.load(); });
    loaderWaitsFor_.store(0);
    if (slot.holds.load() != found + 1) return Outcome::NotAhead;  // the thread gave up
  }
  content.swap(slot.content);
  lines.swap(slot.lines);
  path = std::move(slot.path);
  Outcome outcome = slot.readable ? Outcome::Read : Outcome::Unreadable;
  advance(found + 1);
  return outcome;
}

void SmilPrefetch::advance(size_t next) {
  next_.store(next);
  size_t readerWaitsFor = readerWaitsFor_.load();
  if (readerWaitsFor != 0 && next >= readerWaitsFor) {
    std::lock_guard lock(mutex_);
    wake_.notify_all();
  }
}

}  // namespace orbis
