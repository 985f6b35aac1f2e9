#pragma once
#include <QObject>
#include <QTextCharFormat>
#include <QTextEdit>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ports/Shell.h"
#include "ports/TextView.h"
#include "textview/HtmlDocument.h"

namespace orbis {

// The widget of the text view: a read-only rich text that the keyboard reads through (caret,
// selection by keys, links by mouse and Enter) and that loads the book's images and style
// sheets from beside the document. It is a read-only QTextEdit rather than a QTextBrowser
// because Qt presents every QTextBrowser to screen readers as a static label.
class TextBrowserWidget : public QTextEdit {
  Q_OBJECT
 public:
  explicit TextBrowserWidget(QWidget* parent = nullptr);
  void setDocumentPath(const QString& path) { documentPath_ = path; }
  QVariant loadResource(int type, const QUrl& name) override;

 signals:
  // The reader activated a link (click, or Enter on a link the caret is on).
  void anchorClicked(const QUrl& link);
  // The wheel turned with Ctrl held, in whole notches (positive: away from the reader).
  void zoomWheel(int steps);

 protected:
  // With Ctrl the wheel asks for another text size instead of changing it here: the size is
  // the program's to keep.
  void wheelEvent(QWheelEvent* event) override;

 private slots:
  void activateLink(const QString& href);

 private:
  QString documentPath_;
  int wheelRest_ = 0;  // eighths of a degree not yet a whole notch (fine-grained wheels)
};

// The text view: each document is parsed once into the DOM (HtmlDocument) and drawn by Qt's
// rich text. A mark added to or removed from an element is drawn by changing the character
// formats of that element's text only, so the rest of the view, its scroll position and the
// reader's caret stay as they are; any other change redraws the document.
class QtTextView : public QObject, public TextView {
  Q_OBJECT
 public:
  explicit QtTextView(Shell& shell, QWidget* parent = nullptr);
  ~QtTextView() override;

  TextBrowserWidget* widget() const { return browser_; }
  // The name a screen reader announces, e.g. the label "&Textansicht" (the mnemonic is dropped).
  void setAccessibleLabel(const QString& label);

  void navigate(const std::string& url) override;
  std::string locationName() const override { return location_; }
  HtmlDocument* document() override { return document_.get(); }
  void scrollIntoView(HtmlElement element) override;
  int height() const override;
  int scrollHeight() const override;
  int scrollTop() const override;
  void setScrollTop(int top) override;
  void setZoom(int percent) override;

  // How many times the whole document was drawn since it was loaded (one after loading).
  int fullRenders() const { return fullRenders_; }

 private:
  struct SavedFormat {
    int position;
    int length;
    QTextCharFormat format;
  };

  void render();
  void onDomChange(const HtmlChange& change);
  bool applyMark(HtmlElement element, const std::string& style);
  bool removeMark(HtmlElement element);
  std::optional<std::pair<int, int>> textRange(HtmlElement element);
  int anchorPosition(const QString& name);
  int topOfPosition(int position) const;
  void followLink(const QUrl& link);

  Shell& shell_;
  TextBrowserWidget* browser_;
  std::unique_ptr<HtmlDocument> document_;
  std::string location_;
  std::map<QString, int> anchors_;  // id -> position of the element's first character
  bool anchorsValid_ = false;
  std::map<HtmlElement, std::vector<SavedFormat>> savedFormats_;  // formats under each mark
  std::optional<QFont> normalFont_;  // the widget's font before the first size change
  int fullRenders_ = 0;
};

}  // namespace orbis
