#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "texts/UiTexts.h"

namespace orbis {

// The sentences that answer the reader's questions about the book and the current position, in
// the language of the table given. Each is exactly what a screen reader is to speak.

// A play time of the book record or the title table ("01:02:03", "0:00:10.500"): hours,
// minutes and seconds, a part that is missing counting 0, the digits after a "." a decimal
// fraction. Empty or unreadable text is 0 seconds.
double infoSeconds(std::string_view timeText);

// "eine Stunde, 2 Minuten und 5 Sekunden" for 3725 seconds; the fraction of a second is dropped
// and anything below one second (a negative remainder too) reads as 0 seconds.
std::string durationText(double seconds, const UiTexts& texts);

// A label ("Gesamtspieldauer") directly followed by the duration, with or without the full stop.
std::string timeSentence(const std::string& label, double seconds, bool fullStop,
                         const UiTexts& texts);

// "57 Einträge in diesem Buch."; a count that reads as the number 1 ("1", "01") takes the
// singular sentence. The count is kept as the book wrote it.
std::string entriesSentence(const std::string& tocItems, const UiTexts& texts);

// "Dieses Buch ist in 3 Hierarchieebenen gegliedert."; one level (or none) the singular.
std::string levelsSentence(int levels, const UiTexts& texts);

// "Sie befinden sich auf Überschrift 5 von insgesamt 57."
std::string headingSentence(int heading, int headingCount, const UiTexts& texts);

// "Sie befinden sich auf Ebene 2 ." - the level as the title table holds it.
std::string levelSentence(std::string_view level, const UiTexts& texts);

// What the sleep timer has left: "Der Einschlaftimer ist aus." without a timer, else the time
// until it runs out, told as the time to the end of the heading when it waits for that.
std::string sleepTimerSentence(std::optional<double> secondsLeft, bool untilHeadingEnd,
                               const UiTexts& texts);

// A decimal number at the start of a text, as the book tables' numbers are read: leading
// blanks and a sign allowed, anything after the digits ignored, 0 for no digits.
int leadingNumber(std::string_view text);

}  // namespace orbis
