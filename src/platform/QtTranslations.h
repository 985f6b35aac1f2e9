#pragma once
#include <QTranslator>
#include <memory>

namespace orbis {

// Qt's own texts - the standard buttons, the file, folder and colour choosers, the names of
// keys - in the language of the interface. Qt speaks English by itself; German comes from the
// translations installed with Qt. Missing translations leave Qt's English in place.
class QtTranslations {
 public:
  QtTranslations();
  ~QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

  // 0 German, 1 English; any other index leaves the texts as they are.
  void use(int languageIndex);

 private:
  std::unique_ptr<QTranslator> translator_;
  int language_ = -1;
};

}  // namespace orbis
