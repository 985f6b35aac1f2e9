#include "ui/StartRequests.h"

#include <gtest/gtest.h>

#include <QTest>
#include <chrono>
#include <filesystem>

#include "platform/CurlHttp.h"
#include "support/BookBuilder.h"
#include "support/LocalHttpServer.h"
#include "ui/MainWindowRig.h"

namespace orbis {
namespace {

using namespace orbis::testing;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A book on a stick in the drive search's reach.
struct StickWithBook {
  explicit StickWithBook(FakeDrives& drives) {
    BookBuilder builder(folder.path() / "stick");
    book = builder.write();
    drives.mounted = {{folder.str() + "/stick", "STICK", DriveKind::Removable, "/dev/sdb1"}};
  }
  TempDir folder;
  std::string book;
};

TEST(StartRequestsTest, ABookGivenAtStartIsNotReplacedByTheBookOfADrive) {
  TempDir books;
  BookBuilder given(books.path() / "given");
  const std::string givenBook = given.write();
  {
    MainWindowRig rig;
    StickWithBook stick(rig.drives);
    rig.dialog->settings().SearchBookOnStart = true;
    runStartRequests(*rig.dialog, rig.window, {givenBook, ""});
    QTest::qWait(50);
    EXPECT_EQ(rig.dialog->book().folder, givenBook);
  }
  // The sample book of a first run was not asked for: the drive's book takes its place.
  MainWindowRig rig;
  StickWithBook stick(rig.drives);
  rig.dialog->settings().SearchBookOnStart = true;
  runStartRequests(*rig.dialog, rig.window, {"", givenBook});
  QTest::qWait(50);
  EXPECT_EQ(rig.dialog->book().folder, stick.book);
}

// The update server is asked beside the reading: a server that holds the answer back holds
// neither the keys nor the end of the program.
TEST(StartRequestsTest, TheWindowAnswersKeysWhileTheUpdateServerIsSilent) {
  LocalHttpServer server(LocalHttpServer::Mode::Stall);
  TempDir program;
  for (const char* shipped : {"Documents", "documents", "UISounds"}) {
    fs::create_directory_symlink(fs::path(ORBIS_PROGRAM_DIR) / shipped, program.path() / shipped);
  }
  program.write("Updater.ini", "[Config]\nLastUpdateID=1\nUpdateURL=" + server.baseUrl() + "\n");

  const auto begin = Clock::now();
  Clock::time_point ended;
  {
    CurlHttp http;
    {
      MainWindowRig rig(&http, program.str());
      rig.dialog->settings().CheckUpdatesOnStart = true;
      rig.window.activateWindow();
      rig.window.textWidget()->setFocus();
      runStartRequests(*rig.dialog, rig.window, {});
      while (server.requestLine().empty() && Clock::now() - begin < std::chrono::seconds(5)) {
        QTest::qWait(10);
      }
      ASSERT_FALSE(server.requestLine().empty());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget(), rig.window.currentText());
      EXPECT_TRUE(rig.dialogs.messages.empty());
    }
    ended = Clock::now();
  }
  // The server would hold the request for 15 s before the player gives up by itself.
  EXPECT_LT(ended - begin, std::chrono::seconds(5));
  EXPECT_LT(Clock::now() - ended, std::chrono::seconds(3));
}

}  // namespace
}  // namespace orbis
