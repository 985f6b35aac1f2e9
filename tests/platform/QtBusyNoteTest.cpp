#include "platform/QtBusyNote.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include "qtsupport/QtEventLoop.h"

namespace orbis {
namespace {

using testing::ensureQtApplication;
using testing::processEventsUntil;

// The note must be on screen with its line focused before the search blocks the event loop,
// and the focus goes back to where the reader was when it closes.
TEST(QtBusyNoteTest, ShowsAFocusedReadOnlyLineAndGivesTheFocusBack) {
  ensureQtApplication();
  QWidget main;
  auto* field = new QLineEdit(&main);
  main.show();
  field->setFocus();
  ASSERT_TRUE(processEventsUntil([&] { return field->hasFocus(); }, 2000));

  QtBusyNote note(&main);
  note.show("Suche läuft. Bitte warten...");
  ASSERT_NE(note.window(), nullptr);
  EXPECT_TRUE(note.window()->isVisible());
  EXPECT_EQ(note.window()->windowTitle(), "Suche läuft. Bitte warten...");
  QLineEdit* line = note.line();
  EXPECT_TRUE(line->isReadOnly());
  EXPECT_EQ(line->text(), "Suche läuft. Bitte warten...");
  EXPECT_TRUE(processEventsUntil([&] { return line->hasFocus(); }, 2000));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(line);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Value), "Suche läuft. Bitte warten...");

  // While the work goes on, the program's own events are handled between its steps.
  bool handled = false;
  QTimer::singleShot(0, [&] { handled = true; });
  note.stillBusy();
  EXPECT_TRUE(handled);

  note.close();
  EXPECT_FALSE(note.window()->isVisible());
  EXPECT_TRUE(processEventsUntil([&] { return field->hasFocus(); }, 2000));
  note.show("Searching. Please wait...");  // shown again, with the other language's text
  EXPECT_EQ(note.line()->text(), "Searching. Please wait...");
  note.close();
}

// Over a modal box the note takes the focus too (a window the box blocks could not), and it
// outlives the box.
TEST(QtBusyNoteTest, StandsOverAModalBoxAndOutlivesIt) {
  ensureQtApplication();
  QWidget main;
  main.show();
  QtBusyNote note(&main);
  auto* box = new QDialog(&main);
  box->setModal(true);
  box->show();
  ASSERT_TRUE(processEventsUntil([&] { return QApplication::activeModalWidget() == box; }, 2000));

  note.show("Suche läuft. Bitte warten...");
  // Under a window system a window the box blocks never gets the focus; offscreen it would.
  EXPECT_EQ(note.window()->parentWidget(), box);
  EXPECT_TRUE(processEventsUntil([&] { return note.line()->hasFocus(); }, 2000));
  note.close();
  delete box;
  ASSERT_NE(note.window(), nullptr);
  note.show("Suche läuft. Bitte warten...");
  EXPECT_TRUE(note.window()->isVisible());
  note.close();
}

}  // namespace
}  // namespace orbis
