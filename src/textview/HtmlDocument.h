#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ports/TextView.h"

struct _xmlDoc;

namespace orbis {

// What a change of an element's inner markup did, so that a view can redraw only what changed.
struct HtmlChange {
  enum class Kind {
    Wrapped,    // the old content now sits inside one new <span style="..."> (a mark was added)
    Unwrapped,  // the element's single <span style="..."> child was replaced by its content
    Replaced,   // anything else
  };
  HtmlElement element = nullptr;
  Kind kind = Kind::Replaced;
  std::string markStyle;  // the style attribute of the added or removed span
};

// A book's HTML document parsed once with libxml2's HTML parser, with the document-object
// operations the highlighting works with. Markup is read back in one fixed form: upper-case
// element names, lower-case attribute names, attribute values as written in double quotes. So
// an opening tag written as <SPAN style="COLOR: #ff0000"> is found again, character for
// character, in the inner markup read back later.
class HtmlDocument {
 public:
  // Parses document bytes. The encoding comes from a byte-order mark, an XML declaration or a
  // meta charset, as libxml2 finds them; without any hint the parser's default applies. A
  // DTBook document (DAISY 3) is parsed as the HTML it is turned into.
  static std::unique_ptr<HtmlDocument> parse(std::string_view bytes, const std::string& url);
  // Reads and parses a file; a missing or unreadable file gives an empty document.
  static std::unique_ptr<HtmlDocument> load(const std::string& path);
  ~HtmlDocument();
  HtmlDocument(const HtmlDocument&) = delete;
  HtmlDocument& operator=(const HtmlDocument&) = delete;

  const std::string& url() const { return url_; }
  std::string title() const;

  HtmlElement body() const;
  // The first element in document order whose id attribute equals id exactly; null if none.
  HtmlElement getElementById(std::string_view id) const;

  std::string innerHTML(HtmlElement element) const;
  // Replaces the element's children by the parsed markup and reports the change.
  void setInnerHTML(HtmlElement element, std::string_view html);
  // The rendered text: white space collapsed, line breaks between blocks and at <br>.
  std::string innerText(HtmlElement element) const;

  // The whole document as markup. aroundContent, when given, is called for each element just
  // after its opening tag (atEnd false) and just before its closing tag (atEnd true) and may
  // append markup of its own, which a view uses to find elements again in its own rendering.
  using ContentHook = std::function<void(HtmlElement, bool atEnd, std::string& out)>;
  std::string serialize(const ContentHook& aroundContent = {}) const;

  static std::string tagName(HtmlElement element);  // lower case
  static std::string attribute(HtmlElement element, const char* name);
  // The language the element declares (lang or xml:lang), or the nearest ancestor that does;
  // empty where none does.
  static std::string language(HtmlElement element);
  // Elements in document order below root (root itself excluded).
  static void forEachElement(HtmlElement root, const std::function<void(HtmlElement)>& visit);

  // Raised after every setInnerHTML.
  void onChange(std::function<void(const HtmlChange&)> handler) { changed_ = std::move(handler); }

 private:
  HtmlDocument(_xmlDoc* doc, std::string url);
  HtmlChange classify(HtmlElement element, const std::string& before,
                      const std::string& after) const;

  _xmlDoc* doc_;
  std::string url_;
  std::function<void(const HtmlChange&)> changed_;
};

}  // namespace orbis
