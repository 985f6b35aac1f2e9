// Feeds arbitrary bytes to the text view's document: they are parsed as a book's HTML page, and
// the operations the highlighting performs are run on the result: look-ups by id, the text and
// inner markup of elements, the input itself as an element's new inner markup, a mark wrapped
// around an element's content and taken off again (as the phrase highlighter does), and the whole
// document written back out for drawing.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzFiles.h"
#include "textview/HtmlDocument.h"

namespace {

using orbis::fuzz::expect;

constexpr std::string_view kMarkOpen = "<SPAN style=\"BACKGROUND-COLOR: #ff8000\">";

void markAndUnmark(orbis::HtmlDocument& document, orbis::HtmlElement element) {
  std::string before = document.innerHTML(element);
  document.setInnerHTML(element, std::string(kMarkOpen) + before + "</SPAN>");
  document.innerText(element);
  document.setInnerHTML(element, document.innerHTML(element));
  document.setInnerHTML(element, before);
  document.innerHTML(element);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  auto document = orbis::HtmlDocument::parse(input, "/book/page.html");
  document->onChange([](const orbis::HtmlChange& change) { expect(change.element != nullptr); });
  document->title();

  // The ids the page really has are found again; made-up ones need not be.
  std::vector<std::string> ids;
  orbis::HtmlDocument::forEachElement(document->body(), [&](orbis::HtmlElement element) {
    orbis::HtmlDocument::tagName(element);
    std::string id = orbis::HtmlDocument::attribute(element, "id");
    if (!id.empty() && ids.size() < 4) ids.push_back(id);
  });
  for (const std::string& id : ids) {
    orbis::HtmlElement found = document->getElementById(id);
    if (found != nullptr) expect(orbis::HtmlDocument::attribute(found, "id") == id);
  }
  for (std::string_view id : {"", "a", "p1", "orbis-velora-fragment-root"})
    document->getElementById(id);

  document->innerText(document->body());
  std::string inner = document->innerHTML(document->body());
  // The first element with an id may hold the body (a stray id on <html>), so the body is looked
  // up again after its content was replaced.
  if (!ids.empty()) {
    if (orbis::HtmlElement element = document->getElementById(ids.front()); element != nullptr)
      markAndUnmark(*document, element);
  }
  if (orbis::HtmlElement body = document->body(); body != nullptr) {
    markAndUnmark(*document, body);
    // Markup of any shape, stray closing tags included, must end up inside the element.
    document->setInnerHTML(body, input);
    document->innerText(document->body());
    document->setInnerHTML(document->body(), inner);
  }

  document->serialize();
  document->serialize([](orbis::HtmlElement, bool atEnd, std::string& out) {
    out += atEnd ? "<!--e-->" : "<!--s-->";
  });
  return 0;
}
