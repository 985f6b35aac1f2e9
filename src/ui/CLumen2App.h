#pragma once
#include <QStringList>
#include <memory>
#include <string>

namespace orbis {

// The application: command-line options, the single-instance check, the folders, and the main
// window run until it ends.
class CLumen2App {
 public:
  // The single-instance name; the lock and the socket of the running player are named after it.
  static constexpr const char* kInstanceName = "Orbis Orbis Velora.exe";

  // Runs the program and returns the process's exit code.
  static int run(int argc, char** argv);
};

// Options that answer without a window; nothing when the program should start normally.
// out and err receive what the option prints.
struct CommandLine {
  bool showVersion = false;
  bool showHelp = false;
  std::string infoBook;
  std::string tablesBook;
  std::string openBook;  // a book to open at start
  std::string error;     // a malformed command line
};
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace orbis
