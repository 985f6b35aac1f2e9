#include "settings/Settings.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <vector>

#include "settings/LineFile.h"

namespace orbis {

namespace {

// The highest speed the player takes; a stored rate beyond it cannot be one we wrote.
constexpr double kMaxRate = 100.0;

std::string_view trimmedStart(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  return text;
}

// A leading decimal number as the C conversions read it ("12abc" is 12); nothing when the
// line does not start with one or it overflows.
std::optional<int> leadingInt(std::string_view text) {
  text = trimmedStart(text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  return value;
}

std::optional<double> leadingDouble(std::string_view text) {
  text = trimmedStart(text);
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end == text.data() || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool isColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return false;
  for (char c : text.substr(1)) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string formatRate(double rate) {
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::fixed, 6);
  return error == std::errc() ? std::string(buffer, end) : "1.000000";
}

const char* flag(bool on) {
  return on ? "1" : "0";
}

// The file's lines by number (1-based); a line past the end of a short file is absent.
class LineReader {
 public:
  explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  std::optional<std::string_view> line(int number) const {
    if (number < 1 || number > static_cast<int>(lines_.size())) return std::nullopt;
    return lines_[number - 1];
  }
  std::optional<int> number(int line) const {
    auto text = this->line(line);
    return text ? leadingInt(*text) : std::nullopt;
  }
  // Lines 3..7: on when the number read is 1.
  void numericFlag(int line, bool& setting) const {
    if (auto value = number(line)) setting = *value == 1;
  }
  // Lines 15..23: exactly "1" (or exactly "0") decides; anything else, a line missing at the
  // end of a short file too, gives the other value.
  void onlyIfOne(int line, bool& setting) const { setting = this->line(line) == "1"; }
  void offOnlyIfZero(int line, bool& setting) const { setting = this->line(line) != "0"; }

 private:
  std::vector<std::string> lines_;
};

void createFolder(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
}

}  // namespace

std::string Settings::defaultZipTempFolder(const std::string& dataFolder) {
  return dataFolder + "ZipTemp/";
}

Settings Settings::defaults(const std::string& dataFolder) {
  Settings settings;
  settings.ZipTempFolder = defaultZipTempFolder(dataFolder);
  settings.applyFocusRules();
  return settings;
}

void Settings::applyFocusRules() {
  if (HideButtons && StartFocus == kFocusButtons) StartFocus = kFocusTextView;
  if (!AlwaysShowTree && StartFocus == kFocusTree) StartFocus = kFocusTextView;
  if (HideCurrentText && StartFocus == kFocusCurrentText) StartFocus = kFocusTextView;
}

SettingsLoadResult Settings::load(const std::string& path, const std::string& dataFolder) {
  *this = defaults(dataFolder);
  createFolder(ZipTempFolder);
  createFolder(dataFolder + "Profiles/");

  SettingsLoadResult result;
  std::optional<std::vector<std::string>> lines = readLineFile(path);
  if (!lines) return result;
  result.fileRead = true;
  const LineReader file(std::move(*lines));

  if (auto volume = file.number(1); volume && *volume >= 0 && *volume <= 100) {
    Volume = *volume;
    result.volumeRead = true;
  }
  if (auto text = file.line(2)) {
    if (auto rate = leadingDouble(*text); rate && *rate > 0 && *rate <= kMaxRate) {
      Rate = *rate;
      result.rateRead = true;
    }
  }
  file.numericFlag(3, SkipFootnotes);
  file.numericFlag(4, SkipSidebars);
  file.numericFlag(5, SkipProducerNotes);
  file.numericFlag(6, SkipPageNumbers);
  // A file that is there but lacks the line, or holds no number in it, reads as 0: off.
  AutoPlay = file.number(7) == 1;

  // The style lines are read in order and the last one that is on decides; each colour line
  // counts only together with its style line.
  auto style = [&](int line, HighlightMode value, int colorLine) {
    if (file.number(line) != 1) return;
    Highlight = value;
    if (colorLine == 0) return;
    // The colour goes into the text view's style sheet: only a real colour is taken.
    if (auto color = file.line(colorLine); color && isColor(*color)) HighlightColor = *color;
  };
  style(8, HighlightMode::Background, 9);
  style(10, HighlightMode::Italic, 0);
  style(11, HighlightMode::Bold, 0);
  style(12, HighlightMode::FontColor, 13);

  if (auto language = file.number(14)) {
    Language = *language == 200 ? 1 : *language == 400 ? 6 : *language;
  }
  file.onlyIfOne(15, SearchBookOnStart);
  file.offOnlyIfZero(16, SoundOnHeadingChange);
  file.onlyIfOne(17, HideButtons);
  file.onlyIfOne(18, HideCurrentText);
  file.offOnlyIfZero(19, SoundOnSubLevels);
  // A missing line or a number no save writes reads as 0, the text view: every focus choice of
  // the dialog then stands for a real control.
  const std::optional<int> focus = file.number(20);
  StartFocus = focus && *focus >= kFocusTextView && *focus <= kFocusTree ? *focus : kFocusTextView;
  file.offOnlyIfZero(21, AlwaysShowTree);
  TreeVisible = AlwaysShowTree;
  applyFocusRules();

  if (auto folder = file.line(22); folder && !folder->empty()) {
    ZipTempFolder = *folder;
    if (ZipTempFolder.back() != '/') ZipTempFolder += '/';
  }
  file.onlyIfOne(23, CheckUpdatesOnStart);
  return result;
}

bool Settings::save(const std::string& path) const {
  const std::vector<std::string> lines = {
      std::to_string(Volume),
      formatRate(Rate),
      flag(SkipFootnotes),
      flag(SkipSidebars),
      flag(SkipProducerNotes),
      flag(SkipPageNumbers),
      flag(AutoPlay),
      flag(Highlight == HighlightMode::Background),
      HighlightColor,
      flag(Highlight == HighlightMode::Italic),
      flag(Highlight == HighlightMode::Bold),
      flag(Highlight == HighlightMode::FontColor),
      HighlightColor,
      std::to_string(Language),
      flag(SearchBookOnStart),
      flag(SoundOnHeadingChange),
      flag(HideButtons),
      flag(HideCurrentText),
      flag(SoundOnSubLevels),
      std::to_string(StartFocus),
      flag(AlwaysShowTree),
      ZipTempFolder,
      flag(CheckUpdatesOnStart),
  };
  return writeLineFile(path, lines, true, "\r\n");
}

}  // namespace orbis
