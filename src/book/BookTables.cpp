#include "book/BookTables.h"

namespace orbis {

BookTables::BookTables()
    : title(kTitleTableId, "title", {"Ebene", "Titel", "SMIL", "Zeit", "Zeit verg.", "TreeID"}),
      phrase(kPhraseTableId, "phrase",
             {"TreeID", "par-id", "Dokument", "Dok-Fragment", "Text-ID", "Audio", "PhrBeg",
              "PhrEnd", "Skip"}),
      page(kPageTableId, "page", {"Seite", "Smil", "Fragment", "TitelID"}),
      group(kGroupTableId, "group", {"Gruppe", "Smil", "Fragment", "TitelID"}),
      bookmark(kBookmarkTableId, "bookmark", {"Titel", "Zeit", "TitelID", "EventID"}),
      hit(kHitTableId, "hit", {"TitelID", "Begriff", "EventID", "Fragment"}) {}

BookTable* BookTables::byId(int controlId) {
  for (BookTable* table : {&title, &phrase, &page, &group, &bookmark, &hit})
    if (table->controlId() == controlId) return table;
  return nullptr;
}

BookTable* BookTables::byName(std::string_view name) {
  for (BookTable* table : {&title, &phrase, &page, &group, &bookmark, &hit})
    if (table->name() == name) return table;
  return nullptr;
}

void BookTables::clearAll() {
  for (BookTable* table : {&title, &phrase, &page, &group, &bookmark, &hit}) table->deleteAll();
}

}  // namespace orbis
