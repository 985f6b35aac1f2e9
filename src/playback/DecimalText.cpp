#include "playback/DecimalText.h"

#include <charconv>
#include <cmath>

namespace orbis {

namespace {
std::string_view trimmedFront(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  // from_chars takes no plus sign.
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return text;
}
}  // namespace

double decimalValue(std::string_view text) {
  text = trimmedFront(text);
  double value = 0.0;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

int integerValue(std::string_view text) {
  text = trimmedFront(text);
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() ? value : 0;
}

std::string fixed3(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
  return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0.000");
}

}  // namespace orbis
