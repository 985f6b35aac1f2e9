#include <gtest/gtest.h>
#include <minizip/zip.h>

#include <filesystem>
#include <fstream>

#include "commands/CommandIds.h"
#include "library/MinizipReader.h"
#include "library/ZipUnpack.h"
#include "support/Daisy3Builder.h"
#include "support/MainDialogRig.h"
#include "texts/UiTexts.h"

namespace orbis::testing {
namespace {

namespace fs = std::filesystem;

struct Member {
  std::string name;
  std::string content;
  bool utf8Name = false;
};

// A real archive made with minizip; members are stored uncompressed so that a test can find
// and spoil their bytes.
void makeZip(const fs::path& path, const std::vector<Member>& members) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  ASSERT_NE(zip, nullptr);
  for (const Member& member : members) {
    zip_fileinfo info{};
    ASSERT_EQ(
        zipOpenNewFileInZip4_64(zip, member.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, 0,
                                0, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0,
                                member.utf8Name ? 1 << 11 : 0, 0),
        ZIP_OK);
    zipWriteInFileInZip(zip, member.content.data(), static_cast<unsigned>(member.content.size()));
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
}

std::vector<Member> filesOf(const fs::path& folder, const std::string& prefix = "") {
  std::vector<Member> members;
  for (const auto& file : fs::directory_iterator(folder)) {
    std::ifstream in(file.path(), std::ios::binary);
    members.push_back({prefix + file.path().filename().string(),
                       std::string(std::istreambuf_iterator<char>(in), {})});
  }
  return members;
}

class ZipBookTest : public ::testing::Test {
 protected:
  ZipBookTest() {
    BookBuilder builder(rig.books.path() / "book");
    builder.headings(2, 2);
    builder.write();
    rig.start();
  }
  std::string temp() const { return rig.data.str() + "/ZipTemp/"; }
  // Chooses the archive and answers the question with Yes, for the temporary folder.
  void unzip(const fs::path& archive) {
    rig.dialogs.paths.push_back(archive.string());
    rig.dialogs.answers.push_back(MessageAnswer::Yes);
    rig.dialog->onCommand(cmd::kZip);
  }
  fs::path archive(const std::string& name, const std::vector<Member>& members) {
    const fs::path path = rig.books.path() / name;
    makeZip(path, members);
    return path;
  }
  bool open() { return rig.dialog->book().open; }

