#include "platform/QtTextView.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <filesystem>

#include "book/BookPaths.h"

namespace orbis {
namespace {

QString fromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

bool isSkippedInRendering(QChar c) {
  return c.isSpace() || c == QChar::ObjectReplacementCharacter || c == QChar::ParagraphSeparator ||
         c == QChar::LineSeparator || c.unicode() == 0x00AD;
}

// The formats a mark's style attribute ("BACKGROUND-COLOR: #ff8000") stands for in Qt.
std::optional<QTextCharFormat> markFormat(const std::string& style) {
  QTextCharFormat format;
  bool any = false;
  for (const QString& declaration : fromUtf8(style).split(';', Qt::SkipEmptyParts)) {
    QString property = declaration.section(':', 0, 0).trimmed().toLower();
    QString value = declaration.section(':', 1).trimmed();
    if (property == "background-color" && QColor::isValidColorName(value)) {
      format.setBackground(QColor::fromString(value));
    } else if (property == "color" && QColor::isValidColorName(value)) {
      format.setForeground(QColor::fromString(value));
    } else if (property == "font-weight" && value.compare("bold", Qt::CaseInsensitive) == 0) {
      format.setFontWeight(QFont::Bold);
    } else if (property == "font-style" && value.compare("italic", Qt::CaseInsensitive) == 0) {
      format.setFontItalic(true);
    } else {
      return std::nullopt;  // something Qt's rich text would draw otherwise: redraw all
    }
    any = true;
  }
  if (!any) return std::nullopt;
  return format;
}

}  // namespace

TextBrowserWidget::TextBrowserWidget(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  // The caret lets a screen reader read the text by line, word and character.
  setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
  setFocusPolicy(Qt::StrongFocus);
  // QTextEdit keeps its link activation in its internal text control; it has no signal of its
  // own for it, so take it from the control.
  for (QObject* child : children()) {
    if (child->metaObject()->indexOfSignal("linkActivated(QString)") >= 0)
      connect(child, SIGNAL(linkActivated(QString)), this, SLOT(activateLink(QString)));
  }
}

void TextBrowserWidget::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QTextEdit::wheelEvent(event);
    return;
  }
  constexpr int kNotch = 120;
  wheelRest_ += event->angleDelta().y();
  const int steps = wheelRest_ / kNotch;
  wheelRest_ -= steps * kNotch;
  if (steps != 0) emit zoomWheel(steps);
  event->accept();
}

void TextBrowserWidget::activateLink(const QString& href) {
  emit anchorClicked(QUrl(href));
}

// Images and style sheets are book files like any other: their links may use backslashes and
// another letter case than the disk, so they are found the way the book's own files are.
QVariant TextBrowserWidget::loadResource(int type, const QUrl& name) {
  QUrl resolved = name.isRelative() ? QUrl::fromLocalFile(documentPath_).resolved(name) : name;
  if (!resolved.isLocalFile()) return {};  // data: and qrc: URLs are Qt's own to read
  // What is no regular file gives an empty resource, not a null one: on null, Qt reads the file
  // itself, and a device or a pipe a book names (/dev/zero) would be read without end.
  const QVariant empty =
      type == QTextDocument::StyleSheetResource ? QVariant(QString()) : QVariant(QByteArray());
  std::string path = resolveBookPath(resolved.toLocalFile().toStdString());
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return empty;  // never opens a pipe
  std::optional<std::string> bytes = readBookFile(path);
  if (!bytes) return empty;
  if (type == QTextDocument::StyleSheetResource) return fromUtf8(*bytes);
  return QByteArray(bytes->data(), qsizetype(bytes->size()));
}

QtTextView::QtTextView(Shell& shell, QWidget* parent)
    : QObject(parent), shell_(shell), browser_(new TextBrowserWidget(parent)) {
  // A link is followed after the click has been handled, never from inside it.
  connect(browser_, &TextBrowserWidget::anchorClicked, this, &QtTextView::followLink,
          Qt::QueuedConnection);
  connect(browser_, &TextBrowserWidget::zoomWheel, this,
          [this](int steps) { notifyZoomWheel(steps); });
}

// The document's default font is the widget's: headings and marked text, sized relative to it,
// grow with it, and every document shown afterwards keeps the size.
void QtTextView::setZoom(int percent) {
  if (!normalFont_) normalFont_ = browser_->font();
  QFont font = *normalFont_;
  const qreal normalSize = normalFont_->pointSizeF() > 0 ? normalFont_->pointSizeF() : 10.0;
  font.setPointSizeF(normalSize * percent / 100.0);
  browser_->setFont(font);
  browser_->document()->setDefaultFont(font);
}

QtTextView::~QtTextView() = default;

void QtTextView::setAccessibleLabel(const QString& label) {
  QString name = label;
  name.remove(QRegularExpression("&(?!&)"));
  browser_->setAccessibleName(name);
}

void QtTextView::navigate(const std::string& url) {
  QUrl parsed = QUrl(fromUtf8(url));
  QString path = parsed.isLocalFile() ? parsed.toLocalFile() : fromUtf8(url);
  QString fragment;
  if (!parsed.isLocalFile()) {
    fragment = path.section('#', 1);
    path = path.section('#', 0, 0);
  } else {
    fragment = parsed.fragment();
  }
  document_ = HtmlDocument::load(path.toStdString());
  document_->onChange([this](const HtmlChange& change) { onDomChange(change); });
  location_ = path.toStdString();
  browser_->setDocumentPath(path);
  fullRenders_ = 0;
  render();
  browser_->verticalScrollBar()->setValue(0);
  if (!fragment.isEmpty()) browser_->scrollToAnchor(fragment);
  notifyDocumentComplete(url);
}

