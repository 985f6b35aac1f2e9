#pragma once
#include <string>
#include <string_view>

namespace orbis {

// Play times as the book tables hold them: "hh:mm:ss", hours growing past two digits when
// needed; the texts read from SMIL files may carry a fraction of a second after a ".".

// Whole seconds, rounded down (0 for anything below 1), as "%02i:%02i:%02i".
std::string formatTimeText(double seconds);
// hours:minutes:seconds[.fraction]; missing or unreadable fields count as 0.
double parseTimeText(std::string_view text);
// A text shorter than 8 characters gets one "0" in front ("0:01:23" becomes "00:01:23").
std::string normaliseTimeText(std::string text);

}  // namespace orbis
