#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ports/TextView.h"
#include "textview/HtmlDocument.h"

namespace orbis::testing {

// The text view over the real DOM without drawing. Its layout is one pixel per character of
// text: an element's top is the number of text characters before it, the body's scroll height
// the number of all text characters; the visible height is set by the test.
class InMemoryTextView : public TextView {
 public:
  void navigate(const std::string& url) override;
  std::string locationName() const override { return location_; }
  HtmlDocument* document() override { return document_.get(); }
  void scrollIntoView(HtmlElement element) override;
  int height() const override { return height_; }
  int scrollHeight() const override;
  int scrollTop() const override { return scrollTop_; }
  void setScrollTop(int top) override;
  void setZoom(int percent) override { zoom = percent; }

  // The reader follows a link: the view navigates unless the before-navigate handler cancels.
  void followLink(const std::string& url);

  void setHeight(int height) { height_ = height; }
  int topOf(HtmlElement element) const;
  std::vector<std::string> navigations;  // every url the view loaded, in order
  int zoom = 100;
  // The reader turns the wheel with Ctrl held.
  void turnZoomWheel(int steps) { notifyZoomWheel(steps); }

 private:
  std::unique_ptr<HtmlDocument> document_;
  std::string location_;
  int height_ = 100;
  int scrollTop_ = 0;
};

}  // namespace orbis::testing
