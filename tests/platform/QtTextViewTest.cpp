#include "platform/QtTextView.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>

#include <filesystem>

#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "textview/PhraseHighlighter.h"
#include "textview/SearchTermHighlighter.h"
#include "textview/SmilLinkJump.h"
#include "textview/StartPage.h"

namespace orbis {
namespace {

namespace fs = std::filesystem;

QApplication& application() {
  static int argc = 1;
  static char name[] = "test_platform";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit Qt's own globals are gone before a static application would be.
  static auto* app = new QApplication(argc, argv);
  return *app;
}

class QtTextViewTest : public ::testing::Test {
 protected:
  QtTextViewTest() {
    fs::copy(fs::path(ORBIS_SHARED_BOOKS_DIR) / "daisy-brochure", dir.path(),
             fs::copy_options::recursive);
    view.widget()->resize(600, 400);
    view.widget()->show();
    context.bookOpen = true;
    context.bookFolder = dir.str() + "/";
    context.startPageEntry = StartPage::entry(0);
  }
  std::string path(const std::string& name) const { return (dir.path() / name).string(); }
  // The background colour at the first character of the element's text in the drawn document.
  QColor backgroundAt(const std::string& id) {
    QTextDocument* doc = view.widget()->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
      for (auto it = b.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().anchorNames().contains(QString::fromStdString(id))) {
          QTextCursor cursor(doc);
          cursor.setPosition(it.fragment().position() + 1);
          return cursor.charFormat().background().color();
        }
    return {};
  }

