#pragma once
#include <QPointer>
#include <QWidget>

#include "ports/LibraryDialogs.h"

namespace orbis {

// The drive and book list dialogs as Qt dialogs over the main window.
class QtLibraryDialogs : public LibraryDialogs {
 public:
  explicit QtLibraryDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  std::optional<std::string> chooseDrive(const std::vector<Drive>& drives) override;
  std::optional<std::string> chooseBook(CA_DaisySuche& list) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orbis
