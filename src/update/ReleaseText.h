#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace orbis {

// The update server's release file: the first line is the newest release's identifier, what
// follows is kept for the updater's sake and not used here.
struct ReleaseText {
  std::string identifier;
  std::string rest;
};

// Line ends may be CR LF, CR or LF; empty lines between do not count.
ReleaseText splitReleaseText(const std::string& text);

// A release identifier: decimal digits only, small enough for 64 bits. Anything else is no
// identifier at all.
std::optional<std::uint64_t> releaseNumber(const std::string& text);

}  // namespace orbis