void QtTextView::render() {
  int top = browser_->verticalScrollBar()->value();
  int caret = browser_->textCursor().position();
  browser_->document()->setBaseUrl(QUrl::fromLocalFile(fromUtf8(location_)));
  browser_->setHtml(fromUtf8(document_->serialize()));
  anchorsValid_ = false;
  savedFormats_.clear();
  ++fullRenders_;
  // A redraw of the same document keeps the reader's place.
  QTextCursor cursor = browser_->textCursor();
  cursor.setPosition(std::min(caret, browser_->document()->characterCount() - 1));
  browser_->setTextCursor(cursor);
  browser_->verticalScrollBar()->setValue(top);
}

void QtTextView::onDomChange(const HtmlChange& change) {
  bool drawn = false;
  if (change.kind == HtmlChange::Kind::Wrapped) drawn = applyMark(change.element, change.markStyle);
  if (change.kind == HtmlChange::Kind::Unwrapped) drawn = removeMark(change.element);
  if (!drawn) render();
}

bool QtTextView::applyMark(HtmlElement element, const std::string& style) {
  std::optional<QTextCharFormat> format = markFormat(style);
  if (!format || savedFormats_.count(element) != 0) return false;
  std::optional<std::pair<int, int>> range = textRange(element);
  if (!range) return false;
  auto [begin, end] = *range;
  std::vector<SavedFormat> saved;
  QTextBlock block = browser_->document()->findBlock(begin);
  for (; block.isValid() && block.position() < end; block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      QTextFragment fragment = it.fragment();
      int from = std::max(begin, fragment.position());
      int to = std::min(end, fragment.position() + fragment.length());
      if (from < to) saved.push_back({from, to - from, fragment.charFormat()});
    }
  }
  QTextCursor cursor(browser_->document());
  cursor.setPosition(begin);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  cursor.mergeCharFormat(*format);
  savedFormats_[element] = std::move(saved);
  return true;
}

bool QtTextView::removeMark(HtmlElement element) {
  auto found = savedFormats_.find(element);
  if (found == savedFormats_.end()) return false;
  QTextCursor cursor(browser_->document());
  for (const SavedFormat& saved : found->second) {
    cursor.setPosition(saved.position);
    cursor.setPosition(saved.position + saved.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(saved.format);
  }
  savedFormats_.erase(found);
  return true;
}

// The element's text in the drawn document: it starts at the anchor Qt made of the element's id
// and runs as far as the element's own text, matched character by character; white space,
// images and line ends are laid out by Qt's rules and are passed over on both sides.
std::optional<std::pair<int, int>> QtTextView::textRange(HtmlElement element) {
  QString id = fromUtf8(HtmlDocument::attribute(element, "id"));
  if (id.isEmpty()) return std::nullopt;
  int begin = anchorPosition(id);
  if (begin < 0) return std::nullopt;
  QString wanted = fromUtf8(document_->innerText(element));
  QTextDocument* doc = browser_->document();
  int end = begin;
  int at = begin;
  const int last = doc->characterCount() - 1;
  for (QChar c : wanted) {
    if (isSkippedInRendering(c)) continue;
    while (at < last && isSkippedInRendering(doc->characterAt(at))) ++at;
    if (at >= last || doc->characterAt(at) != c) return std::nullopt;
    end = ++at;
  }
  return std::make_pair(begin, end);
}

int QtTextView::anchorPosition(const QString& name) {
  if (!anchorsValid_) {
    anchors_.clear();
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        for (const QString& anchor : fragment.charFormat().anchorNames())
          anchors_.emplace(anchor, fragment.position());
      }
    }
    anchorsValid_ = true;
  }
  auto found = anchors_.find(name);
  return found == anchors_.end() ? -1 : found->second;
}

int QtTextView::topOfPosition(int position) const {
  QTextDocument* doc = browser_->document();
  QTextBlock block = doc->findBlock(position);
  if (!block.isValid()) return 0;
  QRectF rect = doc->documentLayout()->blockBoundingRect(block);
  double lineY = 0;
  if (QTextLayout* layout = block.layout(); layout != nullptr) {
    QTextLine line = layout->lineForTextPosition(position - block.position());
    if (line.isValid()) lineY = line.y();
  }
  return int(rect.top() + lineY);
}

void QtTextView::scrollIntoView(HtmlElement element) {
  if (document_ == nullptr || element == nullptr) return;
  std::optional<std::pair<int, int>> range = textRange(element);
  if (!range) return;
  setScrollTop(topOfPosition(range->first));
}

int QtTextView::height() const {
  return browser_->viewport()->height();
}

int QtTextView::scrollHeight() const {
  return int(browser_->document()->documentLayout()->documentSize().height());
}

int QtTextView::scrollTop() const {
  return browser_->verticalScrollBar()->value();
}

void QtTextView::setScrollTop(int top) {
  browser_->verticalScrollBar()->setValue(top);
}

void QtTextView::followLink(const QUrl& link) {
  QUrl target = link.isRelative() ? QUrl::fromLocalFile(fromUtf8(location_)).resolved(link) : link;
  std::string url;
  if (target.isLocalFile()) {
    url = target.toLocalFile().toStdString();
    if (target.hasFragment()) {
      url += '#';
      url += target.fragment().toStdString();
    }
  } else {
    url = target.toString().toStdString();
  }
  if (notifyBeforeNavigate2(url)) return;
  if (!target.isLocalFile()) {
    shell_.openUrl(url);  // the web belongs in the reader's own browser
  } else if (target.toLocalFile().toStdString() == location_ && target.hasFragment()) {
    browser_->scrollToAnchor(target.fragment());
  } else {
    navigate(url);
  }
}

}  // namespace orbis
