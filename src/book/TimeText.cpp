#include "book/TimeText.h"

#include <cmath>

namespace orbis {

namespace {

// A field is read like atoi reads it, on at most 9 characters, so it can never overflow.
long readField(std::string_view field) {
  field = field.substr(0, 9);
  long value = 0;
  size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  bool negative = i < field.size() && field[i] == '-';
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) ++i;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
    value = value * 10 + (field[i] - '0');
  return negative ? -value : value;
}

// The digits after the "." are a decimal fraction: ".5" is half a second, ".9530000" (seven
// digits, as some producers write) 0.953 seconds.
double readFraction(std::string_view digits) {
  double value = 0, scale = 0.1;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value += (c - '0') * scale;
    scale /= 10;
  }
  return value;
}

}  // namespace

std::string formatTimeText(double seconds) {
  // Beyond about 68 years of audio the hours would not fit the format; no book is that long.
  constexpr double kLimit = 2147483647.0;
  long long whole =
      seconds >= 1 ? static_cast<long long>(std::floor(std::fmin(seconds, kLimit))) : 0;
  // Written digit by digit: a book's load formats one time per heading, and a formatted print
  // costs more than the rest of reading a heading's times.
  auto twoDigits = [](std::string& out, long long value) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
  };
  long long hours = whole / 3600;
  std::string text = hours < 10 ? "0" : "";
  text += std::to_string(hours);
  text += ':';
  twoDigits(text, (whole / 60) % 60);
  text += ':';
  twoDigits(text, whole % 60);
  return text;
}

double parseTimeText(std::string_view text) {
  size_t first = text.find(':');
  if (first == std::string_view::npos) return 0;
  size_t second = text.find(':', first + 1);
  if (second == std::string_view::npos) return 0;
  std::string_view rest = text.substr(second + 1);
  size_t dot = rest.find('.');
  double hours = readField(text.substr(0, first));
  double minutes = readField(text.substr(first + 1, second - first - 1));
  double secs = readField(rest.substr(0, dot));
  double fraction = dot == std::string_view::npos ? 0 : readFraction(rest.substr(dot + 1));
  return hours * 3600 + minutes * 60 + secs + fraction;
}

std::string normaliseTimeText(std::string text) {
  if (text.size() < 8) text.insert(text.begin(), '0');
  return text;
}

}  // namespace orbis
