#include "ui/StartRequests.h"

#include <QTimer>

#include "app/CLumen2Dlg.h"

namespace orbis {

void runStartRequests(CLumen2Dlg& dialog, QObject& context, const StartBooks& books) {
  const std::string& book = books.given.empty() ? books.sample : books.given;
  if (!book.empty() && !dialog.closing()) dialog.openBookAtStart(book);
  // The book the reader asked for stays: a book in a drive would close it at once.
  if (books.given.empty() && dialog.searchDrivesAtStart() && !dialog.closing()) {
    QTimer::singleShot(0, &context, [&dialog] {
      if (!dialog.closing()) dialog.onDriveSearchRequest(1);
    });
  }
  QTimer::singleShot(0, &context, [&dialog] {
    if (!dialog.closing()) dialog.onStartUpdateCheck();
  });
}

}  // namespace orbis
