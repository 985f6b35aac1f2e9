#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "texts/UiTexts.h"

namespace orbis {

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations() {
  if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

void QtTranslations::use(int languageIndex) {
  if (languageIndex == language_) return;
  if (languageIndex != kLanguageGerman && languageIndex != kLanguageEnglish) return;
  language_ = languageIndex;
  if (translator_) {
    QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
  }
  if (languageIndex != kLanguageGerman) return;
  auto translator = std::make_unique<QTranslator>();
  // "qt_de" gathers the catalogues of every Qt module, qtbase among them.
  if (!translator->load(QStringLiteral("qt_de"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return;
  }
  QCoreApplication::installTranslator(translator.get());
  translator_ = std::move(translator);
}

}  // namespace orbis