  QApplication& app = application();  // before any widget
  testing::TempDir dir;
  testing::RecordingShell shell;
  QtTextView view{shell};
  std::vector<std::string> lines;
  PhraseHighlighter highlighter{view, [this](const std::string& text) { lines.push_back(text); }};
  PhraseHighlightContext context;
};

TEST_F(QtTextViewTest, MovingTheMarkRedrawsOnlyTheMarkedText) {
  view.navigate(path("daisybrochureforstickv3.html"));
  ASSERT_EQ(view.fullRenders(), 1);
  QTextCursor caret = view.widget()->textCursor();
  caret.setPosition(40);
  view.widget()->setTextCursor(caret);

  highlighter.highlight("id_7", context);
  EXPECT_EQ(backgroundAt("id_7"), QColor("#ff8000"));
  highlighter.highlight("dol_1_2_id_12", context);
  EXPECT_EQ(backgroundAt("dol_1_2_id_12"), QColor("#ff8000"));
  EXPECT_NE(backgroundAt("id_7"), QColor("#ff8000"));
  EXPECT_EQ(view.fullRenders(), 1);
  EXPECT_EQ(view.widget()->textCursor().position(), 40);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_FALSE(lines[1].empty());
}

TEST_F(QtTextViewTest, CentresTheMarkedElementInTheRealLayout) {
  view.navigate(path("daisybrochureforstickv3.html"));
  int h = view.height();
  ASSERT_GT(view.scrollHeight(), 4 * h);
  std::string middleId = "id_264";
  ASSERT_NE(view.document()->getElementById(middleId), nullptr);
  view.scrollIntoView(view.document()->getElementById(middleId));
  int top = view.scrollTop();
  view.setScrollTop(0);
  highlighter.highlight(middleId, context);
  EXPECT_EQ(view.scrollTop(), top - h / 2);
  QScrollBar* bar = view.widget()->verticalScrollBar();
  highlighter.highlight("id_536", context);  // near the end: the end is shown
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(QtTextViewTest, SearchMarksRedrawButKeepThePlace) {
  view.navigate(path("daisybrochureforstickv3.html"));
  view.setScrollTop(500);
  SearchTermHighlighter search(view);
  search.highlight("daisy", {});
  EXPECT_EQ(view.scrollTop(), 500);
  EXPECT_EQ(view.fullRenders(), 2);
  QString text = view.widget()->toPlainText();
  EXPECT_TRUE(text.contains("DAISY"));
}

TEST_F(QtTextViewTest, ReadsUtf16DocumentsAndReportsTheirLocation) {
  fs::copy_file(fs::path(ORBIS_SHARED_BOOKS_DIR) / "amis-help-vi" / "amishelp-entity.html",
                dir.path() / "vi.html");
  std::vector<std::string> completed;
  view.onDocumentComplete([&](const std::string& url) { completed.push_back(url); });
  view.navigate("file://" + path("vi.html"));
  EXPECT_EQ(view.locationName(), path("vi.html"));
  EXPECT_EQ(completed, std::vector<std::string>{"file://" + path("vi.html")});
  EXPECT_TRUE(view.widget()->toPlainText().contains(QString::fromUtf8("Hệ thống thông tin")));
}

TEST_F(QtTextViewTest, LinksGoToTheJumpTheDesktopOrTheView) {
  dir.write("links.html",
            "<body><a href='x.smil#p1'>s</a><a href='http://example.org/'>w</a>"
            "<a href='other.html'>o</a></body>");
  dir.write("other.html", "<body>other</body>");
  std::vector<std::string> seen;
  view.onBeforeNavigate2([&](const std::string& url, bool& cancel) {
    seen.push_back(url);
    cancel = smilJumpTarget(url).has_value();
  });
  view.navigate(path("links.html"));
  for (const char* href : {"x.smil#p1", "http://example.org/", "other.html"}) {
    emit view.widget()->anchorClicked(QUrl(href));
    QApplication::processEvents();
  }
  EXPECT_EQ(seen, (std::vector<std::string>{path("x.smil") + "#p1", "http://example.org/",
                                            path("other.html")}));
  EXPECT_EQ(shell.urls, std::vector<std::string>{"http://example.org/"});
  EXPECT_EQ(view.locationName(), path("other.html"));
}

TEST_F(QtTextViewTest, ShowsTheStartPagesAndKnowsThemAsSuch) {
  bool startPageShown = false;
  view.onDocumentComplete([&](const std::string& url) {
    startPageShown = StartPage::isShownAt(url, StartPage::entry(1));
  });
  view.navigate(std::string(ORBIS_PROGRAM_DIR) + StartPage::entry(1));
  EXPECT_TRUE(startPageShown);
  EXPECT_TRUE(StartPage::isShownAt(view.locationName(), StartPage::entry(1)));
  EXPECT_FALSE(view.widget()->toPlainText().trimmed().isEmpty());
  context.startPageShown = startPageShown;
  highlighter.highlight("anything", context);
  view.navigate(std::string(ORBIS_PROGRAM_DIR) + StartPage::entry(0));
  EXPECT_FALSE(startPageShown);  // the German page while English is the language
  EXPECT_TRUE(lines.empty());
}

QByteArray pngBytes() {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// Books made on Windows name their images and style sheets with backslashes and in a letter case
// the disk need not have.
TEST_F(QtTextViewTest, FindsImagesAndStyleSheetsInAnyCaseAndWithBackslashes) {
  dir.write("images/pic.png", pngBytes().toStdString());
  dir.write("styles/book.css", "p { color: #00ff00 }");
  dir.write("page.html",
            "<html><head><link rel='stylesheet' type='text/css' href='Styles\\BOOK.Css'></head>"
            "<body><p id='p'>green<img src='Images\\Pic.PNG'></p></body></html>");
  view.navigate(path("page.html"));
  QTextDocument* doc = view.widget()->document();
  QVariant image = doc->resource(QTextDocument::ImageResource, QUrl("Images\\Pic.PNG"));
  // Once drawn, the document keeps the decoded picture rather than the file's bytes.
  ASSERT_EQ(image.typeId(), QMetaType::QPixmap);
  EXPECT_EQ(image.value<QPixmap>().size(), QSize(4, 3));
  QTextCursor cursor(doc);
  cursor.setPosition(doc->find("green").selectionStart() + 1);
  EXPECT_EQ(cursor.charFormat().foreground().color(), QColor("#00ff00"));
}

TEST_F(QtTextViewTest, ResourcesBesideOrAboveTheDocumentLoadAndNothingElseDoes) {
  dir.write("images/pic.png", pngBytes().toStdString());
  dir.write("text/page.html", "<body><p>x</p></body>");
  fs::create_directories(dir.path() / "text" / "folder.png");
  ASSERT_EQ(::mkfifo(path("text/pipe.png").c_str(), 0600), 0);
  view.navigate(path("text/page.html"));
  QTextDocument* doc = view.widget()->document();
  // The picture the document would draw for the link; an empty size for none.
  auto picture = [&](const QUrl& link) {
    QVariant resource = doc->resource(QTextDocument::ImageResource, link);
    if (resource.typeId() == QMetaType::QPixmap) return resource.value<QPixmap>().size();
    return QImage::fromData(resource.toByteArray()).size();
  };
  EXPECT_EQ(picture(QUrl("..\\IMAGES\\pic.png")), QSize(4, 3));
  EXPECT_EQ(picture(QUrl("../images/PIC.PNG")), QSize(4, 3));
  // Neither we nor Qt behind us may block on a pipe or read a folder or a device.
  for (const char* link : {"Pipe.png", "Folder.png", "missing.png", "..", "/dev/null"}) {
    QVariant resource = doc->resource(QTextDocument::ImageResource, QUrl(link));
    EXPECT_TRUE(resource.toByteArray().isEmpty()) << link;
    EXPECT_NE(resource.typeId(), QMetaType::QPixmap) << link;
  }
  TextBrowserWidget* widget = view.widget();
  EXPECT_TRUE(widget->loadResource(QTextDocument::ImageResource, QUrl("http://example.org/p.png"))
                  .isNull());
  QVariant css = widget->loadResource(QTextDocument::StyleSheetResource, QUrl("missing.css"));
  EXPECT_TRUE(css.toString().isEmpty());
}

// A screen reader must meet a text it can read with a caret, not a label.
TEST_F(QtTextViewTest, ScreenReadersSeeAFocusableReadOnlyText) {
  view.navigate(path("daisybrochureforstickv3.html"));
  view.setAccessibleLabel("&Text view");
  QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(view.widget());
  ASSERT_NE(a11y, nullptr);
  EXPECT_EQ(a11y->role(), QAccessible::EditableText);
  EXPECT_EQ(a11y->text(QAccessible::Name), "Text view");
  EXPECT_TRUE(a11y->state().readOnly);
  EXPECT_TRUE(a11y->state().focusable);
  ASSERT_NE(a11y->textInterface(), nullptr);
  QString text = a11y->textInterface()->text(0, a11y->textInterface()->characterCount());
  EXPECT_TRUE(text.contains("DAISY"));
  view.widget()->setFocus();
  EXPECT_TRUE(view.widget()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

TEST_F(QtTextViewTest, TheTextSizeHoldsForEveryDocumentAndCtrlWheelOnlyAsksForIt) {
  view.navigate(path("daisybrochureforstickv3.html"));
  const qreal normal = view.widget()->document()->defaultFont().pointSizeF();
  view.setZoom(200);
  EXPECT_DOUBLE_EQ(view.widget()->document()->defaultFont().pointSizeF(), 2 * normal);
  view.navigate(path("daisybrochureforstickv3.html"));  // a document shown anew
  EXPECT_DOUBLE_EQ(view.widget()->document()->defaultFont().pointSizeF(), 2 * normal);

  std::vector<int> asked;
  view.onZoomWheel([&](int steps) { asked.push_back(steps); });
  const QPointF at(10, 10);
  QWheelEvent up(at, view.widget()->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton,
                 Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.widget()->viewport(), &up);
  EXPECT_EQ(asked, std::vector<int>{2});
  EXPECT_DOUBLE_EQ(view.widget()->document()->defaultFont().pointSizeF(), 2 * normal)
      << "the view must not change its size by itself";
  view.setZoom(100);
  EXPECT_DOUBLE_EQ(view.widget()->document()->defaultFont().pointSizeF(), normal);
}

}  // namespace
}  // namespace orbis
