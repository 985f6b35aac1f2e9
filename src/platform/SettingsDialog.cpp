#include "platform/SettingsDialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "commands/CommandIds.h"
#include "platform/ControlTexts.h"
#include "settings/CSettings.h"
#include "texts/UiTexts.h"

namespace orbis {

namespace {

// The switches with the member of the choices each shows.
struct Switch {
  int id;
  bool SettingsChoices::*member;
};
constexpr Switch kSwitches[] = {
    {CSettings::kSearchBookOnStart, &SettingsChoices::searchBookOnStart},
    {CSettings::kSoundOnHeadingChange, &SettingsChoices::soundOnHeadingChange},
    {CSettings::kSoundOnSubLevels, &SettingsChoices::soundOnSubLevels},
    {CSettings::kHideButtons, &SettingsChoices::hideButtons},
    {CSettings::kHideCurrentText, &SettingsChoices::hideCurrentText},
    {CSettings::kAlwaysShowTree, &SettingsChoices::alwaysShowTree},
    {CSettings::kCheckUpdatesOnStart, &SettingsChoices::checkUpdatesOnStart},
};

}  // namespace

SettingsDialog::SettingsDialog(CSettings& logic, QWidget* parent) : QDialog(parent), logic_(logic) {
  const UiTexts& t = uiTexts();
  setWindowTitle(spoken(t.menuItems.at(cmd::kGlobalSettings)));
  auto* layout = new QVBoxLayout(this);

  for (auto [id, text] : {std::pair{CSettings::kSearchBookOnStart, t.searchBookOnStartOption},
                          {CSettings::kSoundOnHeadingChange, t.soundOnHeadingChangeOption},
                          {CSettings::kSoundOnSubLevels, t.soundOnSubLevelsOption},
                          {CSettings::kHideButtons, t.hideButtonsOption},
                          {CSettings::kHideCurrentText, t.hideCurrentTextOption},
                          {CSettings::kAlwaysShowTree, t.alwaysShowTreeOption}}) {
    layout->addWidget(addCheckBox(id, text));
  }
  // The three switches that hide controls decide which start focus can be chosen.
  for (int id :
       {CSettings::kHideButtons, CSettings::kHideCurrentText, CSettings::kAlwaysShowTree}) {
    connect(checkBoxes_[id], &QCheckBox::clicked, this,
            [this] { act(&CSettings::onOptionClicked); });
  }

  auto* group = new QGroupBox(qs(t.startFocusGroup), this);
  group->setAccessibleName(spoken(t.startFocusGroup));
  controls_[CSettings::kFocusGroup] = group;
  auto* groupLayout = new QVBoxLayout(group);
  focusGroup_ = new QButtonGroup(this);
  const std::string radioTexts[] = {t.labelTextView, t.labelCurrentText, t.startFocusButtons,
                                    t.startFocusHeadingsTree};
  for (int value = 0; value < 4; ++value) {
    auto* radio = new QRadioButton(qs(radioTexts[value]), group);
    radio->setAccessibleName(spoken(radioTexts[value]));
    focusGroup_->addButton(radio, value);
    groupLayout->addWidget(radio);
    controls_[CSettings::kFocusRadios[value]] = radio;
  }
  layout->addWidget(group);

  auto* label = new QLabel(qs(t.zipTempFolderLabel), this);
  folder_ = new QLineEdit(this);
  folder_->setAccessibleName(spoken(t.zipTempFolderLabel));
  label->setBuddy(folder_);
  auto* browse = new QPushButton(QStringLiteral("..."), this);
  browse->setAccessibleName(spoken(t.zipOutputFolderTitle));
  browse->setToolTip(spoken(t.zipOutputFolderTitle));
  connect(browse, &QPushButton::clicked, this, [this] { act(&CSettings::onBrowse); });
  controls_[CSettings::kZipFolderLabel] = label;
  controls_[CSettings::kZipFolder] = folder_;
  controls_[CSettings::kBrowse] = browse;
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(browse);
  layout->addWidget(label);
  layout->addLayout(folderRow);

  layout->addWidget(addCheckBox(CSettings::kCheckUpdatesOnStart, t.checkUpdatesOnStartOption));

  buttons_ = okCancelButtons(this);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons_);

  logic_.onInitDialog();
  showChoices();
  checkBoxes_[CSettings::kSearchBookOnStart]->setFocus();
}

QCheckBox* SettingsDialog::addCheckBox(int id, const std::string& text) {
  auto* box = new QCheckBox(qs(text), this);
  box->setAccessibleName(spoken(text));
  checkBoxes_[id] = box;
  controls_[id] = box;
  return box;
}

QWidget* SettingsDialog::control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void SettingsDialog::showChoices() {
  const SettingsChoices& choices = logic_.choices();
  for (const Switch& s : kSwitches) checkBoxes_.at(s.id)->setChecked(choices.*(s.member));
  // No radio is marked while the choice is missing; an exclusive group keeps one, so the
  // exclusion is lifted for the moment.
  focusGroup_->setExclusive(false);
  for (int value = 0; value < 4; ++value) {
    QAbstractButton* radio = focusGroup_->button(value);
    radio->setChecked(value == choices.startFocus);
    radio->setEnabled(logic_.isEnabled(CSettings::kFocusRadios[value]));
  }
  focusGroup_->setExclusive(true);
  // Tab enters the group at the marked choice (at the first one while none is marked); the
  // arrow keys move within it.
  QAbstractButton* entry = focusGroup_->checkedButton();
  if (!entry) entry = focusGroup_->button(Settings::kFocusTextView);
  for (QAbstractButton* radio : focusGroup_->buttons()) {
    radio->setFocusPolicy(radio == entry ? Qt::StrongFocus : Qt::ClickFocus);
  }
  folder_->setText(qs(choices.zipTempFolder));
}

void SettingsDialog::takeChoices() {
  SettingsChoices& choices = logic_.choices();
  for (const Switch& s : kSwitches) choices.*(s.member) = checkBoxes_.at(s.id)->isChecked();
  choices.startFocus = focusGroup_->checkedId();
  choices.zipTempFolder = folder_->text().toStdString();
}

void SettingsDialog::act(void (CSettings::*action)()) {
  takeChoices();
  (logic_.*action)();
  showChoices();
  applyFocusRequest(logic_.focusRequest());
}

void SettingsDialog::applyFocusRequest(int id) {
  if (QWidget* widget = control(id)) widget->setFocus(Qt::OtherFocusReason);
}

void SettingsDialog::accept() {
  takeChoices();
  if (!logic_.onOk()) {
    applyFocusRequest(logic_.focusRequest());
    return;
  }
  QDialog::accept();
}

// Escape and the close box cancel as the button does.
void SettingsDialog::reject() {
  logic_.onCancel();
  QDialog::reject();
}

}  // namespace orbis
