#pragma once
#include <string>
#include <string_view>

namespace orbis {

// The value scrambler of the program's ".dl" files. Each value (one line) is walked character
// by character against two tables that hold the same 91 printable ASCII characters in two
// different orders; after every character the first table turns left by one place and the
// second right by one, so equal characters of a value scramble differently. Characters outside
// the tables - line ends, the UTF-8 bytes of non-ASCII text, and the four left-out characters
// ^ ` { } - pass unchanged, which keeps any UTF-8 text intact.
//
// The scrambling only keeps the files from being read at a glance; it is no protection.
class CA_Enigma {
 public:
  static constexpr int kTableSize = 91;

  // Each call starts from fresh copies of the tables: lines never depend on one another.
  static std::string scramble(std::string_view plain);
  static std::string unscramble(std::string_view scrambled);

  // The two tables, exposed for tests.
  static std::string_view tableA();
  static std::string_view tableB();
};

}  // namespace orbis
