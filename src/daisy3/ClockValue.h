#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orbis {

// A SMIL 2 clock value in seconds: full clock "1:02:03.5", partial clock "02:03.5", timecount
// with a metric ("3.5s", "1.5min", "2h", "3500ms") or plain seconds ("3.5"). DAISY 3 books may
// also carry the "npt=" prefix of SMIL 1. Nothing for an unreadable or negative value.
std::optional<double> parseClockValue(std::string_view text);

// Seconds as the phrase table holds clip times: a decimal with three places ("12.345").
std::string clipSecondsText(double seconds);

}  // namespace orbis
