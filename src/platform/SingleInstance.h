#pragma once
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace orbis {

// Makes sure only one player runs per user. The first instance holds a lock file and listens
// on a local socket beside it; a later instance finds the lock taken and talks to the first
// over the socket: whether its main window exists, to bring that window forward, to open the
// book the second start was given, and the two
// requests other programs may send the main window (which control has the focus, move the
// focus to the text view).
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // Lines of the small request protocol; each request is one line, each answer one line.
  static constexpr const char* kFindWindow = "FINDWINDOW";
  static constexpr const char* kRestore = "RESTORE";
  static constexpr const char* kFocusQuery = "WM_USER";
  static constexpr const char* kFocusTextView = "WM_USER+3";
  // "OPEN " and a book's absolute path, percent-encoded so that any file name fits on the line,
  // from a second start that was given a book; the answer is "1" when the player takes it.
  static constexpr const char* kOpenPrefix = "OPEN ";
  // Requests of automated checks only, answered when a handler for them is set: "TEST " and
  // what to do.
  static constexpr const char* kTestPrefix = "TEST ";

  struct Handlers {
    std::function<bool()> hasMainWindow;
    std::function<void()> restoreMainWindow;
    std::function<unsigned()> focusQuery;
    std::function<void()> focusTextView;
    std::function<bool(const QString&)> openBook;  // the decoded path
    std::function<QString(const QString&)> test;   // the request after kTestPrefix
  };

  // name: the instance name ("Orbis Orbis Velora.exe"); folder: where the lock and socket live
  // (by default defaultInstanceFolder(); without one this process stays alone, as if first).
  explicit SingleInstance(const QString& name, const QString& folder = QString());
  ~SingleInstance() override;

  // True when this process is now the only instance and listens for requests.
  bool becomePrimary();
  void setHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

  // Sends one request to the running instance; the answer line, or nothing when no instance
  // answered in time.
  std::optional<QString> request(const QString& line, int timeoutMs = 2000) const;
  // Asks the running instance to open a book; true when it took it.
  bool requestOpenBook(const QString& absolutePath) const;

  QString socketPath() const { return socketPath_; }

 private:
  void onConnection();
  QString answer(const QString& line);

  QString lockPath_;
  QString socketPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer server_;
  Handlers handlers_;
};

// The folder for the lock and the socket: $XDG_RUNTIME_DIR when it is a private folder, else the
// private folder "orbis-velora-<uid>" in the temp folder, made when missing, else (another user
// holds that name) the private folder "orbis-velora" in the user's cache folder. Empty when no
// private folder can be had.
QString defaultInstanceFolder();

}  // namespace orbis
