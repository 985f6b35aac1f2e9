// Feeds arbitrary bytes to the reading of the update server's answer, as the update check reads
// a whole answer with status 200: its first line is the newest release's identifier, which only
// counts when it is a plain decimal number.
#include <cstdint>
#include <string>

#include "FuzzFiles.h"
#include "update/ReleaseText.h"

using orbis::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const orbis::ReleaseText release =
      orbis::splitReleaseText(std::string(reinterpret_cast<const char*>(data), size));
  expect(release.identifier.find_first_of("\r\n") == std::string::npos);
  if (const auto number = orbis::releaseNumber(release.identifier)) {
    expect(release.identifier.find_first_not_of("0123456789") == std::string::npos);
    expect(orbis::releaseNumber(std::to_string(*number)) == number);
  }
  return 0;
}
