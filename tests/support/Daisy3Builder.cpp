#include "support/Daisy3Builder.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "support/BookBuilder.h"

namespace orbis::testing {

namespace {

std::string numbered(const char* prefix, int number, const char* suffix) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%04d%s", prefix, number + 1, suffix);
  return name;
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::string id(int heading, int phrase) {
  return (heading < 0 ? std::string() : std::to_string(heading)) + "_" + std::to_string(phrase);
}

}  // namespace

Daisy3Builder::Daisy3Builder(std::filesystem::path folder) : folder_(std::move(folder)) {}

int Daisy3Builder::heading(int depth, std::string title, int phrases, std::string customTest) {
  headings_.push_back({depth, std::move(title), phrases, std::move(customTest)});
  return static_cast<int>(headings_.size()) - 1;
}

void Daisy3Builder::page(std::string label, std::string type, int heading) {
  pages_.push_back({std::move(label), std::move(type), heading});
}

void Daisy3Builder::navList(std::string label, std::vector<int> headings) {
  navLists_.push_back({std::move(label), std::move(headings)});
}

void Daisy3Builder::customTest(std::string id, std::string bookStruct) {
  customTests_.emplace_back(std::move(id), std::move(bookStruct));
}

std::string Daisy3Builder::smilName(int file) {
  return numbered("s", file, ".smil");
}

std::string Daisy3Builder::audioName(int file) {
  return numbered("a", file, ".wav");
}

std::string Daisy3Builder::clockValue(double seconds, int form) {
  char text[64];
  const long ms = std::lround(seconds * 1000);
  switch (form % 6) {
    case 0:
      std::snprintf(text, sizeof text, "%ld:%02ld:%02ld.%03ld", ms / 3600000, ms / 60000 % 60,
                    ms / 1000 % 60, ms % 1000);
      break;
    case 1:
      std::snprintf(text, sizeof text, "%02ld:%02ld.%03ld", ms / 60000, ms / 1000 % 60, ms % 1000);
      break;
    case 2:
      std::snprintf(text, sizeof text, "%.3fs", seconds);
      break;
    case 3:
      std::snprintf(text, sizeof text, "%.6fmin", seconds / 60);
      break;
    case 4:
      std::snprintf(text, sizeof text, "%ldms", ms);
      break;
    default:
      std::snprintf(text, sizeof text, "%.3f", seconds);
  }
  return text;
}

int Daisy3Builder::fileOf(int heading) const {
  int file = -1;
  for (int i = 0; i <= heading; ++i)
    if (i == 0 || headings_[i].depth == 1) ++file;
  return file;
}

std::string Daisy3Builder::target(int heading) const {
  return smilName(fileOf(heading)) + "#p" + id(heading, 0);
}

std::string Daisy3Builder::opf() const {
  int files = headings_.empty() ? 0 : fileOf(static_cast<int>(headings_.size()) - 1) + 1;
  std::string out =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<package xmlns=\"http://openebook.org/namespaces/oeb-package/1.0/\" "
      "unique-identifier=\"uid\">\n<metadata>\n<dc-metadata "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
      "<dc:Title>" +
      title +
      "</dc:Title>\n<dc:Identifier id=\"other\">isbn-x</dc:Identifier>\n"
      "<dc:Identifier id=\"uid\">" +
      identifier + "</dc:Identifier>\n" +
      (date.empty() ? "" : "<dc:Date>" + date + "</dc:Date>\n") +
      (language.empty() ? "" : "<dc:Language>" + language + "</dc:Language>\n") +
      "<dc:Format>ANSI/NISO Z39.86-2005</dc:Format>\n</dc-metadata>\n<x-metadata>\n"
      "<meta name=\"dtb:totalTime\" content=\"" +
      totalTime +
      "\"/>\n"
      "</x-metadata>\n</metadata>\n<manifest>\n"
      "<item id=\"ncx\" href=\"book.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n";
  if (dtbook)
    out += "<item id=\"text\" href=\"dtbook.xml\" media-type=\"application/x-dtbook+xml\"/>\n";
  for (int f = 0; f < files; ++f)
    out += "<item id=\"smil" + std::to_string(f) + "\" href=\"" + smilName(f) +
           "\" media-type=\"application/smil\"/>\n";
  out += "</manifest>\n<spine>\n";
  for (int f = 0; f < files; ++f) out += "<itemref idref=\"smil" + std::to_string(f) + "\"/>\n";
  return out + "</spine>\n</package>\n";
}

std::string Daisy3Builder::navPoints(size_t& next, int depth) const {
  std::string out;
  while (next < headings_.size() && headings_[next].depth == depth) {
    const size_t index = next++;
    out += "<navPoint id=\"n" + std::to_string(index) + "\" playOrder=\"" +
           std::to_string(index + 1) + "\">\n<navLabel><text>\n  " + headings_[index].title +
           "\n</text></navLabel>\n<content src=\"" + target(static_cast<int>(index)) + "\"/>\n";
    while (next < headings_.size() && headings_[next].depth > depth)
      out += navPoints(next, headings_[next].depth);
    out += "</navPoint>\n";
  }
  return out;
}

std::string Daisy3Builder::ncx() const {
  std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + ncxDoctype +
                    "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\">\n"
                    "<head>\n<meta name=\"dtb:uid\" content=\"" +
                    identifier + "\"/>\n";
  for (const auto& [testId, bookStruct] : customTests_)
    out += "<smilCustomTest id=\"" + testId + "\" bookStruct=\"" + bookStruct +
           "\" defaultState=\"false\" override=\"visible\"/>\n";
  out += "</head>\n<docTitle><text>" + title + "</text></docTitle>\n<navMap>\n";
  size_t next = 0;
  while (next < headings_.size()) out += navPoints(next, headings_[next].depth);
  out += "</navMap>\n";
  if (!pages_.empty()) {
    out += "<pageList>\n";
    for (const Page& page : pages_)
      out += "<pageTarget type=\"" + page.type + "\" value=\"1\"><navLabel><text>" + page.label +
             "</text></navLabel><content src=\"" + target(page.heading) + "\"/></pageTarget>\n";
    out += "</pageList>\n";
  }
  for (const NavList& list : navLists_) {
    out += "<navList><navLabel><text>" + list.label + "</text></navLabel>\n";
    for (int heading : list.headings)
      out += "<navTarget><navLabel><text>" + headings_[heading].title +
             "</text></navLabel><content src=\"" + target(heading) + "\"/></navTarget>\n";
    out += "</navList>\n";
  }
  return out + "</ncx>\n";
}

std::string Daisy3Builder::smil(int file) const {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<smil "
      "xmlns=\"http://www.w3.org/2001/SMIL20/\">\n"
      "<head>\n<customAttributes>\n";
  for (const auto& [testId, bookStruct] : customTests_)
    out += "<customTest id=\"" + testId + "\" defaultState=\"false\" override=\"visible\"/>\n";
  out += "</customAttributes>\n</head>\n<body>\n<seq id=\"main\">\n";
  int form = 0;
  double at = 0;
  auto par = [&](const std::string& suffix) {
    out += "<par id=\"p" + suffix + "\">\n";
    if (dtbook) out += "<text src=\"dtbook.xml#t" + suffix + "\"/>\n";
    if (audio) {
      const int beginForm = everyClockForm ? form++ : 0;
      const int endForm = everyClockForm ? form++ : 0;
      out += "<audio src=\"" + audioName(file) + "\" clipBegin=\"" + clockValue(at, beginForm) +
             "\" clipEnd=\"" + clockValue(at + clipSeconds, endForm) + "\"/>\n";
    }
    at += clipSeconds;
    out += "</par>\n";
  };
  if (file == 0)
    for (int k = 0; k < frontPhrases; ++k) par(id(-1, k));
  for (size_t h = 0; h < headings_.size(); ++h) {
    if (fileOf(static_cast<int>(h)) != file) continue;
    const Heading& heading = headings_[h];
    if (!heading.customTest.empty())
      out += "<seq id=\"s" + std::to_string(h) + "\" customTest=\"" + heading.customTest + "\">\n";
    for (int k = 0; k < heading.phrases; ++k) par(id(static_cast<int>(h), k));
    if (!heading.customTest.empty()) out += "</seq>\n";
  }
  return out + "</seq>\n</body>\n</smil>\n";
}

std::string Daisy3Builder::dtbookXml() const {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<dtbook xmlns=\"http://www.daisy.org/z3986/2005/dtbook/\" version=\"2005-2\">\n"
      "<head><meta name=\"dc:Title\" content=\"" +
      title + "\"/></head>\n<book><bodymatter>\n";
  for (int k = 0; k < frontPhrases; ++k)
    out += "<p><sent id=\"t" + id(-1, k) + "\">Front " + std::to_string(k + 1) + ".</sent></p>\n";
  for (size_t h = 0; h < headings_.size(); ++h) {
    const Heading& heading = headings_[h];
    const std::string level = std::to_string(std::min(heading.depth, 6));
    out += "<level" + level + "><h" + level + ">" + heading.title + "</h" + level + ">\n<p>";
    for (int k = 0; k < heading.phrases; ++k)
      out += "<sent id=\"t" + id(static_cast<int>(h), k) + "\">Phrase " + std::to_string(k + 1) +
             " of " + heading.title + ".</sent> ";
    out += "</p></level" + level + ">\n";
  }
  return out + "</bodymatter></book>\n</dtbook>\n";
}

std::string Daisy3Builder::write() const {
  std::filesystem::create_directories(folder_);
  writeFile(folder_ / "book.opf", opf());
  writeFile(folder_ / "book.ncx", ncx());
  if (dtbook) writeFile(folder_ / "dtbook.xml", dtbookXml());
  const int files = headings_.empty() ? 0 : fileOf(static_cast<int>(headings_.size()) - 1) + 1;
  for (int f = 0; f < files; ++f) {
    writeFile(folder_ / smilName(f), smil(f));
    if (audio) writeFile(folder_ / audioName(f), BookBuilder::wav(clipSeconds * 4, 8000));
  }
  std::string path = folder_.string();
  return path.back() == '/' ? path : path + "/";
}

}  // namespace orbis::testing
