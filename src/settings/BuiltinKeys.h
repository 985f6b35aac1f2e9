#pragma once
#include <span>
#include <string>

#include "settings/KeyFile.h"

namespace orbis {

// Modifier bits of a stored key value ("79\2" is O with Ctrl). Extended marks keys of the
// extended block (arrows, Insert, Delete, ...); it is kept in the stored value but plays no
// part in dispatch or in the key text.
inline constexpr int kModShift = 1;
inline constexpr int kModCtrl = 2;
inline constexpr int kModAlt = 4;
inline constexpr int kModExtended = 8;

inline constexpr const char* kKeysSection = "Keys";
inline constexpr const char* kConfigSection = "Config";
inline constexpr const char* kBuiltinProfileName = "2.0";

// One entry of the built-in ("2.0") key assignment.
struct BuiltinKey {
  int virtualKey;  // Windows virtual-key code: letters are their upper-case ASCII codes
  int modifiers;   // kModShift | kModCtrl | kModAlt
  int commandId;
};

// The built-in assignment in its fixed order.
std::span<const BuiltinKey> builtinKeys();

// The keys of the commands that came after the "2.0" set (jumps by time, the sleep timer, the
// text size). They are not written into key files: a file that does not name such a command
// (every file made before it existed) lends it its key, as long as the file gives that key to
// no other command.
std::span<const BuiltinKey> addedKeys();

// The Keys value that holds for the command: the file's own when it names the command, else the
// command's added key when that key is free in the file; empty when the command has no key.
std::string effectiveKeyValue(const KeyFileReader& keys, int commandId);

// The stored form of a key: code and modifier bits, both decimal, joined by a backslash.
std::string keyValue(int virtualKey, int modifiers);

// The Keys entries of the built-in assignment, at most limit of them (the number of command
// items of the main menu: a menu without commands gets no keys).
ProfileEntries builtinKeyEntries(int limit);

// Makes sure the active key file exists at start: the shipped "Documents/Default.kbd" of the
// program folder is copied when there is no active file; when that still leaves none (nothing
// shipped, or the copy failed), the built-in assignment is written. An existing active file is
// never touched. True when the active file exists afterwards.
bool ensureActiveKeyFile(const std::string& programFolder, const std::string& activeKeyPath,
                         int menuCommandCount);

// The "restore 2.0 keys" action of the key dialog: the active file is replaced by the built-in
// assignment, marked as saved and named "2.0". False when it could not be written.
bool restoreBuiltinKeys(const std::string& activeKeyPath, int menuCommandCount);

}  // namespace orbis