  MainDialogRig rig;
};

TEST_F(ZipBookTest, ATopLevelBookOpensAndASecondUnpackReplacesReadOnlyFiles) {
  const auto zip = archive("book.zip", filesOf(rig.books.path() / "book"));
  unzip(zip);
  ASSERT_TRUE(open());
  EXPECT_EQ(rig.dialog->book().folder, temp());
  EXPECT_EQ(rig.busyNote.shown, std::vector<std::string>{uiTexts().zipUnpacking});

  fs::permissions(temp() + "ncc.html", fs::perms::owner_read);
  unzip(zip);
  EXPECT_TRUE(open());
  EXPECT_EQ(fs::file_size(temp() + "ncc.html"), fs::file_size(rig.books.path() / "book/ncc.html"));
}

TEST_F(ZipBookTest, ADaisy3BookAtTheTopOpens) {
  Daisy3Builder builder(rig.books.path() / "d3");
  builder.heading(1, "One", 2);
  builder.write();
  unzip(archive("d3.zip", filesOf(rig.books.path() / "d3")));
  ASSERT_TRUE(open());
  EXPECT_EQ(rig.dialog->book().metadata.identifier, builder.identifier);
}

// The folder still holds the earlier book; the new archive's book is not at its top.
TEST_F(ZipBookTest, ABookInASubFolderIsUnpackedButNotOpened) {
  unzip(archive("book.zip", filesOf(rig.books.path() / "book")));
  ASSERT_TRUE(open());
  unzip(archive("nested.zip", filesOf(rig.books.path() / "book", "inner/")));
  EXPECT_FALSE(open());
  EXPECT_TRUE(fs::exists(temp() + "inner/ncc.html"));
}

TEST_F(ZipBookTest, NamesThatClimbOutOrFollowLinksWriteNothing) {
  const fs::path victim = rig.data.path() / "victim.txt";
  rig.data.write("victim.txt", "keep");
  fs::create_directories(temp());
  fs::create_directory_symlink(rig.data.path(), temp() + "link");
  fs::create_symlink(victim, temp() + "alias.txt");
  const std::vector<std::string> climbing = {"../victim.txt", "..\\victim.txt", victim.string(),
                                             "C:/victim.txt"};
  for (const std::string& bad : climbing) {
    unzip(archive("bad.zip", {{"first.txt", "x"}, {bad, "overwritten"}}));
    EXPECT_EQ(rig.data.read("victim.txt"), "keep") << bad;
    EXPECT_FALSE(fs::exists(temp() + "C:")) << bad;
    // Every name is looked at before anything is written: not even the good entry is.
    EXPECT_FALSE(fs::exists(temp() + "first.txt")) << bad;
  }
  for (const std::string bad : {"link/victim.txt", "alias.txt"}) {
    unzip(archive("bad.zip", {{bad, "overwritten"}}));
    EXPECT_EQ(rig.data.read("victim.txt"), "keep") << bad;
  }
  EXPECT_TRUE(fs::is_symlink(temp() + "alias.txt"));
}

TEST_F(ZipBookTest, AFlippedDataByteFailsTheEntryAndOpensNothing) {
  std::vector<Member> members = filesOf(rig.books.path() / "book");
  members.push_back({"zz.txt", "CHECKSUMMED-CONTENT"});
  const auto zip = archive("book.zip", members);
  std::fstream file(zip, std::ios::in | std::ios::out | std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), {});
  const size_t at = bytes.find("CHECKSUMMED");
  ASSERT_NE(at, std::string::npos);
  file.seekp(static_cast<std::streamoff>(at));
  file.put('c');
  file.close();
  unzip(zip);
  EXPECT_FALSE(open());
  EXPECT_FALSE(fs::exists(temp() + "zz.txt"));
}

TEST_F(ZipBookTest, EveryCancelEndsWithoutABook) {
  const auto zip = archive("book.zip", filesOf(rig.books.path() / "book"));
  auto expectNothing = [&](const char* what) {
    EXPECT_FALSE(open()) << what;
    EXPECT_FALSE(fs::exists(temp() + "ncc.html")) << what;
    rig.dialog->session().openBookFolder((rig.books.path() / "book/").string());
  };
  rig.dialog->session().openBookFolder((rig.books.path() / "book/").string());
  rig.dialogs.paths = {std::nullopt};
  rig.dialog->onCommand(cmd::kZip);
  expectNothing("file dialog");

  rig.dialogs.paths = {zip.string()};
  rig.dialogs.answers = {MessageAnswer::Cancel};
  rig.dialog->onCommand(cmd::kZip);
  expectNothing("question");

  rig.dialogs.paths = {zip.string(), std::nullopt};
  rig.dialogs.answers = {MessageAnswer::No};
  rig.dialog->onCommand(cmd::kZip);
  expectNothing("folder chooser");

  fs::remove_all(temp());
  rig.dialogs.messages.clear();
  unzip(zip);
  expectNothing("temporary folder missing");
  ASSERT_EQ(rig.dialogs.messages.size(), 2u);
  EXPECT_EQ(rig.dialogs.messages[1].text, uiTexts().zipDefineTempFolderFirst);
}

TEST(ZipUnpackTest, LimitsAndNameEncodings) {
  TempDir dir;
  const fs::path zip = dir.path() / "a.zip";
  makeZip(zip, {{"\x84rger.txt", "cp437"}, {"\xc3\xa4rger-utf8.txt", "utf8", true}});
  MinizipReader reader;
  const std::string target = dir.str() + "/";

  UnpackLimits tight;
  tight.spaceReserve = 100;
  tight.freeSpace = [](const std::string&) { return std::uint64_t{108}; };
  EXPECT_FALSE(unpackArchive(*reader.open(zip), target, tight, nullptr).complete);
  UnpackLimits few;
  few.maxEntries = 1;
  EXPECT_FALSE(unpackArchive(*reader.open(zip), target, few, nullptr).complete);
  EXPECT_FALSE(fs::exists(dir.path() / "\xc3\xa4rger.txt"));

  EXPECT_TRUE(unpackArchive(*reader.open(zip), target, {}, nullptr).complete);
  EXPECT_EQ(dir.read("\xc3\xa4rger.txt"), "cp437");
  EXPECT_EQ(dir.read("\xc3\xa4rger-utf8.txt"), "utf8");
}

}  // namespace
}  // namespace orbis::testing
