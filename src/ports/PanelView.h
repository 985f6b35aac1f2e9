#pragma once
#include <string>
#include <vector>

namespace orbis {

// The structure panel as the logic sees it: a small window beside the main window that shows
// one of its six controls at a time (two sliders, the headings tree, three lists).
class PanelView {
 public:
  virtual ~PanelView() = default;
  // Shows the control of `mode` alone, filling the panel, with `caption` as the panel's title,
  // at the top-left corner of the main window's button `atButton`, and gives the control the
  // keyboard focus.
  virtual void show(int mode, const std::string& caption, int atButton) = 0;
  virtual void hide() = 0;
  virtual bool isShown() const = 0;
  // The entries of a list mode in order; a list without entries is disabled.
  virtual void setEntries(int mode, const std::vector<std::string>& entries) = 0;
  // Puts the list's selection on entry `index` (-1: none) without reporting it as a choice.
  virtual void markEntry(int mode, int index) = 0;
  // Positions as the sliders count them: 0 at the top, loudest and fastest.
  virtual void setSliderPositions(int volumePosition, int speedPosition) = 0;
};

}  // namespace orbis
