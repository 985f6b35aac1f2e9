#include <gtest/gtest.h>

#include "ui/CLumen2App.h"

namespace orbis {
namespace {

CommandLine parse(QStringList arguments) {
  arguments.prepend(QStringLiteral("orbis-velora"));
  return parseCommandLine(arguments);
}

TEST(CommandLine, OptionsAndABook) {
  EXPECT_TRUE(parse({"--version"}).showVersion);
  EXPECT_TRUE(parse({"--help"}).showHelp);
  EXPECT_TRUE(parse({"-h"}).showHelp);
  EXPECT_EQ(parse({"--info", "/books/a"}).infoBook, "/books/a");
  EXPECT_EQ(parse({"--tables", "/books/b/ncc.html"}).tablesBook, "/books/b/ncc.html");
  const CommandLine open = parse({"/books/c"});
  EXPECT_EQ(open.openBook, "/books/c");
  EXPECT_TRUE(open.error.empty());
  EXPECT_TRUE(parse({}).openBook.empty());
}

TEST(CommandLine, MistakesAreReportedNotGuessed) {
  EXPECT_FALSE(parse({"--info"}).error.empty());  // the book is missing
  EXPECT_FALSE(parse({"--frobnicate"}).error.empty());
  EXPECT_FALSE(parse({"/books/a", "/books/b"}).error.empty());
}

}  // namespace
}  // namespace orbis
