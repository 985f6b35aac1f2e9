#include "book/CharacterSets.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <initializer_list>
#include <map>
#include <mutex>

namespace orbis {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

struct Group {
  std::initializer_list<std::string_view> names;
  std::initializer_list<int> codePages;
};

// Longer names that contain a shorter one ("iso-8859-15" contains "iso-8859-1") are looked for
// in a group of their own before the shorter name, so that they reach their own code page.
const Group kGroups[] = {
    {{"utf-8"}, {65001}},
    {{"utf-7"}, {65000}},
    {{"shift_jis", "cp-932", "iso-2022-jp", "euc-jp"}, {932, 50220, 51932}},
    {{"cp-936"}, {936}},
    {{"cp-950"}, {950}},
    {{"windows-1250", "iso-8859-2"}, {1250, 28592}},
    {{"windows-1251", "iso-8859-5", "koi8-r"}, {1251, 28595, 20866}},
    {{"iso-8859-10"}, {28594}},
    {{"iso-8859-13"}, {1257}},
    {{"iso-8859-15"}, {28605}},
    {{"windows-1252", "iso-8859-1", "latin1"}, {1252, 28591}},
    {{"windows-1253"}, {1253}},
    {{"windows-1254", "iso-8859-9", "latin5"}, {28599, 1254}},
    {{"windows-1255"}, {1255}},
    {{"windows-1256"}, {1256}},
    {{"windows-1257", "iso-8859-13"}, {1257}},
    {{"big5"}, {10002}},
    {{"us-ascii"}, {20127}},
    {{"gb2312"}, {20936}},
    {{"iso-8859-3", "latin3"}, {28593}},
    {{"iso-8859-4", "iso-8859-10"}, {28594}},
    {{"iso-8859-6"}, {28596}},
    {{"iso-8859-7"}, {28597}},
    {{"iso-8859-8"}, {28598}},
    {{"iso-8859-15", "latin9"}, {28605}},
    {{"iso-2022-kr"}, {50225}},
    {{"euc-cn"}, {51936}},
    {{"euc-kr"}, {51949}},
    {{"hz-gb-2312"}, {52936}},
};

struct CodePageName {
  int codePage;
  std::string_view name;
};

const CodePageName kNames[] = {
    {65001, "UTF-8"},       {65000, "UTF-7"},       {932, "CP932"},
    {50220, "ISO-2022-JP"}, {51932, "EUC-JP"},      {936, "CP936"},
    {950, "CP950"},         {1250, "WINDOWS-1250"}, {1251, "WINDOWS-1251"},
    {1252, "WINDOWS-1252"}, {1253, "WINDOWS-1253"}, {1254, "WINDOWS-1254"},
    {1255, "WINDOWS-1255"}, {1256, "WINDOWS-1256"}, {1257, "WINDOWS-1257"},
    {10002, "BIG5"},  // the Macintosh traditional Chinese code page is Big5
    {20127, "ASCII"},       {20936, "GB2312"},      {20866, "KOI8-R"},
    {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},  {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"},  {28599, "ISO-8859-9"},
    {28605, "ISO-8859-15"}, {50225, "ISO-2022-KR"}, {51936, "EUC-CN"},
    {51949, "EUC-KR"},      {52936, "HZ"},
};

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::string convert(std::string_view text, iconv_t converter) {
  std::string out;
  out.reserve(text.size() + text.size() / 2 + 16);
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    if (result != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // An invalid or incomplete sequence: mark it and go on with the next byte.
    appendUtf8(out, 0xFFFD);
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  // Flush the shift state of stateful encodings.
  char* outPtr = buffer;
  size_t outLeft = sizeof buffer;
  iconv(converter, nullptr, nullptr, &outPtr, &outLeft);
  out.append(buffer, outPtr - buffer);
  return out;
}

// Windows-1252 is read by table: the converter would reject its five unassigned bytes, which
// stay the control characters of the same number, as browsers read them.
std::string fromWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (unsigned char c : text) appendUtf8(out, windows1252Char(c));
  return out;
}

// Opening a converter costs far more than a heading's conversion, so each code page keeps one.
// The program has one thread; the lock only keeps tests and tools that load in parallel safe.
class ConverterCache {
 public:
  ~ConverterCache() {
    for (auto& [page, converter] : converters_)
      if (converter != kNoConverter) iconv_close(converter);
  }
  template <typename Use>
  auto with(int codePage, Use use) {
    std::lock_guard lock(mutex_);
    auto found = converters_.find(codePage);
    if (found == converters_.end()) {
      std::string name(codePageName(codePage));
      iconv_t converter = name.empty() ? kNoConverter : iconv_open("UTF-8", name.c_str());
      found = converters_.emplace(codePage, converter).first;
    }
    return use(found->second);
  }

 private:
  std::mutex mutex_;
  std::map<int, iconv_t> converters_;
};

ConverterCache& converters() {
  static ConverterCache cache;
  return cache;
}

}  // namespace

char32_t windows1252Char(unsigned char byte) {
  static const char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

void appendUtf8(std::string& out, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string_view codePageName(int codePage) {
  for (const auto& entry : kNames)
    if (entry.codePage == codePage) return entry.name;
  return {};
}

bool codePageAvailable(int codePage) {
  if (codePage == 1252 || codePage == 65001) return true;
  return converters().with(codePage, [](iconv_t converter) { return converter != kNoConverter; });
}

int codePageFromDeclaration(std::string_view line) {
  std::string lower = lowerCase(line);
  for (const Group& group : kGroups) {
    bool named = std::any_of(group.names.begin(), group.names.end(), [&](std::string_view name) {
      return lower.find(name) != std::string::npos;
    });
    if (!named) continue;
    for (int codePage : group.codePages)
      if (codePageAvailable(codePage)) return codePage;
  }
  return 0;
}

bool isValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = text[i];
    size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    unsigned code = length == 1 ? c : c & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      unsigned char next = text[i + k];
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    static const unsigned kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

std::string toUtf8(std::string_view text, int codePage) {
  if (codePage == 0) {
    if (isValidUtf8(text)) return std::string(text);
    return fromWindows1252(text);
  }
  if (codePage == 1252) return fromWindows1252(text);
  if (codePage == 65001 && isValidUtf8(text)) return std::string(text);
  return converters().with(codePage, [&](iconv_t converter) {
    if (converter == kNoConverter) return fromWindows1252(text);
    return convert(text, converter);
  });
}

}  // namespace orbis
