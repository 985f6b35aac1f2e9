#include "marks/UnicodeLower.h"

#include <locale.h>
#include <wctype.h>

#include "book/CharacterSets.h"
#include "textview/SearchMarkup.h"

namespace orbis {
namespace {

// The C library's UTF-8 locale carries the Unicode case tables; null when it is not installed.
locale_t unicodeLocale() {
  static const locale_t locale = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    if (l == static_cast<locale_t>(0))
      l = newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(0));
    return l;
  }();
  return locale;
}

// Decodes the sequence at text[at]; 0 bytes when it is no valid UTF-8.
size_t decode(std::string_view text, size_t at, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (lead >= 0xF5) length = 0;
  if (length == 0 || at + length > text.size()) return 0;
  code = lead & (0x7Fu >> length);
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3Fu);
  }
  // Overlong forms and surrogates are not letters of any text.
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

void appendLowerUnicode(std::string_view text, std::string& out) {
  const locale_t locale = unicodeLocale();
  if (locale == static_cast<locale_t>(0)) {
    // Without the tables the letters of Latin and Cyrillic scripts are still lowered.
    out += lowerSameLength(text);
    return;
  }
  out.reserve(out.size() + text.size());
  size_t at = 0;
  while (at < text.size()) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c < 0x80) {
      out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
      ++at;
      continue;
    }
    char32_t code = 0;
    const size_t length = decode(text, at, code);
    if (length == 0) {
      out += static_cast<char>(c);
      ++at;
      continue;
    }
    appendUtf8(out, static_cast<char32_t>(towlower_l(static_cast<wint_t>(code), locale)));
    at += length;
  }
}

std::string lowerUnicode(std::string_view text) {
  std::string out;
  appendLowerUnicode(text, out);
  return out;
}

}  // namespace orbis
