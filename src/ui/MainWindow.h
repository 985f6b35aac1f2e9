#pragma once
#include <QLabel>
#include <QMainWindow>
#include <QTreeView>
#include <functional>
#include <map>
#include <memory>

#include "platform/QtTextView.h"
#include "ports/MainView.h"
#include "ports/Shell.h"
#include "ui/CurrentTextLine.h"
#include "ui/HeadingsTreeView.h"
#include "ui/ImageButton.h"
#include "ui/MenuBarSync.h"
#include "ui/StructurePanelWindow.h"

namespace orbis {

class CLumen2Dlg;

// The main window on screen: menu bar, two rows of picture buttons, the headings tree, the text
// view and the current text line, all placed by the layout of the logic. It forwards every
// command, key and size change to CLumen2Dlg and never decides anything itself.
class MainWindow : public QMainWindow, public MainView {
  Q_OBJECT
 public:
  static constexpr const char* kTitle = "Orbis - Orbis Velora";

  explicit MainWindow(Shell& shell, QWidget* parent = nullptr);
  ~MainWindow() override;
  void attach(CLumen2Dlg* logic);

  // MainView
  void setControlText(int id, const std::string& text) override;
  void applyLayout(const LayoutResult& layout) override;
  int clientWidth() const override;
  int clientHeight() const override;
  void setButtonAlternate(int id, bool alternate) override;
  void focusControl(int id) override;
  int focusedControl() const override;
  bool controlVisible(int id) const override;
  void setControlEnabled(int id, bool enabled) override;
  void showAboutBox() override;
  void setCurrentText(const std::string& text) override;
  void redrawMenu() override;
  void popUpSubmenu(int itemId) override;
  void endDialog() override;

  QWidget* control(int id) const;
  ImageButton* button(int id) const;
  QtTextView& textView() const { return *textView_; }
  StructurePanelWindow& panel() const { return *panel_; }
  QWidget* textWidget() const { return textView_->widget(); }
  CurrentTextLine* currentText() const { return currentText_; }
  QTreeView* tree() const { return tree_; }
  // Restores a minimised window or raises it; used when a second start asks for it.
  void bringForward();

  // Ends the program's event loops: once the window has closed for good, or when it is closed
  // while a box or menu is open, before the exit routine has run (it then runs after the loops).
  std::function<void()> onEnded;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createControls();
  void mirrorTreeInWindow(bool inWindow);
  void registerControl(int id, QWidget* widget);
  MenuBarEvents menuEvents();

  CLumen2Dlg* logic_ = nullptr;
  QWidget* client_ = nullptr;
  std::unique_ptr<QtTextView> textView_;
  CurrentTextLine* currentText_ = nullptr;
  std::unique_ptr<HeadingsTreeMirror> treeMirror_;
  QTreeView* tree_ = nullptr;
  StructurePanelWindow* panel_ = nullptr;
  std::map<int, QWidget*> controls_;
  std::map<int, ImageButton*> buttons_;
  bool ending_ = false;
  bool firstShow_ = true;
};

}  // namespace orbis
