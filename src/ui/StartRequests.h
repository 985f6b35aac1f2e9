#pragma once
#include <QObject>
#include <string>

namespace orbis {

class CLumen2Dlg;

// The books the program may open at start: the one the reader gave it (command line, file
// manager), else the sample book of a first run.
struct StartBooks {
  std::string given;
  std::string sample;
};

// Once the window is up: opens the start book and posts the requests the settings ask for at
// start, so that they run after the window has answered once: the search for a book in the
// drives, unless the reader gave a book, and the update check.
void runStartRequests(CLumen2Dlg& dialog, QObject& context, const StartBooks& books);

}  // namespace orbis
