#include "daisy3/Daisy3Loader.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

#include "book/TimeText.h"
#include "daisy3/ClockValue.h"
#include "daisy3/NcxFile.h"
#include "daisy3/PackageFile.h"
#include "daisy3/Smil2Reader.h"

namespace orbis {

namespace {

// The tree and the title table know six levels; deeper navPoints are shown on the sixth.
constexpr int kDeepestLevel = 6;
constexpr int kUtf8CodePage = 65001;

// The NCX names files relative to its own folder, the tables relative to the book's.
std::string besideNcx(const std::string& ncx, const std::string& link) {
  const size_t slash = ncx.find_last_of('/');
  return slash == std::string::npos || link.empty() ? link : ncx.substr(0, slash + 1) + link;
}

void fillMetadata(const PackageFile& package, const NcxFile* ncx, BookMetadata& meta) {
  meta.title = !package.title.empty() || !ncx ? package.title : ncx->docTitle;
  meta.identifier = !package.identifier.empty() || !ncx ? package.identifier : ncx->uid;
  meta.date = package.date.empty() ? "00-00-0000" : package.date;
  meta.language = package.language;
  // A clock of hours, minutes and seconds is kept as written; any other form is written so.
  const std::optional<double> total = parseClockValue(package.totalTime);
  meta.totalTime =
      std::count(package.totalTime.begin(), package.totalTime.end(), ':') == 2 || !total
          ? package.totalTime
          : formatTimeText(*total);
}

struct TitleRow {
  int level;
  std::string title;
  std::string smil;
};

}  // namespace

Daisy3Loader::Daisy3Loader(LoadTargets targets, const std::string& folder, std::string package,
                           LoadProgress* progress, const LoaderTexts& texts, LoadResult& result)
    : targets_(targets),
      folder_(folder),
      package_(std::move(package)),
      progress_(progress),
      texts_(texts),
      result_(result) {}

bool Daisy3Loader::readMetadata(const std::string& folder, const std::string& package,
                                BookMetadata& metadata) {
  const std::optional<PackageFile> opf = readPackageFile(folder, package);
  if (!opf) return false;
  const std::optional<NcxFile> ncx =
      opf->ncx.empty() ? std::nullopt : readNcxFile(folder, opf->ncx);
  fillMetadata(*opf, ncx ? &*ncx : nullptr, metadata);
  return true;
}

bool Daisy3Loader::run() {
  const std::optional<PackageFile> package = readPackageFile(folder_, package_);
  if (!package) return false;
  std::optional<NcxFile> ncx =
      package->ncx.empty() ? std::nullopt : readNcxFile(folder_, package->ncx);
  if (!ncx) ncx.emplace();
  fillMetadata(*package, &*ncx, result_.metadata);
  // The XML parser hands every text over in UTF-8, whatever the files were written in.
  result_.codePage = kUtf8CodePage;

  // The NCX's targets, as the SMIL reader meets them.
  std::unordered_map<std::string, int> headingTargets;
  for (size_t i = 0; i < ncx->headings.size(); ++i) {
    const NcxHeading& heading = ncx->headings[i];
    headingTargets.emplace(
        Smil2Reader::key(besideNcx(package->ncx, heading.smil), heading.fragment),
        static_cast<int>(i));
  }
  SkipStructures skips(ncx->customTests);
  Smil2Reader smil(targets_.phrase, folder_, skips, result_.features);
  smil.setHeadingTargets(std::move(headingTargets));
  if (!package->ncx.empty()) {
    std::vector<std::string> ids;
    for (const NcxHeading& heading : ncx->headings) ids.push_back(heading.id);
    smil.showTextlessIn(folder_ + package->ncx, std::move(ids), ncx->docTitleId);
  }
  auto wantAll = [&](const auto& entries) {
    for (const NcxTarget& entry : entries)
      smil.wantPhraseOf(Smil2Reader::key(besideNcx(package->ncx, entry.smil), entry.fragment));
  };
  wantAll(ncx->pages);
  wantAll(ncx->groups);

  // The spine in reading order, with each file's times.
  const int files = static_cast<int>(package->spine.size());
  if (progress_) {
    progress_->setRange(files);
    progress_->setPosition(0);
  }
  std::map<std::string, SmilTimes> times;
  std::map<std::string, double> elapsedAt;
  double running = 0;
  for (int i = 0; i < files; ++i) {
    const std::string& name = package->spine[i];
    if (std::optional<SmilTimes> read = smil.read(name)) {
      const std::string file = Smil2Reader::key(name, "");
      elapsedAt[file] = read->elapsed.value_or(running);
      running = elapsedAt[file] + read->duration;
      times[file] = *read;
    }
    if (progress_) {
      progress_->setPosition(i + 1);
      progress_->setStatus(std::to_string(i + 1) + " " + texts_.of + " " + std::to_string(files));
    }
  }

  // The title rows: the book's title first when phrases came before the first heading.
  std::vector<TitleRow> rows;
  if (smil.titleHeadingNeeded())
    rows.push_back({1, ncx->docTitle.empty() ? result_.metadata.title : ncx->docTitle,
                    package->spine.front()});
  for (const NcxHeading& heading : ncx->headings)
    rows.push_back({std::min(heading.depth, kDeepestLevel), heading.label,
                    besideNcx(package->ncx, heading.smil)});
  std::array<TreeNode, kDeepestLevel + 1> lastNodeOfLevel;
  lastNodeOfLevel.fill(kNoNode);
  for (size_t i = 0; i < rows.size(); ++i) {
    const TitleRow& row = rows[i];
    const std::string number = std::to_string(i);
    const int at =
        targets_.title.insertRow(static_cast<int>(i), std::string(1, char('0' + row.level)));
    targets_.title.setCell(at, TitleCol::Title, row.title);
    targets_.title.setCell(at, TitleCol::Smil, row.smil);
    const std::string file = Smil2Reader::key(row.smil, "");
    if (auto found = times.find(file); found != times.end()) {
      targets_.title.setCell(at, TitleCol::Time, formatTimeText(found->second.duration));
      targets_.title.setCell(at, TitleCol::Elapsed, formatTimeText(elapsedAt[file]));
    }
    targets_.title.setCell(at, TitleCol::TreeId, number);
    // Levels come from the nesting, so a parent of the level above always exists.
    TreeNode parent = row.level == 1 ? kNoNode : lastNodeOfLevel[row.level - 1];
    lastNodeOfLevel[row.level] = targets_.tree.insert(parent, row.title, at);
    for (int deeper = row.level + 1; deeper <= kDeepestLevel; ++deeper)
      lastNodeOfLevel[deeper] = kNoNode;
  }

  // A page leads to the phrase whose par or text its fragment names; a group only to the one
  // whose text does, so a group names its phrase by the text's id.
  auto fill = [&](BookTable& table, const auto& entries, bool byTextId) {
    for (const NcxTarget& entry : entries) {
      const std::string smilName = besideNcx(package->ncx, entry.smil);
      const int phrase = smil.phraseOf(Smil2Reader::key(smilName, entry.fragment));
      const int at = table.insertRow(table.rowCount(), entry.label);
      table.setCell(at, PageCol::Smil, smilName);
      table.setCell(at, PageCol::Fragment,
                    phrase >= 0 && byTextId ? targets_.phrase.cell(phrase, PhraseCol::TextId)
                                            : std::string_view(entry.fragment));
      if (phrase >= 0)
        table.setCell(at, PageCol::TitleId, targets_.phrase.cell(phrase, PhraseCol::TreeId));
    }
  };
  fill(targets_.page, ncx->pages, false);
  fill(targets_.group, ncx->groups, true);
  result_.features.pages = !ncx->pages.empty();
  result_.features.groups = !ncx->groups.empty();
  result_.metadata.tocItems = std::to_string(rows.size() + ncx->pages.size() + ncx->groups.size());
  if (result_.metadata.totalTime.empty()) result_.metadata.totalTime = formatTimeText(running);
  return true;
}

}  // namespace orbis
