#include "epub/EpubLoader.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <unordered_map>

#include "book/BookPaths.h"
#include "book/TimeText.h"
#include "daisy3/ClockValue.h"
#include "daisy3/NcxFile.h"
#include "daisy3/PackageFile.h"
#include "daisy3/Smil2Reader.h"
#include "epub/EpubContainer.h"
#include "epub/EpubPaths.h"
#include "epub/NavDocument.h"
#include "epub/XhtmlUnits.h"

namespace orbis {

namespace {

// The tree and the title table know six levels; deeper entries are shown on the sixth.
constexpr int kDeepestLevel = 6;
constexpr int kUtf8CodePage = 65001;

bool isContentDocument(const ManifestItem& item) {
  return item.mediaType == "application/xhtml+xml" || item.mediaType == "text/html";
}

bool hasProperty(const std::string& properties, std::string_view property) {
  size_t start = 0;
  while (start < properties.size()) {
    size_t end = properties.find_first_of(" \t\n\r", start);
    if (end == std::string::npos) end = properties.size();
    if (std::string_view(properties).substr(start, end - start) == property) return true;
    start = end + 1;
  }
  return false;
}

std::string propertyOf(const PackageFile& package, const std::string& name) {
  auto found = package.properties.find(name);
  return found == package.properties.end() ? std::string() : found->second;
}

void fillMetadata(const PackageFile& package, BookMetadata& meta) {
  meta.title = package.title;
  meta.identifier = package.identifier;
  meta.date = package.date.empty() ? "00-00-0000" : package.date;
  meta.creator = package.creator;
  meta.language = package.language;
  meta.publisher = package.publisher;
  meta.narrator = propertyOf(package, "media:narrator");
  if (const std::optional<double> duration = parseClockValue(propertyOf(package, "media:duration")))
    meta.totalTime = formatTimeText(*duration);
}

// Where a phrase's text stands: the content document (its number in reading order) and the
// element's span in it.
struct Place {
  int document = 0;
  XhtmlSpan span;
};

bool before(const Place& a, const Place& b) {
  return a.document != b.document ? a.document < b.document : a.span.start < b.span.start;
}

double secondsOf(std::string_view cell) {
  const std::string text(cell);
  return text.empty() ? 0.0 : std::strtod(text.c_str(), nullptr);
}

struct Heading {
  NavEntry entry;
  int row = -1;  // the phrase it starts at; -1 for none
};

}  // namespace

EpubLoader::EpubLoader(LoadTargets targets, const std::string& folder, LoadProgress* progress,
                       const LoaderTexts& texts, LoadResult& result)
    : targets_(targets), folder_(folder), progress_(progress), texts_(texts), result_(result) {}

EpubLoader::Outcome EpubLoader::readMetadata(const std::string& folder, BookMetadata& metadata) {
  const std::string packagePath = packageDocumentOf(folder);
  if (packagePath.empty()) return Outcome::Unreadable;
  if (hasEncryptedContent(folder)) return Outcome::Encrypted;
  const std::optional<PackageFile> package = readPackageFile(folder, packagePath);
  if (!package) return Outcome::Unreadable;
  fillMetadata(*package, metadata);
  return Outcome::Loaded;
}

EpubLoader::Outcome EpubLoader::run() {
  const std::string packagePath = packageDocumentOf(folder_);
  if (packagePath.empty()) return Outcome::Unreadable;
  if (hasEncryptedContent(folder_)) return Outcome::Encrypted;
  const std::optional<PackageFile> package = readPackageFile(folder_, packagePath);
  if (!package) return Outcome::Unreadable;
  fillMetadata(*package, result_.metadata);
  // The XML parser hands every text over in UTF-8, whatever the files were written in.
  result_.codePage = kUtf8CodePage;

  std::unordered_map<std::string, size_t> itemById;
  for (size_t i = 0; i < package->manifest.size(); ++i)
    itemById.emplace(package->manifest[i].id, i);
  // The reading order: the linear items, then the others; each content document once.
  std::vector<const ManifestItem*> order;
  std::unordered_map<std::string, bool> nonLinear;  // book-relative path -> placed last
  for (bool linear : {true, false})
    for (const SpineItem& item : package->spineItems)
      if (item.linear == linear && isContentDocument(package->manifest[item.item])) {
        order.push_back(&package->manifest[item.item]);
        nonLinear.emplace(bookPathOf(packagePath, order.back()->href), !linear);
      }

  BookTable& phrases = targets_.phrase;
  std::unordered_map<std::string, int> documentOf;  // book-relative path -> reading order
  std::vector<std::unordered_map<std::string, XhtmlSpan>> idsOf;
  std::vector<std::string> documentPaths;
  std::vector<Place> places;  // by phrase row
  const SkipStructures skips({});
  Smil2Reader smil(phrases, folder_, skips, result_.features);
  const int files = static_cast<int>(order.size());
  if (progress_) {
    progress_->setRange(files);
    progress_->setPosition(0);
  }
  for (int i = 0; i < files; ++i) {
    const std::string path = bookPathOf(packagePath, order[i]->href);
    if (path.empty() || documentOf.count(path)) continue;
    std::string resolved;
    const std::optional<std::string> bytes = readBookFile(folder_, path, &resolved);
    const xml::XmlFile file = bytes ? xml::XmlFile::parse(*bytes, resolved) : xml::XmlFile{};
    XhtmlIndex index = indexXhtml(file.root(), resolved);
    const int document = static_cast<int>(idsOf.size());
    documentOf.emplace(path, document);
    documentPaths.push_back(path);

    auto overlay = itemById.find(order[i]->mediaOverlay);
    const int firstRow = phrases.rowCount();
    if (!order[i]->mediaOverlay.empty() && overlay != itemById.end()) {
      const std::string smilPath = bookPathOf(packagePath, package->manifest[overlay->second].href);
      if (!smilPath.empty()) smil.read(smilPath);
      // The SMIL reader keeps links as the overlay writes them; the tables keep decoded paths
      // relative to the book, as for every other book.
      for (int row = firstRow; row < phrases.rowCount(); ++row) {
        std::string text(phrases.cell(row, PhraseCol::Document));
        if (text.compare(0, folder_.size(), folder_) == 0) text.erase(0, folder_.size());
        const std::string textPath = bookPathOf("", text);
        phrases.setCell(row, PhraseCol::Document, textPath.empty() ? "" : folder_ + textPath);
        phrases.setCell(row, PhraseCol::Fragment,
                        percentDecoded(phrases.cell(row, PhraseCol::Fragment)));
        // Text elements and pars of overlays seldom have ids: the text's target stands for
        // the phrase, as the mark and the page tracking look it up.
        if (phrases.cell(row, PhraseCol::TextId).empty())
          phrases.setCell(row, PhraseCol::TextId, phrases.cell(row, PhraseCol::Fragment));
        const std::string audio = bookPathOf("", phrases.cell(row, PhraseCol::Audio));
        phrases.setCell(row, PhraseCol::Audio, audio);
        Place place = places.empty() ? Place{document, {}} : places.back();
        auto textDocument = documentOf.find(textPath);
        if (textDocument != documentOf.end()) {
          const auto& ids =
              textDocument->second == document ? index.ids : idsOf[textDocument->second];
          auto found = ids.find(std::string(phrases.cell(row, PhraseCol::Fragment)));
          if (found != ids.end()) place = {textDocument->second, found->second};
        }
        places.push_back(place);
      }
    } else if (bytes) {
      // Units without an id of their own are found only where the text view gives them the
      // same id.
      const bool idsGiven = isEpubXhtml(*bytes, resolved);
      const std::string documentPath = folder_ + path;
      for (const XhtmlUnit& unit : index.units) {
        if (unit.idGiven && !idsGiven) continue;
        std::array<std::string_view, kPhraseColumns> cells{};
        cells[PhraseCol::TreeId] = "0";
        cells[PhraseCol::ParId] = unit.id;
        cells[PhraseCol::Document] = documentPath;
        cells[PhraseCol::Fragment] = unit.id;
        cells[PhraseCol::TextId] = unit.id;
        cells[PhraseCol::Skip] = unit.skip;
        phrases.insertRow(phrases.rowCount(), cells);
        if (!unit.skip.empty()) SkipStructures::note(unit.skip, result_.features);
        places.push_back({document, unit.span});
      }
    }
    idsOf.push_back(std::move(index.ids));
    if (progress_) {
      progress_->setPosition(i + 1);
      progress_->setStatus(std::to_string(i + 1) + " " + texts_.of + " " + std::to_string(files));
    }
  }
  if (phrases.rowCount() > 0) result_.features.separateText = true;

  // The navigation: the navigation document, else the NCX of an EPUB 2 package.
  NavDocument nav;
  for (const ManifestItem& item : package->manifest) {
    if (!hasProperty(item.properties, "nav")) continue;
    if (auto read = readNavDocument(folder_, bookPathOf(packagePath, item.href))) nav = *read;
    break;
  }
  if (nav.toc.empty() && !package->ncx.empty()) {
    const std::string ncxPath = bookPathOf(packagePath, package->ncx);
    if (std::optional<NcxFile> ncx = readNcxFile(folder_, ncxPath)) {
      auto entry = [&](const NcxTarget& target, int depth) {
        NavEntry converted{target.label, bookPathOf(ncxPath, target.smil), "", depth};
        converted.fragment = percentDecoded(target.fragment);
        return converted;
      };
      for (const NcxHeading& heading : ncx->headings)
        nav.toc.push_back(entry(heading, heading.depth));
      if (nav.pages.empty())
        for (const NcxPage& page : ncx->pages) nav.pages.push_back(entry(page, 1));
      if (nav.landmarks.empty())
        for (const NcxTarget& group : ncx->groups) nav.landmarks.push_back(entry(group, 1));
    }
  }

  // A target leads to the phrase whose text holds it, else to the first phrase after it.
  std::vector<int> byPlace(places.size());
  for (size_t row = 0; row < places.size(); ++row) byPlace[row] = static_cast<int>(row);
  std::stable_sort(byPlace.begin(), byPlace.end(),
                   [&](int a, int b) { return before(places[a], places[b]); });
  auto rowOf = [&](const NavEntry& entry) -> int {
    auto document = documentOf.find(entry.file);
    if (document == documentOf.end()) return -1;
    Place target{document->second, {-1, -1}};
    if (!entry.fragment.empty()) {
      auto found = idsOf[target.document].find(entry.fragment);
      if (found != idsOf[target.document].end()) target.span = found->second;
    }
    auto after = std::upper_bound(byPlace.begin(), byPlace.end(), target,
                                  [&](const Place& t, int row) { return before(t, places[row]); });
    if (after != byPlace.begin()) {
      const Place& holder = places[*(after - 1)];
      if (holder.document == target.document && holder.span.start <= target.span.start &&
          target.span.start < holder.span.end)
        return *(after - 1);
    }
    return after == byPlace.end() ? -1 : *after;
  };

  // The headings of the items read last follow the others, so that the tree keeps the
  // reading order.
  std::vector<NavEntry> toc = nav.toc;
  std::stable_partition(toc.begin(), toc.end(), [&](const NavEntry& entry) {
    auto found = nonLinear.find(entry.file);
    return found == nonLinear.end() || !found->second;
  });
  std::vector<Heading> headings;
  for (const NavEntry& entry : toc) headings.push_back({entry, rowOf(entry)});
  // An entry that only groups others starts where the first of them does.
  for (size_t i = 0; i < headings.size(); ++i) {
    if (!headings[i].entry.file.empty()) continue;
    for (size_t j = i + 1; j < headings.size() && headings[j].entry.depth > headings[i].entry.depth;
         ++j)
      if (headings[j].row >= 0) {
        headings[i].row = headings[j].row;
        break;
      }
  }

  const int rowCount = phrases.rowCount();
  int firstHeadingRow = rowCount;
  for (const Heading& heading : headings)
    if (heading.row >= 0) firstHeadingRow = std::min(firstHeadingRow, heading.row);
  const int offset = firstHeadingRow > 0 && rowCount > 0 ? 1 : 0;

  // Each phrase belongs to the last heading (in the order of the contents) that starts at or
  // before it.
  std::vector<int> starting(headings.size());
  for (size_t i = 0; i < headings.size(); ++i) starting[i] = static_cast<int>(i);
  std::stable_sort(starting.begin(), starting.end(),
                   [&](int a, int b) { return headings[a].row < headings[b].row; });
  const int titleRows = static_cast<int>(headings.size()) + offset;
  std::vector<double> seconds(titleRows, 0.0);
  size_t next = 0;
  while (next < starting.size() && headings[starting[next]].row < 0) ++next;
  int owner = 0;  // the title row
  for (int row = 0; row < rowCount; ++row) {
    while (next < starting.size() && headings[starting[next]].row <= row) {
      owner = starting[next] + offset;
      ++next;
    }
    phrases.setCell(row, PhraseCol::TreeId, std::to_string(owner));
    if (!phrases.cell(row, PhraseCol::Audio).empty())
      seconds[owner] += std::max(0.0, secondsOf(phrases.cell(row, PhraseCol::End)) -
                                          secondsOf(phrases.cell(row, PhraseCol::Begin)));
  }

  // The title rows and the tree.
  std::array<TreeNode, kDeepestLevel + 1> lastNodeOfLevel;
  lastNodeOfLevel.fill(kNoNode);
  double elapsed = 0;
  for (int i = 0; i < titleRows; ++i) {
    const bool title = offset == 1 && i == 0;
    const Heading* heading = title ? nullptr : &headings[i - offset];
    // The levels follow the nesting: none is deeper than one below the entry before it.
    const int level = title ? 1 : std::min(heading->entry.depth, kDeepestLevel);
    const std::string label = title ? result_.metadata.title : heading->entry.label;
    const int at = targets_.title.insertRow(i, std::string(1, char('0' + level)));
    targets_.title.setCell(at, TitleCol::Title, label);
    std::string file = title || heading->entry.file.empty()
                           ? (documentPaths.empty() ? std::string() : documentPaths.front())
                           : heading->entry.file;
    targets_.title.setCell(at, TitleCol::Smil, file);
    targets_.title.setCell(at, TitleCol::Time, formatTimeText(seconds[i]));
    targets_.title.setCell(at, TitleCol::Elapsed, formatTimeText(elapsed));
    elapsed += seconds[i];
    targets_.title.setCell(at, TitleCol::TreeId, std::to_string(i));
    TreeNode parent = kNoNode;
    for (int above = level - 1; above >= 1 && parent == kNoNode; --above)
      parent = lastNodeOfLevel[above];
    lastNodeOfLevel[level] = targets_.tree.insert(parent, label, at);
    for (int deeper = level + 1; deeper <= kDeepestLevel; ++deeper)
      lastNodeOfLevel[deeper] = kNoNode;
  }

  // Pages and landmarks name their phrase by its text id, as the page tracking looks it up.
  auto fill = [&](BookTable& table, const std::vector<NavEntry>& entries) {
    for (const NavEntry& entry : entries) {
      const int phrase = rowOf(entry);
      const int at = table.insertRow(table.rowCount(), entry.label);
      table.setCell(at, PageCol::Smil, entry.file);
      table.setCell(
          at, PageCol::Fragment,
          phrase >= 0 ? phrases.cell(phrase, PhraseCol::TextId) : std::string_view(entry.fragment));
      if (phrase >= 0) table.setCell(at, PageCol::TitleId, phrases.cell(phrase, PhraseCol::TreeId));
    }
  };
  fill(targets_.page, nav.pages);
  fill(targets_.group, nav.landmarks);
  result_.features.pages = !nav.pages.empty();
  result_.features.groups = !nav.landmarks.empty();
  result_.metadata.tocItems = std::to_string(titleRows + nav.pages.size() + nav.landmarks.size());
  if (result_.metadata.totalTime.empty()) result_.metadata.totalTime = formatTimeText(elapsed);
  return Outcome::Loaded;
}

}  // namespace orbis
