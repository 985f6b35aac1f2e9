#pragma once
#include <functional>
#include <string_view>
#include <unordered_map>

#include "marks/DocumentText.h"

namespace orbis {

// The phrases of one document by the fragment ids their text points to: the first phrase row
// that names each fragment.
using PhraseRowsByFragment = std::unordered_map<std::string_view, int>;

// Finds every occurrence of term (already lower-cased) in the text, overlapping ones included,
// and credits each to the phrase whose fragment element is the last to begin before it. Text
// before the first such element belongs to no phrase and is not reported. found(row) runs once
// per occurrence, in text order.
void forEachOccurrence(const DocumentText& text, std::string_view term,
                       const PhraseRowsByFragment& phrases,
                       const std::function<void(int row)>& found);

}  // namespace orbis
