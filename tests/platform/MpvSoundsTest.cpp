#include "platform/MpvSounds.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/TempDir.h"
#include "support/WavFile.h"

namespace orbis::testing {
namespace {

class MpvSoundsTest : public ::testing::Test {
 protected:
  std::string wav(const std::string& name, int ms) {
    const std::string path = dir_.str() + "/" + name;
    writeWav(path, ms);
    return path;
  }
  template <typename Call>
  long timed(Call call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count());
  }

  TempDir dir_;
  MpvSounds sounds_{"null"};
};

TEST_F(MpvSoundsTest, BlockingPlayLastsAsLongAsTheSound) {
  const std::string path = wav("beep.wav", 300);
  const long ms = timed([&] { sounds_.play(path, true); });
  RecordProperty("BlockingPlayMsOf300", static_cast<int>(ms));
  EXPECT_GE(ms, 200);
  EXPECT_LT(ms, 1500);
}

TEST_F(MpvSoundsTest, NonBlockingPlayReturnsAtOnceAndIsReplacedByTheNextSound) {
  const std::string longSound = wav("long.wav", 3000);
  EXPECT_LT(timed([&] { sounds_.play(longSound, false); }), 200);
  // A waited-for sound replaces the running one and does not wait for its end.
  const long ms = timed([&] { sounds_.play(wav("short.wav", 200), true); });
  EXPECT_LT(ms, 1500);
}

TEST_F(MpvSoundsTest, PlayUntilStopsAtTheGivenTime) {
  const std::string path = wav("phrase.wav", 2000);
  const long ms = timed([&] { sounds_.playUntil(path, 300); });
  RecordProperty("PlayUntilMsOf300", static_cast<int>(ms));
  EXPECT_GE(ms, 200);
  EXPECT_LT(ms, 1200) << "played past the end position";
  // An end beyond the file returns when the file is over.
  const long whole = timed([&] { sounds_.playUntil(wav("short.wav", 300), 5000); });
  EXPECT_LT(whole, 1500);
}

TEST_F(MpvSoundsTest, MissingAndBrokenFilesAreSkipped) {
  EXPECT_LT(timed([&] { sounds_.play(dir_.str() + "/missing.wav", true); }), 50);
  EXPECT_LT(timed([&] { sounds_.playUntil(dir_.str() + "/missing.wav", 2000); }), 50);
  const std::string broken = dir_.write("broken.wav", "RIFF but nothing else").string();
  EXPECT_LT(timed([&] { sounds_.play(broken, true); }), 1500);
  EXPECT_LT(timed([&] { sounds_.play("", true); }), 50);
}

}  // namespace
}  // namespace orbis::testing
