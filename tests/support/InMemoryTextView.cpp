#include "support/InMemoryTextView.h"

#include <libxml/tree.h>

#include <algorithm>

namespace orbis::testing {
namespace {

// Counts text characters below node up to (not including) stop; sets found when stop was met.
int textBefore(const xmlNode* node, const xmlNode* stop, bool& found) {
  int count = 0;
  for (const xmlNode* child = node->children; child != nullptr && !found; child = child->next) {
    if (child == stop) {
      found = true;
    } else if (child->type == XML_TEXT_NODE && child->content != nullptr) {
      count += static_cast<int>(xmlUTF8Strlen(child->content));
    } else if (child->type == XML_ELEMENT_NODE) {
      count += textBefore(child, stop, found);
    }
  }
  return count;
}

}  // namespace

void InMemoryTextView::navigate(const std::string& url) {
  std::string path = url.rfind("file://", 0) == 0 ? url.substr(7) : url;
  path = path.substr(0, path.find('#'));
  document_ = HtmlDocument::load(path);
  location_ = path;
  scrollTop_ = 0;
  navigations.push_back(url);
  notifyDocumentComplete(url);
}

void InMemoryTextView::followLink(const std::string& url) {
  if (!notifyBeforeNavigate2(url)) navigate(url);
}

int InMemoryTextView::topOf(HtmlElement element) const {
  if (document_ == nullptr || document_->body() == nullptr) return 0;
  bool found = false;
  return textBefore(document_->body(), element, found);
}

void InMemoryTextView::scrollIntoView(HtmlElement element) {
  setScrollTop(topOf(element));
}

int InMemoryTextView::scrollHeight() const {
  if (document_ == nullptr || document_->body() == nullptr) return 0;
  bool found = false;
  return textBefore(document_->body(), nullptr, found);
}

void InMemoryTextView::setScrollTop(int top) {
  scrollTop_ = std::clamp(top, 0, std::max(0, scrollHeight() - height_));
}

}  // namespace orbis::testing
