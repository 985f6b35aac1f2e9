#pragma once
#include <functional>
#include <string>

namespace orbis {

class HtmlDocument;  // textview/HtmlDocument.h: the parsed document the view shows
}  // namespace orbis

struct _xmlNode;

namespace orbis {

// An element of the shown document (a libxml2 node). It stays valid until the document is
// replaced or the inner markup of the element or of one of its ancestors is replaced.
using HtmlElement = _xmlNode*;

// The view that shows the book's text documents (and the start pages). It parses every document
// it is sent to once into an HtmlDocument; the logic reads and changes that DOM and the view
// follows every change. Geometry is in pixels of the view, as a browser's scripts see it.
class TextView {
 public:
  virtual ~TextView() = default;

  // Shows the document at url: a local path (with or without "file://") or a web address.
  // Loading is synchronous; DocumentComplete is raised before the call returns. A missing or
  // unreadable file shows an empty document at that location.
  virtual void navigate(const std::string& url) = 0;

  // The full local path of the shown file ("/" separators), or the title of a web page; empty
  // while nothing has been shown.
  virtual std::string locationName() const = 0;

  // The DOM of the shown document; null while nothing has been shown.
  virtual HtmlDocument* document() = 0;

  // Element handles come from document(); scrollIntoView aligns the element with the top.
  virtual void scrollIntoView(HtmlElement element) = 0;
  virtual int height() const = 0;        // the visible height of the document area
  virtual int scrollHeight() const = 0;  // the height of the whole laid-out body
  virtual int scrollTop() const = 0;
  virtual void setScrollTop(int top) = 0;  // clamped to the scrollable range
  // The text's size in percent of its normal size; it holds for every document shown after.
  virtual void setZoom(int percent) = 0;

  // Raised when a document has been loaded and shown, with the url it was loaded from.
  void onDocumentComplete(std::function<void(const std::string& url)> handler) {
    documentComplete_ = std::move(handler);
  }
  // Raised when the reader follows a link in the shown text, before the view follows it; the
  // handler sets cancel to keep the view where it is.
  void onBeforeNavigate2(std::function<void(const std::string& url, bool& cancel)> handler) {
    beforeNavigate_ = std::move(handler);
  }
  // Raised when the reader turns the mouse wheel with Ctrl held: steps > 0 away from the reader
  // (larger), < 0 towards (smaller). The view does not change its size by itself.
  void onZoomWheel(std::function<void(int steps)> handler) { zoomWheel_ = std::move(handler); }

 protected:
  void notifyDocumentComplete(const std::string& url) {
    if (documentComplete_) documentComplete_(url);
  }
  // Returns true when the handler cancelled the navigation.
  bool notifyBeforeNavigate2(const std::string& url) {
    bool cancel = false;
    if (beforeNavigate_) beforeNavigate_(url, cancel);
    return cancel;
  }
  void notifyZoomWheel(int steps) {
    if (zoomWheel_) zoomWheel_(steps);
  }

 private:
  std::function<void(const std::string&)> documentComplete_;
  std::function<void(const std::string&, bool&)> beforeNavigate_;
  std::function<void(int)> zoomWheel_;
};

}  // namespace orbis
