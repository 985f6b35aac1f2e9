#include "commands/CommandTable.h"

namespace orbis {

void CommandTable::add(int id, Handler handler, Rule enabled) {
  commands_[id] = Command{std::move(handler), std::move(enabled)};
}

void CommandTable::add(std::initializer_list<int> ids, const Handler& handler,
                       const Rule& enabled) {
  for (int id : ids) add(id, handler, enabled);
}

bool CommandTable::isEnabled(int id) const {
  auto it = commands_.find(id);
  if (it == commands_.end()) return false;
  return !it->second.enabled || it->second.enabled();
}

bool CommandTable::run(int id) const {
  if (!isEnabled(id)) return false;
  // A copy: the handler may replace its own entry while it runs (drive items relabel).
  const Handler handler = commands_.at(id).handler;
  if (handler) handler();
  return true;
}

std::vector<int> CommandTable::ids() const {
  std::vector<int> result;
  result.reserve(commands_.size());
  for (const auto& [id, command] : commands_) result.push_back(id);
  return result;
}

}  // namespace orbis
