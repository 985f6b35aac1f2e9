// Feeds arbitrary bytes to the readers of the files the program keeps in the user's data folder.
// The first byte picks the file, the rest is its content. Each file is read the way the program
// reads it; what the program then writes into the damaged file must read back as written.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzFiles.h"
#include "commands/MenuModel.h"
#include "library/BookListFile.h"
#include "library/LastBookFile.h"
#include "playback/DecimalText.h"
#include "playback/ResumeRecords.h"
#include "settings/AcceleratorTable.h"
#include "settings/BuiltinKeys.h"
#include "settings/KeyFile.h"
#include "settings/LineFile.h"
#include "settings/Settings.h"

namespace {

using orbis::fuzz::expect;
using orbis::fuzz::folder;
using orbis::fuzz::writeFile;

// Whatever the file held, the settings the program writes are read back unchanged.
void settingsFile(std::string_view content) {
  const std::string path = folder() + "Settings.dl";
  writeFile(path, content);
  orbis::Settings read;
  read.load(path, folder());
  expect(read.save(path));
  orbis::Settings again;
  again.load(path, folder());
  expect(again.save(path));
  orbis::Settings third;
  third.load(path, folder());
  expect(third == again);
}

bool holdsLineEnd(const std::vector<std::string>& lines) {
  return std::any_of(lines.begin(), lines.end(),
                     [](const std::string& line) { return line.find('\r') != line.npos; });
}

// The book whose identity the file's first record holds, so that records of it are found.
orbis::BookIdentity firstBook(const std::vector<std::string>& lines) {
  std::vector<std::string> six(lines.begin(), lines.begin() + std::min<size_t>(lines.size(), 6));
  six.resize(6);
  return orbis::BookIdentity(orbis::BookMetadata{six[2], six[1], six[0], six[4], six[5], six[3]});
}

void positionFile(std::string_view content) {
  const std::string path = folder() + "AResume.dl";
  writeFile(path, content);
  const auto lines = orbis::readLineFile(path);
  if (!lines) return;
  const orbis::BookIdentity book = firstBook(*lines);
  if (const auto stored = orbis::findPosition(*lines, book)) {
    orbis::integerValue(stored->row);
    orbis::integerValue(stored->treeId);
    orbis::decimalValue(stored->position);
  }
  const orbis::ResumePosition ours{"7", "12.500", "3"};
  expect(orbis::writeLineFile(path, orbis::withPosition(*lines, book, ours), true));
  // A CR inside a line is not stored; a record that differed from ours only by it would match.
  if (holdsLineEnd(*lines)) return;
  const auto stored = orbis::findPosition(*orbis::readLineFile(path), book);
  expect(stored && stored->treeId == "7" && stored->position == "12.500" && stored->row == "3");
}

void bookmarkFile(std::string_view content) {
  const std::string path = folder() + "MResume.dl";
  writeFile(path, content);
  const auto lines = orbis::readLineFile(path);
  if (!lines) return;
  const orbis::BookIdentity book = firstBook(*lines);
  const auto found = orbis::findBookmarks(*lines, book);
  const std::vector<orbis::BookmarkColumns> ours = {{"Kapitel 1", "1.5", "2", "3"},
                                                    {"", "", "", ""}};
  expect(orbis::writeLineFile(path, orbis::withBookmarks(*lines, book, ours), true));
  if (holdsLineEnd(*lines)) return;
  expect(orbis::findBookmarks(*orbis::readLineFile(path), book) == ours);
}

void lastBookFile(std::string_view content) {
  const orbis::LastBookFile file(folder());
  writeFile(file.path(), content);
  auto book = file.read();
  if (!book) return;
  std::erase(*book, '\r');
  expect(file.write(*book));
  expect(file.read() == book);
}

class PlainKeyNames : public orbis::KeyNames {
 public:
  std::string keyName(int virtualKey) const override {
    return virtualKey % 7 == 0 ? "" : std::string(1, static_cast<char>('A' + virtualKey % 26));
  }
  std::string ctrlName() const override { return "Strg"; }
  std::string altName() const override { return "Alt"; }
  std::string shiftName() const override { return "Umschalt"; }
};

// A key profile taken as the active key file: the key dialog's reading, the key table built
// from it, and one key assigned into it.
void keyFile(std::string_view content) {
  const std::string path = folder() + "Active.kbd";
  writeFile(path, content);
  orbis::readProfileSection(path, orbis::kKeysSection);
  orbis::readProfileString(path, orbis::kConfigSection, "LastProfile", "");
  orbis::MenuModel menu;
  menu.bar() = {orbis::MenuItem::submenu("&Datei", {orbis::MenuItem::command(1, "Öffnen\tX"),
                                                    orbis::MenuItem::makeSeparator(),
                                                    orbis::MenuItem::command(2, "Ende")}),
                orbis::MenuItem::command(3, "Hilfe")};
  orbis::AcceleratorTable table;
  table.rebuild(menu, path, PlainKeyNames(), {4, 1});
  if (orbis::writeProfileString(path, orbis::kKeysSection, "3", "79\\2")) {
    expect(orbis::readProfileString(path, orbis::kKeysSection, "3", "") == "79\\2");
  }
}

void bookListFile(std::string_view content) {
  const orbis::BookListFile file(folder(), "/media/fuzz");
  writeFile(file.path(), content);
  const auto books = file.read();
  if (!books) return;
  expect(file.write(*books));
  expect(file.read() == books);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view content(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0] % 6) {
    case 0:
      settingsFile(content);
      break;
    case 1:
      positionFile(content);
      break;
    case 2:
      bookmarkFile(content);
      break;
    case 3:
      lastBookFile(content);
      break;
    case 4:
      keyFile(content);
      break;
    default:
      bookListFile(content);
      break;
  }
  return 0;
}
