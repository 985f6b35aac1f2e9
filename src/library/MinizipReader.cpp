#include "library/MinizipReader.h"

#include <iconv.h>
#include <minizip/unzip.h>

#include <vector>

namespace orbis {

namespace {

constexpr unsigned long kUtf8NameFlag = 1ul << 11;
constexpr unsigned long kEncryptedFlag = 1ul;
constexpr std::size_t kChunk = 64 * 1024;

std::string fromCp437(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "CP437");
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  // Every byte of code page 437 becomes at most three bytes of UTF-8.
  std::string out(text.size() * 3, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* to = out.data();
  size_t outLeft = out.size();
  const size_t result = iconv(converter, &in, &inLeft, &to, &outLeft);
  iconv_close(converter);
  if (result == static_cast<size_t>(-1)) return text;
  out.resize(out.size() - outLeft);
  return out;
}

class MinizipArchive : public ZipArchive {
 public:
  explicit MinizipArchive(unzFile file) : file_(file) {}
  ~MinizipArchive() override { unzClose(file_); }

  std::uint64_t declaredEntries() const override {
    unz_global_info64 info{};
    return unzGetGlobalInfo64(file_, &info) == UNZ_OK ? info.number_entry : 0;
  }

  bool list(std::vector<ZipEntry>& entries) override {
    entries.clear();
    positions_.clear();
    int status = unzGoToFirstFile(file_);
    while (status == UNZ_OK) {
      unz_file_info64 info{};
      char name[4096];
      if (unzGetCurrentFileInfo64(file_, &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
              UNZ_OK ||
          info.size_filename >= sizeof name || (info.flag & kEncryptedFlag) != 0) {
        return false;
      }
      unz64_file_pos position{};
      if (unzGetFilePos64(file_, &position) != UNZ_OK) return false;
      ZipEntry entry;
      entry.name = zipEntryName(std::string(name, info.size_filename), info.flag);
      entry.size = info.uncompressed_size;
      entry.folder = !entry.name.empty() && (entry.name.back() == '/' || entry.name.back() == '\\');
      entries.push_back(std::move(entry));
      positions_.push_back(position);
      status = unzGoToNextFile(file_);
    }
    return status == UNZ_END_OF_LIST_OF_FILE;
  }

  bool extract(std::size_t index,
               const std::function<bool(const char*, std::size_t)>& sink) override {
    if (index >= positions_.size() || unzGoToFilePos64(file_, &positions_[index]) != UNZ_OK ||
        unzOpenCurrentFile(file_) != UNZ_OK) {
      return false;
    }
    std::vector<char> buffer(kChunk);
    int read = 0;
    bool taken = true;
    while ((read = unzReadCurrentFile(file_, buffer.data(), kChunk)) > 0) {
      if (!sink(buffer.data(), static_cast<std::size_t>(read))) {
        taken = false;
        break;
      }
    }
    // The checksum is compared on closing, after the last byte: a flipped byte shows here.
    const int closed = unzCloseCurrentFile(file_);
    return taken && read == 0 && closed == UNZ_OK;
  }

 private:
  unzFile file_;
  std::vector<unz64_file_pos> positions_;
};

}  // namespace

std::string zipEntryName(const std::string& stored, unsigned long flags) {
  return (flags & kUtf8NameFlag) != 0 ? stored : fromCp437(stored);
}

std::unique_ptr<ZipArchive> MinizipReader::open(const std::string& path) {
  unzFile file = unzOpen64(path.c_str());
  if (!file) return nullptr;
  return std::make_unique<MinizipArchive>(file);
}

}  // namespace orbis
