#include "support/BookBuilder.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>

namespace orbis::testing {

namespace {

std::string numbered(const char* prefix, int heading, const char* suffix) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%04d%s", prefix, heading + 1, suffix);
  return name;
}

std::string seconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string clock(double value) {
  long whole = static_cast<long>(value);
  char text[48];
  std::snprintf(text, sizeof text, "%ld:%02ld:%02ld.%03ld", whole / 3600, whole / 60 % 60,
                whole % 60, std::lround((value - whole) * 1000) % 1000);
  return text;
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

void put16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}
void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

}  // namespace

BookBuilder::BookBuilder(std::filesystem::path folder) : folder_(std::move(folder)) {}

int BookBuilder::heading(int level, std::string title, int phrases, double clipSeconds) {
  int index = headingCount();
  headings_.push_back(Heading{level, std::move(title), phrases, clipSeconds, {}, {}});
  entries_.push_back({Entry::Heading, index, {}});
  return index;
}

void BookBuilder::headings(int count, int phrases, double clipSeconds) {
  for (int i = 0; i < count; ++i)
    heading(1, "Heading " + std::to_string(headingCount() + 1), phrases, clipSeconds);
}

void BookBuilder::page(std::string label) {
  entries_.push_back({Entry::Page, headingCount() - 1, std::move(label)});
}

void BookBuilder::group(std::string text) {
  entries_.push_back({Entry::Group, headingCount() - 1, std::move(text)});
}

std::string BookBuilder::smilName(int heading) {
  return numbered("s", heading, ".smil");
}
std::string BookBuilder::audioName(int heading) {
  return numbered("a", heading, ".wav");
}
std::string BookBuilder::textName(int heading) {
  return numbered("t", heading, ".html");
}

std::string BookBuilder::ncc() const {
  double total = 0;
  for (const auto& h : headings_)
    if (h.sharesSmilOf < 0) total += h.phrases * h.clipSeconds;
  std::string out =
      "<?xml version=\"1.0\" encoding=\"" + charset + "\"?>\n<html>\n<head>\n<title>" + title +
      "</title>\n<meta name=\"dc:title\" content=\"" + title + "\"/>\n" +
      (language.empty() ? "" : "<meta name=\"dc:language\" content=\"" + language + "\"/>\n") +
      "<meta name=\"dc:identifier\" content=\"" + identifier + "\"/>\n" +
      (date.empty() ? "" : "<meta name=\"dc:date\" content=\"" + date + "\"/>\n") +
      "<meta name=\"ncc:charset\" content=\"" + charset + "\"/>\n" +
      "<meta name=\"ncc:setInfo\" content=\"" + setInfo + "\"/>\n" +
      "<meta name=\"ncc:tocItems\" content=\"" + std::to_string(entries_.size()) + "\"/>\n" +
      "<meta name=\"ncc:totalTime\" content=\"" + clock(total).substr(0, clock(total).find('.')) +
      "\"/>\n</head>\n<body>\n";
  int pages = 0, groups = 0;
  for (const Entry& entry : entries_) {
    std::string link = this->link(entry.index < 0 ? 0 : entry.index);
    if (entry.kind == Entry::Heading) {
      const Heading& h = headings_[entry.index];
      std::string tag = std::string("h") + std::to_string(h.level);
      std::string attributes = h.linkAttributes.empty() ? "" : " " + h.linkAttributes;
      out += "<" + tag + " id=\"h" + std::to_string(entry.index) + "\"><a href=\"" + link + "\"" +
             attributes + ">" + h.title + "</a></" + tag + ">\n";
    } else if (entry.kind == Entry::Page) {
      out += "<span class=\"page-normal\" id=\"pg" + std::to_string(pages++) + "\"><a href=\"" +
             link + "\">" + entry.text + "</a></span>\n";
    } else {
      out += "<div class=\"group\" id=\"g" + std::to_string(groups++) + "\"><a href=\"" + link +
             "\">" + entry.text + "</a></div>\n";
    }
  }
  return out + "</body>\n</html>\n";
}

