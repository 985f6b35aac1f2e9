#include "book/BookReport.h"

#include <filesystem>
#include <map>
#include <optional>

#include "book/BookLoader.h"
#include "book/CharacterSets.h"
#include "book/StreamDialogs.h"

namespace orbis {

namespace {

struct LoadedBook {
  HeadingsTree tree;
  BookTables tables;
  LoadResult result;
};

std::string bookFolder(const std::string& book) {
  std::filesystem::path path(book);
  std::error_code error;
  if (!std::filesystem::is_directory(path, error)) path = path.parent_path();
  std::string folder = path.empty() ? "." : path.string();
  if (folder.back() != '/') folder += '/';
  return folder;
}

// Loads the book, or says why not on `err`.
bool load(const std::string& book, LoadedBook& loaded, std::ostream& err) {
  std::error_code error;
  if (!std::filesystem::exists(book, error)) {
    err << "orbis-velora: no such book: " << book << "\n";
    return false;
  }
  std::string folder = bookFolder(book);
  StreamDialogs dialogs(err);
  LoaderTexts texts;
  texts.nccOpenFailed = "cannot open " + folder + "ncc.html";
  texts.nccReadErrorCaption = "orbis-velora";
  texts.packageOpenFailed = "cannot read the package file (.opf) in " + folder;
  texts.packageReadErrorCaption = "orbis-velora";
  BookLoader loader(loaded.tree, loaded.tables, folder, dialogs, texts);
  if (!loader.run()) return false;
  loaded.result = loader.result();
  return true;
}

std::string yesNo(bool value) {
  return value ? "yes" : "no";
}

std::string escaped(std::string_view cell) {
  std::string out;
  out.reserve(cell.size());
  for (char c : cell) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void writeFeatures(const BookFeatures& f, std::ostream& out) {
  out << "audio: " << yesNo(f.audio) << '\n'
      << "groups: " << yesNo(f.groups) << '\n'
      << "pages: " << yesNo(f.pages) << '\n'
      << "footnotes: " << yesNo(f.footnotes) << '\n'
      << "sidebars: " << yesNo(f.sidebars) << '\n'
      << "producer notes: " << yesNo(f.prodnotes) << '\n'
      << "page-number phrases: " << yesNo(f.pageNumbers) << '\n'
      << "separate text: " << yesNo(f.separateText) << '\n';
}

void writeTable(const BookTable& table, std::ostream& out) {
  out << "# " << table.name() << " (" << table.controlId() << ")\n";
  for (int column = 0; column < table.columnCount(); ++column)
    out << (column ? "\t" : "") << table.caption(column);
  out << '\n';
  for (int row = 0; row < table.rowCount(); ++row) {
    for (int column = 0; column < table.columnCount(); ++column)
      out << (column ? "\t" : "") << escaped(table.cell(row, column));
    out << '\n';
  }
}

}  // namespace

int writeBookInfo(const std::string& book, std::ostream& out, std::ostream& err) {
  LoadedBook loaded;
  if (!load(book, loaded, err)) return 1;
  const BookMetadata& meta = loaded.result.metadata;
  std::map<std::string, int> levels;
  for (int row = 0; row < loaded.tables.title.rowCount(); ++row)
    ++levels[std::string(loaded.tables.title.cell(row, TitleCol::Level))];
  int codePage = loaded.result.codePage;
  out << "folder: " << loaded.result.folder << '\n'
      << "title: " << toUtf8(meta.title, codePage) << '\n'
      << "identifier: " << toUtf8(meta.identifier, codePage) << '\n'
      << "date: " << meta.date << '\n'
      << "set info: " << meta.setInfo << '\n'
      << "total time: " << meta.totalTime << '\n'
      << "TOC items: " << meta.tocItems << '\n'
      << "character set: " << codePage;
  if (!codePageName(codePage).empty()) out << " (" << codePageName(codePage) << ')';
  out << '\n' << "headings: " << loaded.tables.title.rowCount() << '\n';
  for (const auto& [level, count] : levels)
    out << "headings of level " << level << ": " << count << '\n';
  out << "pages: " << loaded.tables.page.rowCount() << '\n'
      << "groups: " << loaded.tables.group.rowCount() << '\n'
      << "phrases: " << loaded.tables.phrase.rowCount() << '\n';
  writeFeatures(loaded.result.features, out);
  return 0;
}

int writeBookTables(const std::string& book, std::ostream& out, std::ostream& err) {
  LoadedBook loaded;
  if (!load(book, loaded, err)) return 1;
  const BookMetadata& meta = loaded.result.metadata;
  const BookFeatures& f = loaded.result.features;
  out << "# book record\n"
      << "folder\ttitle\tidentifier\tdate\tTOC items\ttotal time\tset info\taudio\tgroups\t"
         "pages\tfootnotes\tsidebars\tproducer notes\tpage-number phrases\tseparate text\n";
  out << escaped(loaded.result.folder);
  for (const std::string* value :
       {&meta.title, &meta.identifier, &meta.date, &meta.tocItems, &meta.totalTime, &meta.setInfo})
    out << '\t' << escaped(*value);
  for (bool flag : f.inMenuOrder()) out << '\t' << (flag ? 1 : 0);
  out << '\n';
  for (const BookTable* table :
       {&loaded.tables.title, &loaded.tables.phrase, &loaded.tables.page, &loaded.tables.group})
    writeTable(*table, out);
  return 0;
}

}  // namespace orbis
