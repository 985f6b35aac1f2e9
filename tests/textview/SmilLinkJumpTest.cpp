#include "textview/SmilLinkJump.h"

#include <gtest/gtest.h>

#include <map>

#include "support/InMemoryTextView.h"
#include "support/TempDir.h"

namespace orbis {
namespace {

// The book's tables as the jump sees them, with every call recorded in order.
class RecordingHost : public SmilJumpHost {
 public:
  bool bookOpen() const override { return open; }
  void setForceSeek() override { calls.push_back("force-seek"); }
  std::optional<int> titleRowOfSmil(const std::string& file) const override {
    auto it = titles.find(file);
    return it == titles.end() ? std::nullopt : std::optional<int>(it->second);
  }
  void startHeadingOfTitleRow(int row) override { calls.push_back("title " + std::to_string(row)); }
  std::optional<int> phraseRowOfFragment(const std::string& fragment) const override {
    auto it = phrases.find(fragment);
    return it == phrases.end() ? std::nullopt : std::optional<int>(it->second);
  }
  void selectPhraseRow(int row) override { calls.push_back("phrase " + std::to_string(row)); }

  bool open = true;
  std::map<std::string, int> titles{{"speechgen0002.smil", 1}};
  std::map<std::string, int> phrases{{"tcp5", 7}};
  std::vector<std::string> calls;
};

class SmilLinkJumpTest : public ::testing::Test {
 protected:
  SmilLinkJumpTest() {
    view.onBeforeNavigate2(
        [this](const std::string& url, bool& cancel) { cancel = jumpToSmilLink(url, host); });
    view.navigate(dir.write("content.html", "<body><p>text</p></body>").string());
  }
  testing::TempDir dir;
  testing::InMemoryTextView view;
  RecordingHost host;
};

TEST_F(SmilLinkJumpTest, ALinkIntoASmilFileSelectsTitleAndPhraseWithoutNavigating) {
  view.followLink("file://" + dir.str() + "/speechgen0002.smil#tcp5");
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"force-seek", "title 1", "force-seek", "phrase 7"}));
  EXPECT_EQ(view.navigations.size(), 1u);
}

TEST_F(SmilLinkJumpTest, UnknownTargetsStillKeepTheViewWhereItIs) {
  view.followLink(dir.str() + "/OTHER.SMIL#nowhere");
  EXPECT_EQ(host.calls, std::vector<std::string>{"force-seek"});
  EXPECT_EQ(view.navigations.size(), 1u);
}

TEST_F(SmilLinkJumpTest, OtherLinksAndLinksWithoutABookAreFollowed) {
  std::string other = dir.write("other.html", "<body>x</body>").string();
  view.followLink(other);
  host.open = false;
  view.followLink(dir.str() + "/speechgen0002.smil#tcp5");
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(view.navigations.size(), 3u);
}

TEST(SmilJumpTarget, SplitsFileAndFragment) {
  auto target = smilJumpTarget("C:\\book\\sub/speechgen0002.smil#tcp5\" target=x");
  ASSERT_TRUE(target);
  EXPECT_EQ(target->smilFile, "speechgen0002.smil");
  EXPECT_EQ(target->fragment, "tcp5");
  target = smilJumpTarget("bagw0003.SMIL");
  ASSERT_TRUE(target);
  EXPECT_EQ(target->smilFile, "bagw0003.SMIL");
  EXPECT_EQ(target->fragment, "");
  EXPECT_FALSE(smilJumpTarget("http://example.org/page.html#smil"));
}

}  // namespace
}  // namespace orbis