std::string BookBuilder::link(int index) const {
  const Heading& h = headings_[index];
  const int file = h.sharesSmilOf < 0 ? index : h.sharesSmilOf;
  const int phrase = h.sharesSmilOf < 0 ? 0 : h.sharedFromPhrase;
  return smilName(file) + "#p" + std::to_string(file) + "_" + std::to_string(phrase);
}

std::string BookBuilder::smil(int index) const {
  const Heading& h = headings_[index];
  std::string out =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<smil>\n<head>\n"
      "<meta name=\"ncc:timeInThisSmil\" content=\"" +
      clock(h.phrases * h.clipSeconds) + "\"/>\n</head>\n<body>\n<seq dur=\"" +
      seconds(h.phrases * h.clipSeconds) + "s\">\n";
  std::string document = textDocuments ? textName(index) : "ncc.html";
  std::string attributes = h.parAttributes.empty() ? "" : " " + h.parAttributes;
  for (int k = 0; k < h.phrases; ++k) {
    std::string suffix = std::to_string(index) + "_" + std::to_string(k);
    std::string fragment =
        textDocuments ? std::string("t") + suffix : std::string("h") + std::to_string(index);
    out += "<par endsync=\"last\" id=\"p" + suffix + "\"" + attributes + ">\n" + "<text src=\"" +
           document + "#" + fragment + "\" id=\"x" + suffix + "\"/>\n" +
           (audioElements ? "<audio src=\"" + audioName(index) +
                                "\" clip-begin=\"npt=" + seconds(k * h.clipSeconds) +
                                "s\" clip-end=\"npt=" + seconds((k + 1) * h.clipSeconds) +
                                "s\" id=\"a" + suffix + "\"/>\n"
                          : "") +
           "</par>\n";
  }
  return out + "</seq>\n</body>\n</smil>\n";
}

std::string BookBuilder::text(int index) const {
  const Heading& h = headings_[index];
  std::string out = "<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>" + h.title +
                    "</title>\n</head>\n<body>\n<h" + std::to_string(h.level) + ">" + h.title +
                    "</h" + std::to_string(h.level) + ">\n";
  for (int k = 0; k < h.phrases; ++k) {
    std::string suffix = std::to_string(index) + "_" + std::to_string(k);
    out +=
        "<p id=\"t" + suffix + "\">Phrase " + std::to_string(k + 1) + " of " + h.title + ".</p>\n";
  }
  return out + "</body>\n</html>\n";
}

std::string BookBuilder::wav(double seconds, int sampleRate) {
  std::uint32_t samples = static_cast<std::uint32_t>(seconds * sampleRate);
  std::string out = "RIFF";
  put32(out, 36 + samples * 2);
  out += "WAVEfmt ";
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, sampleRate);
  put32(out, sampleRate * 2);
  put16(out, 2);
  put16(out, 16);
  out += "data";
  put32(out, samples * 2);
  out.reserve(out.size() + samples * 2);
  for (std::uint32_t i = 0; i < samples; ++i)
    put16(out, static_cast<std::uint16_t>(
                   static_cast<std::int16_t>(800 * std::sin(2 * M_PI * 440.0 * i / sampleRate))));
  return out;
}

std::string BookBuilder::write() const {
  std::filesystem::create_directories(folder_);
  writeFile(folder_ / "ncc.html", ncc());
  for (int i = 0; i < headingCount(); ++i) {
    if (headings_[i].sharesSmilOf >= 0) continue;
    writeFile(folder_ / smilName(i), smil(i));
    if (textDocuments) writeFile(folder_ / textName(i), text(i));
    if (audio)
      writeFile(folder_ / audioName(i),
                wav(headings_[i].phrases * headings_[i].clipSeconds, sampleRate));
  }
  std::string result = folder_.string();
  if (result.empty() || result.back() != '/') result += '/';
  return result;
}

}  // namespace orbis::testing
