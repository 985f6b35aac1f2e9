#include "sounds/InterfaceSounds.h"

#include <gtest/gtest.h>

#include "support/RecordingSounds.h"
#include "support/TempDir.h"

namespace orbis::testing {
namespace {

class InterfaceSoundsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.write("program/UISounds/Level1.wav", "wave");
    dir_.write("program/UISounds/KeySaved.wav", "wave");
  }
  TempDir dir_;
  RecordingSounds recorder_;
  InterfaceSounds sounds_{recorder_, dir_.str() + "/program"};
};

TEST_F(InterfaceSoundsTest, ShippedSoundsComeFromTheUiSoundsFolder) {
  sounds_.play("Level1.wav", true);
  sounds_.play("KeySaved.wav", false);
  ASSERT_EQ(recorder_.played.size(), 2u);
  EXPECT_EQ(recorder_.played[0].path, dir_.str() + "/program/UISounds/Level1.wav");
  EXPECT_TRUE(recorder_.played[0].wait);
  EXPECT_EQ(recorder_.played[1].path, dir_.str() + "/program/UISounds/KeySaved.wav");
  EXPECT_FALSE(recorder_.played[1].wait);
}

TEST_F(InterfaceSoundsTest, AnExistingPathIsPlayedFromWhereItIs) {
  const std::string own = dir_.write("elsewhere/Level1.wav", "wave").string();
  sounds_.play(own, true);
  ASSERT_EQ(recorder_.played.size(), 1u);
  EXPECT_EQ(recorder_.played[0].path, own);
}

TEST_F(InterfaceSoundsTest, MissingOrNamelessSoundsAreSkipped) {
  sounds_.play("Level9.wav", true);  // deleted file: silence
  sounds_.play("", true);
  sounds_.play("Level1", true);  // no "." is not a file name
  dir_.write("program/UISounds/Folder.wav/inner", "");
  sounds_.play("Folder.wav", true);  // a folder is not a sound
  EXPECT_TRUE(recorder_.played.empty());
}

}  // namespace
}  // namespace orbis::testing
