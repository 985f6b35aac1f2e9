#include "platform/QtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "platform/ControlTexts.h"
#include "platform/InfoListDialog.h"
#include "platform/KeyAssignmentDialog.h"
#include "platform/SettingsDialog.h"
#include "platform/TextPromptDialog.h"
#include "platform/VirtualKeys.h"
#include "settings/CDefineKeys.h"
#include "settings/CSettings.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace {

struct ButtonSpec {
  QMessageBox::StandardButton button;
  MessageAnswer answer;
};

std::vector<ButtonSpec> buttonsFor(MessageButtons buttons) {
  using B = QMessageBox;
  using A = MessageAnswer;
  switch (buttons) {
    case MessageButtons::Ok:
      return {{B::Ok, A::Ok}};
    case MessageButtons::OkCancel:
      return {{B::Ok, A::Ok}, {B::Cancel, A::Cancel}};
    case MessageButtons::YesNo:
      return {{B::Yes, A::Yes}, {B::No, A::No}};
    case MessageButtons::YesNoCancel:
      return {{B::Yes, A::Yes}, {B::No, A::No}, {B::Cancel, A::Cancel}};
    case MessageButtons::RetryCancel:
      return {{B::Retry, A::Retry}, {B::Cancel, A::Cancel}};
    case MessageButtons::AbortRetryIgnore:
      return {{B::Abort, A::Abort}, {B::Retry, A::Retry}, {B::Ignore, A::Ignore}};
  }
  return {{B::Ok, A::Ok}};
}

QMessageBox::Icon iconFor(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// The filter as the reader hears it in the file type box: "DAISY-Bücher (ncc.html; *.opf)".
// Books from Windows and CDs name the file NCC.HTML as often as ncc.html, so the patterns match
// both cases, but the upper-case twins stay out of the visible name: a screen reader would read
// every pattern twice. The dialog is told to hide the pattern list it would otherwise append.
QString nameFilter(const FileFilter& filter) {
  const QStringList given = qs(filter.pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  QStringList patterns;
  for (const QString& pattern : given) {
    patterns << pattern;
    if (pattern.toUpper() != pattern) patterns << pattern.toUpper();
  }
  return qs(filter.name) + QStringLiteral(" (") + given.join(QStringLiteral("; ")) +
         QStringLiteral(") (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")");
}

}  // namespace

QtDialogs::QtDialogs(QWidget* parent) : parent_(parent) {}

bool QtDialogs::nonInteractive() {
  return qEnvironmentVariableIsSet("ORBIS_NONINTERACTIVE");
}

MessageAnswer QtDialogs::messageBox(const std::string& text, const std::string& caption,
                                    MessageButtons buttons, MessageIcon icon) {
  const auto specs = buttonsFor(buttons);
  if (nonInteractive()) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    return specs.front().answer;
  }
  QMessageBox box(iconFor(icon), qs(caption), qs(text), QMessageBox::NoButton, parent_);
  for (const auto& spec : specs) box.addButton(spec.button);
  box.setDefaultButton(specs.front().button);
  const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
  for (const auto& spec : specs) {
    if (spec.button == clicked) return spec.answer;
  }
  // Escape or the close box: the cancelling answer where there is one.
  for (const auto& spec : specs) {
    if (spec.answer == MessageAnswer::Cancel || spec.answer == MessageAnswer::No) {
      return spec.answer;
    }
  }
  return specs.front().answer;
}

std::optional<std::string> QtDialogs::openFile(const std::string& title, const FileFilter& filter,
                                               const std::string& startFolder) {
  if (nonInteractive()) return std::nullopt;
  QString path =
      QFileDialog::getOpenFileName(parent_, qs(title), qs(startFolder), nameFilter(filter), nullptr,
                                   QFileDialog::HideNameFilterDetails);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtDialogs::saveFile(const std::string& title, const FileFilter& filter,
                                               const std::string& startFolder,
                                               const std::string& defaultSuffix) {
  if (nonInteractive()) return std::nullopt;
  QFileDialog dialog(parent_, qs(title), qs(startFolder), nameFilter(filter));
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(qs(defaultSuffix));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::chooseFolder(const std::string& title,
                                                   const std::string& startFolder) {
  if (nonInteractive()) return std::nullopt;
  QString path = QFileDialog::getExistingDirectory(parent_, qs(title), qs(startFolder));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtDialogs::askText(const std::string& caption, const std::string& prompt,
                                              int minimumCharacters) {
  if (nonInteractive()) return std::nullopt;
  TextPromptDialog dialog(qs(caption), qs(prompt), minimumCharacters, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.text().toStdString();
}

std::optional<std::uint32_t> QtDialogs::chooseColor(std::uint32_t initial) {
  if (nonInteractive()) return std::nullopt;
  QColor color = QColorDialog::getColor(QColor::fromRgb(initial), parent_);
  if (!color.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(color.rgb() & 0xFFFFFF);
}

void QtDialogs::showInfoList(const InfoListContent& list) {
  if (nonInteractive()) {
    std::fprintf(stderr, "[%s]\n", list.caption.c_str());
    for (const auto& row : list.rows) {
      std::fprintf(stderr, "%s: %s\n", row[0].c_str(), row[1].c_str());
    }
    std::fflush(stderr);
    return;
  }
  InfoListDialog dialog(list, parent_);
  dialog.exec();
}

void QtDialogs::runSettings(CSettings& dialog) {
  if (nonInteractive()) {
    dialog.onInitDialog();
    dialog.onCancel();
    return;
  }
  SettingsDialog window(dialog, parent_);
  window.exec();
}

void QtDialogs::runKeyAssignment(CDefineKeys& dialog) {
  if (nonInteractive()) {
    dialog.onInitDialog();
    return;
  }
  // The capture field names keys in the language of the interface, as the menus do.
  const QtKeyNames names(languageIndex());
  KeyAssignmentDialog window(dialog, names, parent_);
  window.exec();
}

}  // namespace orbis
