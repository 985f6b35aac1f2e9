#include "info/BookInformation.h"

#include <algorithm>

#include "commands/CommandIds.h"
#include "info/InfoSentences.h"
#include "texts/UiTexts.h"

namespace orbis {

void BookInformation::registerCommands(CommandTable& commands) {
  using namespace cmd;
  commands.add(kBookInformation, [this] { showBookList(); });
  commands.add(kTitleInformation, [this] { showTitleList(); });
  commands.add(kBookTimeTotal, [this] {
    tellTime(
        &UiTexts::totalTime, [](const Values& v) { return v.total; }, true);
  });
  commands.add(kBookTimeHeard, [this] {
    tellTime(
        &UiTexts::elapsedTime, [](const Values& v) { return v.heard; }, true);
  });
  commands.add(kBookTimeRest, [this] {
    tellTime(
        &UiTexts::remainingTime, [](const Values& v) { return v.total - v.heard; }, false);
  });
  commands.add(kBookEntries, [this] { tell([this](const Values&) { return entries(); }); });
  commands.add(kBookLevels, [this] { tell([this](const Values&) { return levels(); }); });
  commands.add(kTitleTimeTotal, [this] {
    tellTime(
        &UiTexts::totalTime, [](const Values& v) { return v.duration; }, true);
  });
  commands.add(kTitleTimeHeard, [this] {
    tellTime(
        &UiTexts::elapsedTime, [](const Values& v) { return v.position; }, true);
  });
  commands.add(kTitleTimeRest, [this] {
    tellTime(
        &UiTexts::remainingTime, [](const Values& v) { return v.duration - v.position; }, true);
  });
  commands.add(kTitleIndex, [this] { tell([this](const Values& v) { return heading(v); }); });
  commands.add(kTitleLevel, [this] { tell([this](const Values& v) { return level(v); }); });
  commands.add(kSleepTimeLeft, [this] {
    tell([this](const Values&) {
      return sleepTimerSentence(ctx_.sleep.secondsLeft(), ctx_.sleep.untilHeadingEnd(), uiTexts());
    });
  });
}

BookInformation::Values BookInformation::read() const {
  Values v;
  // An ended file has no position left to tell: what was heard is the headings before it.
  if (ctx_.player.playState() != PlayState::MediaEnded) v.position = ctx_.player.currentPosition();
  v.duration = ctx_.player.duration();
  v.total = infoSeconds(ctx_.book.metadata.totalTime);
  v.titleRow = ctx_.tables.title.selectionMark();
  v.heard = infoSeconds(ctx_.tables.title.cell(v.titleRow, TitleCol::Elapsed)) + v.position;
  return v;
}

int BookInformation::levelCount() const {
  const BookTable& title = ctx_.tables.title;
  int levels = 1;
  for (int row = 0; row < title.rowCount(); ++row) {
    levels = std::max(levels, leadingNumber(title.cell(row, TitleCol::Level)));
  }
  return levels;
}

std::string BookInformation::entries() const {
  return entriesSentence(ctx_.book.metadata.tocItems, uiTexts());
}

std::string BookInformation::levels() const {
  return levelsSentence(levelCount(), uiTexts());
}

// Counted among the headings: the NCC's item count includes its pages and would give a heading
// number out of a larger whole. Without a current heading the reader is at none of them.
std::string BookInformation::heading(const Values& v) const {
  const BookTable& title = ctx_.tables.title;
  const int number = v.titleRow >= 0 && v.titleRow < title.rowCount()
                         ? leadingNumber(title.cell(v.titleRow, TitleCol::TreeId)) + 1
                         : 0;
  return headingSentence(number, title.rowCount(), uiTexts());
}

std::string BookInformation::level(const Values& v) const {
  return levelSentence(ctx_.tables.title.cell(v.titleRow, TitleCol::Level), uiTexts());
}

void BookInformation::tell(const std::function<std::string(const Values&)>& sentence) {
  ctx_.audio.duringModal([&] {
    const UiTexts& t = uiTexts();
    ctx_.dialogs.messageBox(sentence(read()), t.infoCaption, MessageButtons::Ok,
                            MessageIcon::Information);
  });
}

void BookInformation::tellTime(std::string UiTexts::*label, double (*value)(const Values&),
                               bool fullStop) {
  tell([=](const Values& v) {
    const UiTexts& t = uiTexts();
    return timeSentence(t.*label, value(v), fullStop, t);
  });
}

void BookInformation::showBookList() {
  ctx_.audio.duringModal([&] {
    const UiTexts& t = uiTexts();
    const Values v = read();
    CInfoList list(InfoListMode::Book);
    list.addLine(t.totalTime, timeSentence({}, v.total, true, t));
    list.addLine(t.elapsedTime, timeSentence({}, v.heard, true, t));
    list.addLine(t.remainingTime, timeSentence({}, v.total - v.heard, false, t));
    list.addLine(t.infoRowEntries, entries());
    list.addLine(t.infoRowLevels, levels());
    // What an EPUB's package document tells about the book; other books leave these empty (the
    // language alone does not count: DAISY books keep it for speech, not for this list).
    const BookMetadata& meta = ctx_.book.metadata;
    if (!meta.creator.empty() || !meta.publisher.empty() || !meta.narrator.empty()) {
      for (const auto& [label, value] : {std::pair{&t.infoRowBookTitle, &meta.title},
                                         {&t.infoRowCreator, &meta.creator},
                                         {&t.infoRowNarrator, &meta.narrator},
                                         {&t.infoRowPublisher, &meta.publisher},
                                         {&t.infoRowDate, &meta.date},
                                         {&t.infoRowLanguage, &meta.language}})
        if (!value->empty()) list.addLine(*label, *value);
    }
    ctx_.dialogs.showInfoList(list.content(t));
  });
}

void BookInformation::showTitleList() {
  ctx_.audio.duringModal([&] {
    const UiTexts& t = uiTexts();
    const Values v = read();
    CInfoList list(InfoListMode::Title);
    list.addLine(t.totalTime, timeSentence({}, v.duration, true, t));
    list.addLine(t.elapsedTime, timeSentence({}, v.position, true, t));
    list.addLine(t.remainingTime, timeSentence({}, v.duration - v.position, true, t));
    list.addLine(t.infoRowHeading, heading(v));
    list.addLine(t.infoRowLevel, level(v));
    ctx_.dialogs.showInfoList(list.content(t));
  });
}

}  // namespace orbis
