#include "platform/PosixProcesses.h"

#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace orbis {

bool PosixProcesses::canStart(const std::string& program) const {
  struct stat info {};
  return ::stat(program.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(program.c_str(), X_OK) == 0;
}

bool PosixProcesses::start(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingFolder) {
  std::vector<std::string> owned;
  owned.reserve(arguments.size() + 1);
  owned.push_back(program);
  owned.insert(owned.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : owned) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  bool ok = workingFolder.empty() ||
            posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str()) == 0;
  // A session of its own: the program goes on when the player and its terminal have gone.
  posix_spawnattr_t attributes;
  ok = ok && posix_spawnattr_init(&attributes) == 0;
  if (ok) {
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    ok = posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ) == 0;
    posix_spawnattr_destroy(&attributes);
  }
  posix_spawn_file_actions_destroy(&actions);
  return ok;
}

long PosixProcesses::ownId() const {
  return static_cast<long>(::getpid());
}

}  // namespace orbis
