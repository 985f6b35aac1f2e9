#pragma once
#include <string>

#include "ports/ControlLayout.h"

namespace orbis {

// The main window as the logic sees it: controls addressed by their identifiers.
class MainView {
 public:
  virtual ~MainView() = default;
  // Labels show the text; buttons take it as accessible name and tooltip.
  virtual void setControlText(int id, const std::string& text) = 0;
  virtual void applyLayout(const LayoutResult& layout) = 0;
  virtual int clientWidth() const = 0;
  virtual int clientHeight() const = 0;
  // Swaps a two-faced button (play/pause, mute) to its other face or back.
  virtual void setButtonAlternate(int id, bool alternate) = 0;
  virtual void focusControl(int id) = 0;
  // The identifier of the control with the keyboard focus; 0 when the focus is elsewhere (or
  // on a window without an identifier), -1 when no window of the program has it.
  virtual int focusedControl() const = 0;
  // Whether the control is shown (a hidden one cannot take the focus).
  virtual bool controlVisible(int id) const = 0;
  // A disabled control is shown grayed and cannot be chosen or focused.
  virtual void setControlEnabled(int id, bool enabled) = 0;
  virtual void showAboutBox() = 0;
  // The current text line below the text view: its whole text is replaced.
  virtual void setCurrentText(const std::string& text) = 0;
  // Brings the menu bar in line with the menu model.
  virtual void redrawMenu() = 0;
  // Opens the submenu that holds the item as a popup menu over the text, its marked item (or
  // its first) active, so that a key reaches a submenu deep in the menu bar at once. Choosing
  // from it runs the command as the menu bar does, and reading pauses while it is open.
  virtual void popUpSubmenu(int itemId) = 0;
  // Ends the main window; the program ends after it.
  virtual void endDialog() = 0;
};

}  // namespace orbis
