#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "support/BookBuilder.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "texts/UiTexts.h"
#include "ui/CA_Daisy.h"

namespace orbis::testing {
namespace {

// Made once and never destroyed: destroying it among the exit handlers, after Qt's own statics,
// crashes.
QApplication& app() {
  static int argc = 1;
  static char name[] = "test_ui";
  static char* argv[] = {name, nullptr};
  static QApplication* application = QApplication::instance()
                                         ? static_cast<QApplication*>(QApplication::instance())
                                         : new QApplication(argc, argv);
  return *application;
}

struct Targets {
  HeadingsTree tree;
  BookTables tables;
  LoadTargets get() { return {tree, tables.title, tables.phrase, tables.page, tables.group}; }
};

TEST(CA_DaisyTest, ReadsTheBookOnTheFirstTickAndShowsItsProgress) {
  app();
  TempDir dir;
  BookBuilder builder(dir.path());
  builder.audio = false;
  builder.headings(12, 2);
  std::string folder = builder.write();
  Targets targets;
  ScriptedDialogs dialogs;
  CA_Daisy dialog(targets.get(), folder, dialogs);
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(targets.tables.title.rowCount(), 12);
  EXPECT_EQ(targets.tables.phrase.rowCount(), 24);
  EXPECT_EQ(dialog.progressBar()->maximum(), 12);
  EXPECT_EQ(dialog.progressBar()->value(), 12);
  EXPECT_EQ(dialog.statusText()->text().toStdString(), "12 von 12");
  EXPECT_EQ(dialog.windowTitle().toStdString(), uiTexts().openBookTitle);
  EXPECT_EQ(dialog.result().metadata.title, "Test Book");
}

TEST(CA_DaisyTest, EscapeBeforeTheFirstTickCancelsWithoutReading) {
  app();
  TempDir dir;
  BookBuilder builder(dir.path());
  builder.audio = false;
  builder.headings(2, 1);
  std::string folder = builder.write();
  Targets targets;
  targets.tables.title.insertRow(0, "previous");
  ScriptedDialogs dialogs;
  CA_Daisy dialog(targets.get(), folder, dialogs);
  QTimer::singleShot(100, &dialog, [&dialog] {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
  });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(targets.tables.title.rowCount(), 1);  // nothing was read, nothing cleared
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(CA_DaisyTest, MissingNccEndsWithTheErrorMessage) {
  app();
  TempDir dir;
  Targets targets;
  ScriptedDialogs dialogs;
  CA_Daisy dialog(targets.get(), dir.str(), dialogs);
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, uiTexts().nccOpenFailed);
  EXPECT_EQ(dialogs.messages[0].caption, uiTexts().nccReadErrorCaption);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace orbis::testing
