#include "info/InfoSentences.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "book/TimeText.h"

namespace orbis {

double infoSeconds(std::string_view timeText) {
  if (timeText.empty()) return 0;
  // The time reader wants all three parts; a shorter text gets the missing ones as empty
  // parts, which count 0 ("1:30" is one hour and 30 minutes rather than nothing).
  std::string text(timeText);
  const auto colons = std::count(text.begin(), text.end(), ':');
  for (auto missing = colons; missing < 2; ++missing) text += ':';
  return parseTimeText(text);
}

namespace {

std::string part(long long count, const std::string& one, const std::string& many) {
  return count == 1 ? one : std::to_string(count) + " " + many;
}

}  // namespace

std::string durationText(double seconds, const UiTexts& texts) {
  // Beyond the range of whole numbers a book cannot play; such a value is read as that limit.
  constexpr double kLimit = static_cast<double>(std::numeric_limits<int>::max());
  const long long whole =
      seconds >= 1 ? static_cast<long long>(std::floor(std::fmin(seconds, kLimit))) : 0;
  const long long hours = whole / 3600;
  const long long minutes = (whole % 3600) / 60;
  const long long rest = whole % 60;
  return part(hours, texts.oneHour, texts.hours) + ", " +
         part(minutes, texts.oneMinute, texts.minutes) + " " + texts.andWord + " " +
         part(rest, texts.oneSecond, texts.seconds);
}

std::string timeSentence(const std::string& label, double seconds, bool fullStop,
                         const UiTexts& texts) {
  return label + durationText(seconds, texts) + (fullStop ? "." : "");
}

int leadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    // Far more digits than any count of a book has: the largest number stands for them.
    if (value > std::numeric_limits<int>::max()) {
      value = std::numeric_limits<int>::max();
      break;
    }
  }
  return static_cast<int>(negative ? -value : value);
}

std::string entriesSentence(const std::string& tocItems, const UiTexts& texts) {
  if (leadingNumber(tocItems) == 1) return texts.oneEntryInBook;
  return tocItems + " " + texts.entriesInBook;
}

std::string levelsSentence(int levels, const UiTexts& texts) {
  if (levels <= 1) return texts.oneLevelBook;
  return texts.levelsFirstPart + " " + std::to_string(levels) + " " + texts.levelsSecondPart;
}

std::string headingSentence(int heading, int headingCount, const UiTexts& texts) {
  return texts.atHeading + " " + std::to_string(heading) + " " + texts.ofTotal + " " +
         std::to_string(headingCount) + ".";
}

std::string sleepTimerSentence(std::optional<double> secondsLeft, bool untilHeadingEnd,
                               const UiTexts& texts) {
  if (!secondsLeft) return texts.sleepTimerOff;
  const std::string& label = untilHeadingEnd ? texts.sleepUntilHeadingEnd : texts.sleepTimeLeft;
  return timeSentence(label, *secondsLeft, true, texts);
}

std::string levelSentence(std::string_view level, const UiTexts& texts) {
  return texts.onLevel + " " + std::string(level) + " .";
}

}  // namespace orbis
