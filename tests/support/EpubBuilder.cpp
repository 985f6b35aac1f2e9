#include "support/EpubBuilder.h"

#include <zip.h>

#include <fstream>
#include <sstream>

#include "support/Daisy3Builder.h"
#include "support/WavFile.h"

namespace orbis::testing {

namespace fs = std::filesystem;

namespace {

constexpr const char* kXhtmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\">";

void writeFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

void addEntry(zipFile zip, const std::string& name, const std::string& content, bool store) {
  zip_fileinfo info{};
  zipOpenNewFileInZip(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                      store ? 0 : Z_DEFLATED, store ? 0 : Z_DEFAULT_COMPRESSION);
  zipWriteInFileInZip(zip, content.data(), static_cast<unsigned>(content.size()));
  zipCloseFileInZip(zip);
}

std::string chapterName(size_t i) {
  return "chapter" + std::to_string(i + 1);
}

}  // namespace

EpubBuilder::EpubBuilder(fs::path folder) : folder_(std::move(folder)) {}

std::string EpubBuilder::opf() const {
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
         "unique-identifier=\"uid\">\n<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
         "<dc:identifier id=\"other\">urn:isbn:000</dc:identifier>"
         "<dc:identifier id=\"uid\">"
      << identifier << "</dc:identifier><dc:title>" << title << "</dc:title><dc:creator>" << creator
      << "</dc:creator><dc:language>de</dc:language><dc:date>2025-01-02</dc:date>"
         "<dc:publisher>Test Press</dc:publisher>";
  if (mediaOverlay) {
    out << "<meta property=\"media:duration\">0:01:30.5</meta><meta property=\"media:narrator\">"
        << narrator << "</meta>"
        << "<meta property=\"media:active-class\">-epub-media-overlay-active</meta>";
  }
  out << "</metadata>\n<manifest><item id=\"nav\" href=\"nav.xhtml\" "
         "media-type=\"application/xhtml+xml\" properties=\"nav\"/>";
  for (size_t i = 0; i < chapters_.size(); ++i) {
    const std::string name = chapterName(i);
    out << "<item id=\"" << name << "\" href=\"text/" << name
        << ".xhtml\" media-type=\"application/xhtml+xml\"";
    if (mediaOverlay) out << " media-overlay=\"" << name << "-mo\"";
    out << "/>";
    if (mediaOverlay)
      out << "<item id=\"" << name << "-mo\" href=\"smil/" << name
          << ".smil\" media-type=\"application/smil+xml\"/><item id=\"" << name
          << "-audio\" href=\"audio/" << name << ".wav\" media-type=\"audio/wav\"/>";
  }
  out << "</manifest>\n<spine>";
  for (size_t i = 0; i < chapters_.size(); ++i)
    out << "<itemref idref=\"" << chapterName(i) << "\""
        << (chapters_[i].linear ? "" : " linear=\"no\"") << "/>";
  out << "</spine></package>\n";
  return out.str();
}

std::string EpubBuilder::nav() const {
  std::ostringstream out;
  out << kXhtmlHead << "<head><title>Contents</title></head><body>"
      << "<nav epub:type=\"toc\"><h1>Contents</h1><ol>";
  int depth = 1;
  for (size_t i = 0; i < chapters_.size(); ++i) {
    const Chapter& chapter = chapters_[i];
    for (; depth < chapter.depth; ++depth) out << "<ol>";
    for (; depth > chapter.depth; --depth) out << "</li></ol>";
    if (i > 0 && chapters_[i - 1].depth >= chapter.depth) out << "</li>";
    out << "<li><a href=\"text/" << chapterName(i) << ".xhtml\"><span>" << chapter.title
        << "</span></a>";
  }
  for (; depth > 1; --depth) out << "</li></ol>";
  if (!chapters_.empty()) out << "</li>";
  out << "</ol></nav><nav epub:type=\"page-list\" hidden=\"\"><ol>";
  for (size_t i = 0; i < chapters_.size(); ++i)
    if (!chapters_[i].pageLabel.empty())
      out << "<li><a href=\"text/" << chapterName(i) << ".xhtml#page" << chapters_[i].pageLabel
          << "\">" << chapters_[i].pageLabel << "</a></li>";
  out << "</ol></nav>";
  if (landmarks && !chapters_.empty())
    out << "<nav epub:type=\"landmarks\"><ol><li><a epub:type=\"bodymatter\" href=\"text/"
        << chapterName(chapters_.size() - 1) << ".xhtml#h" << chapters_.size()
        << "\">Last chapter</a></li></ol></nav>";
  out << "</body></html>\n";
  return out.str();
}

std::string EpubBuilder::xhtml(size_t i) const {
  const Chapter& chapter = chapters_[i];
  auto id = [&](const std::string& value) {
    return unitIds ? " id=\"" + value + "\"" : std::string();
  };
  std::ostringstream out;
  out << kXhtmlHead << "<head><title>" << chapter.title << "</title></head><body><section>";
  if (!chapter.pageLabel.empty())
    out << "<div><span epub:type=\"pagebreak\" id=\"page" << chapter.pageLabel << "\" title=\""
        << chapter.pageLabel << "\">" << chapter.pageLabel << "</span></div>";
  out << "<h1" << id("h" + std::to_string(i + 1)) << ">" << chapter.title << "</h1>";
  for (size_t k = 0; k < chapter.paragraphs.size(); ++k)
    out << "<p" << id("p" + std::to_string(i + 1) + "_" + std::to_string(k + 1)) << ">"
        << chapter.paragraphs[k] << "</p>";
  if (!chapter.footnote.empty())
    out << "<aside epub:type=\"footnote\" id=\"note" << i + 1 << "\"><p"
        << id("n" + std::to_string(i + 1)) << ">" << chapter.footnote << "</p></aside>";
  out << "</section></body></html>\n";
  return out.str();
}

std::string EpubBuilder::smil(size_t i) const {
  const Chapter& chapter = chapters_[i];
  const std::string text = "../text/" + chapterName(i) + ".xhtml#";
  const std::string audio = "../audio/" + chapterName(i) + ".wav";
  std::ostringstream out;
  int clip = 0;
  auto par = [&](const std::string& id) {
    const double begin = clip * clipSeconds, end = (clip + 1) * clipSeconds;
    const int form = clip % 6;
    ++clip;
    return "<par><text src=\"" + text + id + "\"/><audio src=\"" + audio + "\" clipBegin=\"" +
           Daisy3Builder::clockValue(begin, form) + "\" clipEnd=\"" +
           Daisy3Builder::clockValue(end, form) + "\"/></par>";
  };
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<smil xmlns=\"http://www.w3.org/ns/SMIL\" xmlns:epub=\"http://www.idpf.org/2007/ops\" "
         "version=\"3.0\"><body><seq epub:textref=\""
      << text.substr(0, text.size() - 1) << "\">";
  if (!chapter.pageLabel.empty())
    out << "<seq epub:type=\"pagebreak\">" << par("page" + chapter.pageLabel) << "</seq>";
  out << par("h" + std::to_string(i + 1));
  for (size_t k = 0; k < chapter.paragraphs.size(); ++k)
    out << par("p" + std::to_string(i + 1) + "_" + std::to_string(k + 1));
  if (!chapter.footnote.empty())
    out << "<seq epub:type=\"footnote\" epub:textref=\"" << text << "note" << i + 1 << "\">"
        << par("n" + std::to_string(i + 1)) << "</seq>";
  out << "</seq></body></smil>\n";
  return out.str();
}

std::string EpubBuilder::write() const {
  const fs::path files = folder_ / "files";
  std::vector<std::pair<std::string, std::string>> entries = {
      {"META-INF/container.xml",
       "<?xml version=\"1.0\"?><container version=\"1.0\" "
       "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles><rootfile "
       "full-path=\"OEBPS/package.opf\" media-type=\"application/oebps-package+xml\"/>"
       "</rootfiles></container>"},
      {"OEBPS/package.opf", opf()},
      {"OEBPS/nav.xhtml", nav()}};
  if (!encryptionAlgorithm.empty())
    entries.push_back({"META-INF/encryption.xml",
                       "<encryption xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\" "
                       "xmlns:enc=\"http://www.w3.org/2001/04/xmlenc#\"><enc:EncryptedData>"
                       "<enc:EncryptionMethod Algorithm=\"" +
                           encryptionAlgorithm +
                           "\"/><enc:CipherData><enc:CipherReference "
                           "URI=\"OEBPS/text/chapter1.xhtml\"/></enc:CipherData>"
                           "</enc:EncryptedData></encryption>"});
  for (size_t i = 0; i < chapters_.size(); ++i) {
    entries.push_back({"OEBPS/text/" + chapterName(i) + ".xhtml", xhtml(i)});
    if (mediaOverlay) entries.push_back({"OEBPS/smil/" + chapterName(i) + ".smil", smil(i)});
  }
  for (const auto& [name, content] : entries) writeFile(files / name, content);

  const std::string epub = (folder_ / "book.epub").string();
  zipFile zip = zipOpen(epub.c_str(), APPEND_STATUS_CREATE);
  addEntry(zip, "mimetype", "application/epub+zip", true);
  for (const auto& [name, content] : entries) addEntry(zip, name, content, false);
  if (mediaOverlay) {
    for (size_t i = 0; i < chapters_.size(); ++i) {
      const fs::path wav = files / "OEBPS/audio" / (chapterName(i) + ".wav");
      fs::create_directories(wav.parent_path());
      const int clips = 3 + static_cast<int>(chapters_[i].paragraphs.size());
      writeWav(wav.string(), static_cast<int>(clips * clipSeconds * 1000));
      std::ifstream in(wav, std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      addEntry(zip, "OEBPS/audio/" + chapterName(i) + ".wav", bytes.str(), false);
    }
  }
  for (const std::string& name : extraEntries) addEntry(zip, name, "x", false);
  zipClose(zip, nullptr);
  return epub;
}

}  // namespace orbis::testing
