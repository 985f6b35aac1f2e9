// The settings and key assignment dialogs on screen: reachable from the keyboard alone, every
// control named for a screen reader, and Qt's own texts in the interface language.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <set>

#include "commands/CommandIds.h"
#include "commands/MainMenu.h"
#include "platform/KeyAssignmentDialog.h"
#include "platform/QtTranslations.h"
#include "platform/SettingsDialog.h"
#include "platform/VirtualKeys.h"
#include "qtsupport/QtEventLoop.h"
#include "settings/BuiltinKeys.h"
#include "settings/CDefineKeys.h"
#include "settings/CSettings.h"
#include "settings/KeyFile.h"
#include "support/RecordingSounds.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "texts/UiTexts.h"

namespace orbis {
namespace {

using namespace orbis::testing;

void show(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  processEventsUntil([&] { return dialog.isActiveWindow() && QApplication::focusWidget(); }, 2000);
}

// Every control Tab reaches, from the focused one round to it again; each must have a name.
std::vector<QWidget*> tabChain(QDialog& dialog) {
  std::vector<QWidget*> chain;
  QWidget* first = QApplication::focusWidget();
  for (QWidget* at = first; at && chain.size() < 40;) {
    chain.push_back(at);
    QTest::keyClick(at, Qt::Key_Tab);
    at = QApplication::focusWidget();
    if (at == first) break;
  }
  for (QWidget* widget : chain) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
    EXPECT_TRUE(control && !control->text(QAccessible::Name).isEmpty())
        << widget->metaObject()->className() << " in " << dialog.windowTitle().toStdString();
  }
  return chain;
}

bool reaches(const std::vector<QWidget*>& chain, QWidget* widget) {
  return std::find(chain.begin(), chain.end(), widget) != chain.end();
}

class SettingsDialogsTest : public ::testing::Test {
 protected:
  SettingsDialogsTest() {
    ensureQtApplication();
    fillTexts(uiTexts(), kLanguageGerman);
  }
  TempDir dir;
  ScriptedDialogs dialogs;
};

TEST_F(SettingsDialogsTest, TheSettingsAreWorkedFromTheKeyboard) {
  Settings settings = Settings::defaults(dir.str() + "/");
  CSettings logic(settings, dialogs, dir.str());
  SettingsDialog dialog(logic);
  show(dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Globale Einstellungen"));
  const auto chain = tabChain(dialog);
  for (int id : {CSettings::kSearchBookOnStart, CSettings::kSoundOnHeadingChange,
                 CSettings::kSoundOnSubLevels, CSettings::kHideButtons, CSettings::kHideCurrentText,
                 CSettings::kAlwaysShowTree, CSettings::kFocusTree, CSettings::kZipFolder,
                 CSettings::kBrowse, CSettings::kCheckUpdatesOnStart}) {
    EXPECT_TRUE(reaches(chain, dialog.control(id))) << id;
  }

  // Space on "always show tree" takes the tree's focus choice away at once.
  auto* tree = dialog.control(CSettings::kAlwaysShowTree);
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Space);
  EXPECT_FALSE(dialog.control(CSettings::kFocusTree)->isEnabled());
  EXPECT_TRUE(static_cast<QRadioButton*>(dialog.control(CSettings::kFocusTextView))->isChecked());
  QTest::keyClick(tree, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(settings.AlwaysShowTree);
  EXPECT_EQ(settings.StartFocus, Settings::kFocusTextView);
}

TEST_F(SettingsDialogsTest, KeysAreChosenAndAssignedFromTheKeyboard) {
  MenuModel menu = buildMainMenu();
  const std::string active = dir.str() + "/Active.kbd";
  ensureActiveKeyFile(dir.str(), active, menu.commandCount());
  const QtKeyNames names(kLanguageEnglish);
  RecordingSounds sounds;
  CDefineKeys logic(KeyDialogContext{menu, uiTexts().menulessCommands, active, dir.str() + "/",
                                     ORBIS_SOURCE_DIR "/res/program/", names, dialogs, sounds});
  KeyAssignmentDialog dialog(logic, names);
  show(dialog);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tastaturbelegung"));
  ASSERT_EQ(QApplication::focusWidget(), dialog.list());
  EXPECT_EQ(dialog.keyField()->text(), QStringLiteral("Ctrl+O"));
  const auto chain = tabChain(dialog);
  for (int id : {CDefineKeys::kHotkey, CDefineKeys::kAssign, CDefineKeys::kSaveProfile,
                 CDefineKeys::kLoadProfile, CDefineKeys::kRestoreDefaults}) {
    EXPECT_TRUE(reaches(chain, dialog.control(id))) << id;
  }

  QTest::keyClick(dialog.list(), Qt::Key_Down);  // DAISY -> Von Liste, key O
  EXPECT_EQ(dialog.keyField()->text(), QStringLiteral("O"));
  // In the field Alt+S is a key to record, not the mnemonic of "&Speichern".
  QTest::keyClick(dialog.keyField(), Qt::Key_S, Qt::AltModifier);
  QTest::keyClick(dialog.keyField(), Qt::Key_Left);
  EXPECT_TRUE(sounds.played.empty());
  EXPECT_EQ(dialog.keyField()->text(), QStringLiteral("LEFT"));
  QTest::keyClick(dialog.control(CDefineKeys::kAssign), Qt::Key_Space);
  EXPECT_EQ(readProfileString(active, kKeysSection, std::to_string(cmd::kOpenFromList), ""),
            "37\\8");
  EXPECT_EQ(dialog.list()->currentItem()->text(), QStringLiteral("DAISY -> Von Liste | LEFT"));
  QTest::keyClick(dialog.list(), Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(SettingsDialogsTest, QtsOwnTextsFollowTheInterfaceLanguage) {
  QtTranslations translations;
  auto cancelText = [] {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&'));
  };
  const QKeySequence ctrlO(Qt::CTRL | Qt::Key_O);
  translations.use(kLanguageGerman);
  EXPECT_EQ(cancelText(), QStringLiteral("Abbrechen"));
  EXPECT_EQ(ctrlO.toString(QKeySequence::NativeText), QStringLiteral("Strg+O"));
  translations.use(kLanguageEnglish);
  EXPECT_EQ(cancelText(), QStringLiteral("Cancel"));
  EXPECT_EQ(ctrlO.toString(QKeySequence::NativeText), QStringLiteral("Ctrl+O"));
}

}  // namespace
}  // namespace orbis
