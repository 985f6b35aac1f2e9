#include "textview/HtmlMarkup.h"

#include <libxml/tree.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace orbis::html {
namespace {

bool nameIs(const xmlNode* node, const char* name) {
  return node->name != nullptr && xmlStrcasecmp(node->name, BAD_CAST name) == 0;
}

bool isVoidElement(const xmlNode* node) {
  static constexpr std::array kVoid = {"area",  "base",  "basefont", "br",    "col",     "embed",
                                       "frame", "hr",    "img",      "input", "isindex", "link",
                                       "meta",  "param", "source",   "wbr"};
  return std::any_of(kVoid.begin(), kVoid.end(), [&](const char* n) { return nameIs(node, n); });
}

bool isRawTextElement(const xmlNode* node) {
  return nameIs(node, "script") || nameIs(node, "style");
}

void appendEscaped(const xmlChar* text, bool inAttribute, std::string& out) {
  if (text == nullptr) return;
  for (const char* c = reinterpret_cast<const char*>(text); *c != '\0'; ++c) {
    switch (*c) {
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += inAttribute ? "&quot;" : "\"";
        break;
      case '<':
        out += inAttribute ? "<" : "&lt;";
        break;
      case '>':
        out += inAttribute ? ">" : "&gt;";
        break;
      default:
        out += *c;
    }
  }
}

void appendUpper(const xmlChar* name, std::string& out) {
  for (const char* c = reinterpret_cast<const char*>(name); *c != '\0'; ++c)
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
}

void appendOpeningTag(const xmlNode* node, std::string& out) {
  out += '<';
  appendUpper(node->name, out);
  for (const xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
    out += ' ';
    out += reinterpret_cast<const char*>(attr->name);
    if (attr->children == nullptr) continue;  // a bare attribute such as "checked"
    out += "=\"";
    for (const xmlNode* part = attr->children; part != nullptr; part = part->next)
      appendEscaped(part->content, true, out);
    out += '"';
  }
  out += '>';
}

}  // namespace

void appendNodeMarkup(HtmlElement node, const HtmlDocument::ContentHook& hook, std::string& out) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
      appendOpeningTag(node, out);
      if (isVoidElement(node)) return;
      if (hook) hook(node, false, out);
      appendInnerMarkup(node, hook, out);
      if (hook) hook(node, true, out);
      out += "</";
      appendUpper(node->name, out);
      out += '>';
      return;
    case XML_TEXT_NODE:
      if (node->parent != nullptr && isRawTextElement(node->parent)) {
        if (node->content != nullptr) out += reinterpret_cast<const char*>(node->content);
      } else {
        appendEscaped(node->content, false, out);
      }
      return;
    case XML_CDATA_SECTION_NODE:
      if (node->content != nullptr) out += reinterpret_cast<const char*>(node->content);
      return;
    case XML_COMMENT_NODE:
      out += "<!--";
      if (node->content != nullptr) out += reinterpret_cast<const char*>(node->content);
      out += "-->";
      return;
    case XML_ENTITY_REF_NODE:
      out += '&';
      out += reinterpret_cast<const char*>(node->name);
      out += ';';
      return;
    default:  // processing instructions, document types: not part of the shown markup
      return;
  }
}

void appendInnerMarkup(HtmlElement node, const HtmlDocument::ContentHook& hook, std::string& out) {
  for (xmlNode* child = node->children; child != nullptr; child = child->next)
    appendNodeMarkup(child, hook, out);
}

namespace {

bool isBlockElement(const xmlNode* node) {
  static constexpr std::array kBlocks = {
      "address", "article", "aside", "blockquote", "body",     "caption", "center", "dd",
      "dir",     "div",     "dl",    "dt",         "fieldset", "figure",  "footer", "form",
      "h1",      "h2",      "h3",    "h4",         "h5",       "h6",      "header", "hr",
      "li",      "main",    "menu",  "nav",        "ol",       "p",       "pre",    "section",
      "table",   "tbody",   "td",    "tfoot",      "th",       "thead",   "tr",     "ul"};
  return std::any_of(kBlocks.begin(), kBlocks.end(),
                     [&](const char* n) { return nameIs(node, n); });
}

bool isHiddenElement(const xmlNode* node) {
  return nameIs(node, "head") || nameIs(node, "script") || nameIs(node, "style") ||
         nameIs(node, "title");
}

// Collects text the way a browser shows it: runs of white space become one blank, blocks
// start on a line of their own, <br> breaks the line.
class TextCollector {
 public:
  void text(const char* s) {
    for (; *s != '\0'; ++s) {
      if (*s == ' ' || *s == '\t' || *s == '\n' || *s == '\r' || *s == '\f') {
        pendingSpace_ = true;
        continue;
      }
      flushPending();
      out_ += *s;
    }
  }
  void blockEdge() { pendingBreak_ = true; }
  void lineBreak() {
    out_ += '\n';
    pendingSpace_ = pendingBreak_ = false;
  }
  std::string take() { return std::move(out_); }

 private:
  void flushPending() {
    bool atLineStart = out_.empty() || out_.back() == '\n';
    if (pendingBreak_ && !atLineStart) {
      out_ += '\n';
    } else if (pendingSpace_ && !atLineStart) {
      out_ += ' ';
    }
    pendingSpace_ = pendingBreak_ = false;
  }

  std::string out_;
  bool pendingSpace_ = false;
  bool pendingBreak_ = false;
};

void collectText(const xmlNode* node, TextCollector& collector) {
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      if (child->content != nullptr) collector.text(reinterpret_cast<const char*>(child->content));
    } else if (child->type == XML_ELEMENT_NODE && !isHiddenElement(child)) {
      if (nameIs(child, "br")) {
        collector.lineBreak();
        continue;
      }
      bool block = isBlockElement(child);
      if (block) collector.blockEdge();
      collectText(child, collector);
      if (block) collector.blockEdge();
    }
  }
}

}  // namespace

std::string renderedText(HtmlElement node) {
  TextCollector collector;
  collectText(node, collector);
  return collector.take();
}

}  // namespace orbis::html
