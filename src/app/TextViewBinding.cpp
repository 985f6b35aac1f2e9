#include "app/TextViewBinding.h"

#include <cstdlib>

#include "book/BookPaths.h"
#include "textview/HtmlDocument.h"
#include "playback/SelectHeading.h"
#include "texts/UiTexts.h"
#include "textview/StartPage.h"

namespace orbis {

TextViewBinding::TextViewBinding(TextViewContext context)
    : context_(std::move(context)),
      phrase_(context_.view, context_.currentText),
      search_(context_.view),
      styleCommands_(style_, context_.player, context_.dialogs, context_.autoPlayback,
                     context_.radioCheck) {
  context_.view.onDocumentComplete([this](const std::string& url) {
    context_.state.startPageShown = StartPage::isShownAt(url, StartPage::entry(language_));
  });
  context_.view.onBeforeNavigate2(
      [this](const std::string& url, bool& cancel) { cancel = jumpToSmilLink(url, *this); });
}

TextViewBinding::~TextViewBinding() {
  context_.view.onDocumentComplete(nullptr);
  context_.view.onBeforeNavigate2(nullptr);
}

void TextViewBinding::showStartPage(int language) {
  language_ = language;
  context_.view.navigate(context_.folders.programFolder +
                         toProgramRelativePath(uiTexts().startPage));
  context_.state.startPageShown = true;
}

void TextViewBinding::navigate(const std::string& document) {
  context_.view.navigate(document);
}

std::string TextViewBinding::bookFolder() const {
  return context_.book.folder;
}

BookIdentity TextViewBinding::identity() const {
  const BookMetadata& m = context_.book.metadata;
  return {m.title, m.identifier, m.date, m.tocItems, m.totalTime, m.setInfo};
}

void TextViewBinding::highlightPhrase(const std::string& fragment) {
  PhraseHighlightContext context;
  context.bookOpen = context_.book.open;
  context.startPageShown = context_.state.startPageShown;
  context.bookFolder = bookFolder();
  context.identity = identity();
  context.style = style_;
  context.startPageEntry = StartPage::entry(language_);
  phrase_.highlight(fragment, context);
}

SpokenText TextViewBinding::phraseText(const std::string& fragment) {
  HtmlDocument* document = context_.view.document();
  if (document == nullptr || fragment.empty()) return {};
  const HtmlElement element = document->getElementById(fragment);
  if (element == nullptr) return {};
  return {document->innerText(element), HtmlDocument::language(element)};
}

void TextViewBinding::highlightSearchTerm() {
  if (searchTerm_.empty()) return;
  search_.highlight(searchTerm_, {context_.state.startPageShown, textSearch_, style_});
}

void TextViewBinding::forgetHighlight() {
  phrase_.forget();
}

void TextViewBinding::setSearchTerm(std::string term, bool textSearch) {
  searchTerm_ = std::move(term);
  textSearch_ = textSearch;
}

void TextViewBinding::markSearchTerm(const std::string& term, bool textSearch) {
  // The marks are drawn before the flag of a search in the text is taken over: that flag only
  // keeps later documents from being marked, and a second search in the text must still mark.
  setSearchTerm(term, false);
  highlightSearchTerm();
  textSearch_ = textSearch;
}

bool TextViewBinding::runStyleCommand(int commandId) {
  if (!HighlightStyleCommands::handles(commandId)) return false;
  styleCommands_.run(commandId);
  return true;
}

std::optional<int> TextViewBinding::titleRowOfSmil(const std::string& smilFile) const {
  const BookTable& titles = context_.tables.title;
  for (int row = 0; row < titles.rowCount(); ++row) {
    if (titles.cell(row, TitleCol::Smil) == smilFile) return row;
  }
  return std::nullopt;
}

void TextViewBinding::startHeadingOfTitleRow(int titleRow) {
  BookTable& titles = context_.tables.title;
  titles.ensureVisible(titleRow);
  selectHeadingByTreeId(context_.tree,
                        std::atoi(std::string(titles.cell(titleRow, TitleCol::TreeId)).c_str()));
}

std::optional<int> TextViewBinding::phraseRowOfFragment(const std::string& fragment) const {
  const BookTable& phrases = context_.tables.phrase;
  for (int row = 0; row < phrases.rowCount(); ++row) {
    if (phrases.cell(row, PhraseCol::TextId) == fragment ||
        phrases.cell(row, PhraseCol::ParId) == fragment) {
      return row;
    }
  }
  return std::nullopt;
}

void TextViewBinding::selectPhraseRow(int phraseRow) {
  context_.tables.phrase.select(phraseRow);
}

}  // namespace orbis
