#pragma once
#include <QDialog>
#include <QListWidget>
#include <QSlider>
#include <QTreeView>
#include <array>
#include <functional>
#include <memory>

#include "book/HeadingsTree.h"
#include "ports/PanelView.h"
#include "ui/HeadingsTreeView.h"

namespace orbis {

class StructurePanel;

// The structure panel on screen: a small window that shows one of its controls at a time, the
// two sliders, the headings tree and three lists. It hands the reader's keys and choices to the
// panel's logic. Its controls carry numbers of their own, apart from the main window's.
class StructurePanelWindow : public QDialog, public PanelView {
  Q_OBJECT
 public:
  explicit StructurePanelWindow(QWidget* parent = nullptr);
  ~StructurePanelWindow() override;

  // The logic and what the sliders report to. Without logic (nullptr) the panel only hides.
  void attach(StructurePanel* logic,
              std::function<void(int volumePosition, int speedPosition)> slidersMoved);
  // The headings tree the panel shows; nullptr while the main window shows it instead.
  void mirrorTree(HeadingsTree* tree);
  // Where a button of the main window has its top-left corner on the screen.
  std::function<QPoint(int buttonId)> buttonCorner;

  // PanelView
  void show(int mode, const std::string& caption, int atButton) override;
  void hide() override;
  bool isShown() const override { return isVisible(); }
  void setEntries(int mode, const std::vector<std::string>& entries) override;
  void markEntry(int mode, int index) override;
  void setSliderPositions(int volumePosition, int speedPosition) override;

  QWidget* control(int mode) const;
  QSlider* volumeSlider() const { return volume_; }
  QSlider* speedSlider() const { return speed_; }
  QTreeView* tree() const { return tree_; }
  QListWidget* list(int mode) const;
  int mode() const { return mode_; }

  // Enter never closes the panel; Escape and the close box give the focus back first.
  void accept() override {}
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QSlider* makeSlider(int maximum);
  QListWidget* makeList(int mode);
  void chooseFromList(int mode, int row);
  void reportSliders();
  void announceCurrentEntry(QAbstractItemView* view);

  StructurePanel* logic_ = nullptr;
  std::function<void(int, int)> slidersMoved_;
  QSlider* volume_;
  QSlider* speed_;
  QTreeView* tree_;
  std::unique_ptr<HeadingsTreeMirror> treeMirror_;
  std::array<QListWidget*, 3> lists_{};          // groups, bookmarks, search hits
  std::array<int, 3> pendingMarks_{-1, -1, -1};  // marks to show when the list is shown
  int mode_ = 0;
  bool mirroring_ = false;  // true while the program itself sets a control
  int rowJustMoved_ = -1;   // a click that moved the selection has already chosen its entry
};

}  // namespace orbis
