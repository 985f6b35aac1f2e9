#pragma once
#include <functional>
#include <map>
#include <vector>

namespace orbis {

// Every command of the main window, by identifier: what it does and, where it has one, when it
// may run. Menus, buttons, keys and the requests of other programs all reach the logic through
// this one table, so a command behaves the same from everywhere.
class CommandTable {
 public:
  using Handler = std::function<void()>;
  using Rule = std::function<bool()>;

  // Registers (or replaces) the command; a command without a rule may always run.
  void add(int id, Handler handler, Rule enabled = {});
  // The same handler under several identifiers (a menu item and the button that duplicates it).
  void add(std::initializer_list<int> ids, const Handler& handler, const Rule& enabled = {});
  void remove(int id) { commands_.erase(id); }

  bool has(int id) const { return commands_.count(id) != 0; }
  // Whether the command exists and its rule lets it run now.
  bool isEnabled(int id) const;
  // Runs the command when it is enabled; false when no command has the identifier or its rule
  // keeps it from running.
  bool run(int id) const;
  std::vector<int> ids() const;

 private:
  struct Command {
    Handler handler;
    Rule enabled;
  };
  std::map<int, Command> commands_;
};

}  // namespace orbis
