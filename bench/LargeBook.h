#pragma once
// The large generated book the benchmarks share: 2,000 headings in 6 levels, one SMIL file and
// one text document per heading, 100,000 phrases, 3,000 pages, 200 groups.
#include <string>

#include "support/BookBuilder.h"

namespace orbis::bench {

inline constexpr int kHeadings = 2000;
inline constexpr int kPhrasesPerHeading = 50;
inline constexpr int kPages = 3000;
inline constexpr int kGroups = 200;

// Adds the book's headings, pages and groups to the builder; writing is the caller's.
inline void describeLargeBook(orbis::testing::BookBuilder& builder) {
  builder.audio = false;  // neither loading nor searching opens audio
  const int levels[] = {1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2};
  int pages = 0, groups = 0;
  for (int i = 0; i < kHeadings; ++i) {
    if (groups < kGroups && i % (kHeadings / kGroups) == 0)
      builder.group("Group " + std::to_string(++groups));
    builder.heading(levels[i % 11], "Heading " + std::to_string(i + 1), kPhrasesPerHeading);
    int wanted = (i + 1) * kPages / kHeadings;
    while (pages < wanted) builder.page(std::to_string(++pages));
  }
}

}  // namespace orbis::bench
