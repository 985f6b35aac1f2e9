#include "settings/Enigma.h"

#include <array>

namespace orbis {

namespace {

// Printable ASCII 32..126 without ^ ` { }, each table a fixed shuffle of that set. Changing a
// table makes every stored file unreadable, so these strings never change.
constexpr std::string_view kTableA =
    R"enigma(JTH-b0N\Z|j6wSuO'5mFpPxG~k#WAs]ad "(Io,EVK%_Y!fhD>qzg@r=8+Q/lU9B<;7iX&y43RCM[v2n)e*$c?.L:t1)enigma";
constexpr std::string_view kTableB =
    R"enigma(YL\$8sK ]NWzB*-AChUPurdlpgX)xb+[~4a/%Vtf?'Z=:DOJi7e1;j52H|0k_Tvo(#c.w@y"qEMm!I9RF&S>n,G<6Q3)enigma";

static_assert(kTableA.size() == CA_Enigma::kTableSize);
static_assert(kTableB.size() == CA_Enigma::kTableSize);

// Position of every byte in a table, -1 for bytes outside the set.
using PositionMap = std::array<int, 256>;

constexpr PositionMap positionsOf(std::string_view table) {
  PositionMap map{};
  for (int& slot : map) slot = -1;
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    map[static_cast<unsigned char>(table[i])] = i;
  }
  return map;
}

constexpr PositionMap kPositionsA = positionsOf(kTableA);
constexpr PositionMap kPositionsB = positionsOf(kTableB);

int wrap(int index) {
  index %= CA_Enigma::kTableSize;
  return index < 0 ? index + CA_Enigma::kTableSize : index;
}

// Walks value with `from` as the look-up table and `to` as the output table. Instead of turning
// the tables, the walk tracks the step count: after k steps the table A (turned left k times)
// holds at index i what the fresh A holds at i + k, and B (turned right k times) what the fresh
// B holds at i - k. Scrambling looks up in A and writes from B; unscrambling the reverse, with
// each table still turning its own way - which is what makes the two walks undo each other.
std::string walk(std::string_view value, bool lookUpInA) {
  const PositionMap& positions = lookUpInA ? kPositionsA : kPositionsB;
  const std::string_view output = lookUpInA ? kTableB : kTableA;
  const int lookUpTurn = lookUpInA ? 1 : -1;  // A's contents move left, B's right
  std::string result(value);
  for (int step = 0; step < static_cast<int>(value.size()); ++step) {
    const int position = positions[static_cast<unsigned char>(value[step])];
    if (position < 0) continue;
    const int index = wrap(position - lookUpTurn * step);  // where the character sits now
    result[step] = output[wrap(index - lookUpTurn * step)];
  }
  return result;
}

}  // namespace

std::string CA_Enigma::scramble(std::string_view plain) {
  return walk(plain, true);
}

std::string CA_Enigma::unscramble(std::string_view scrambled) {
  return walk(scrambled, false);
}

std::string_view CA_Enigma::tableA() {
  return kTableA;
}
std::string_view CA_Enigma::tableB() {
  return kTableB;
}

}  // namespace orbis
