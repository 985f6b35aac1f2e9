#include "daisy3/ClockValue.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace orbis {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A non-negative decimal number written with digits and at most one point, nothing else.
std::optional<double> decimal(std::string_view text) {
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  double value = 0;
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

// Whole minutes or hours of a clock: digits only.
std::optional<double> whole(std::string_view text) {
  if (text.empty()) return std::nullopt;
  for (char c : text)
    if (c < '0' || c > '9') return std::nullopt;
  return decimal(text);
}

std::optional<double> clock(std::string_view text) {
  size_t first = text.find(':');
  size_t second = text.find(':', first + 1);
  std::optional<double> hours = 0.0, minutes, seconds;
  if (second == std::string_view::npos) {
    minutes = whole(text.substr(0, first));
    seconds = decimal(text.substr(first + 1));
  } else {
    hours = whole(text.substr(0, first));
    minutes = whole(text.substr(first + 1, second - first - 1));
    seconds = decimal(text.substr(second + 1));
  }
  if (!hours || !minutes || !seconds || *seconds >= 60) return std::nullopt;
  // A full clock's minutes stay below an hour; a partial clock may count more.
  if (second != std::string_view::npos && *minutes >= 60) return std::nullopt;
  return *hours * 3600 + *minutes * 60 + *seconds;
}

struct Metric {
  std::string_view unit;
  double seconds;
};
// Longer units first, so that "ms" and "min" are not read as "s" and "m".
constexpr Metric kMetrics[] = {{"min", 60}, {"ms", 0.001}, {"h", 3600}, {"s", 1}};

}  // namespace

std::optional<double> parseClockValue(std::string_view text) {
  text = trimmed(text);
  if (text.substr(0, 4) == "npt=") text.remove_prefix(4);
  if (text.find(':') != std::string_view::npos) return clock(text);
  for (const Metric& metric : kMetrics) {
    if (text.size() > metric.unit.size() &&
        text.substr(text.size() - metric.unit.size()) == metric.unit) {
      std::optional<double> count = decimal(text.substr(0, text.size() - metric.unit.size()));
      if (!count) return std::nullopt;
      return *count * metric.seconds;
    }
  }
  return decimal(text);
}

std::string clipSecondsText(double seconds) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", seconds);
  return buffer;
}

}  // namespace orbis
