#include "book/SmilReadAhead.h"

#include <gtest/gtest.h>

namespace orbis {
namespace {

// The files to read ahead are the NCC's SMIL links, each once, in the order of first mention;
// other links and fragments are not files to read.
TEST(SmilReadAheadTest, CollectsEachSmilLinkOnceInOrder) {
  const SmilReadAhead readAhead(
      "<h1><a href=\"b.smil#x1\">One</a></h1>\n"
      "<span class=\"page-normal\"><a href=\"b.smil#p1\">1</a></span>\n"
      "<h2><a href=\"A.SMIL#x2\">Two</a></h2><link href=\"style.css\"/>\n"
      "<h2><a href=\"c.smil\">Three</a></h2><h3><a href=\"#local\">Four</a></h3>\n",
      "/book/");
  EXPECT_EQ(readAhead.files(), (std::vector<std::string>{"b.smil", "A.SMIL", "c.smil"}));
}

}  // namespace
}  // namespace orbis
