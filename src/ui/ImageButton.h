#pragma once
#include <QPushButton>
#include <QString>

namespace orbis {

// A square tool button that draws a picture instead of its caption: one face while it has the
// keyboard focus, another otherwise. The caption is never drawn; it serves as accessible name
// and tooltip. Two-faced buttons (play/pause, mute) switch to an alternate pair of faces.
class ImageButton : public QPushButton {
  Q_OBJECT
 public:
  ImageButton(int id, QString normalFace, QString focusedFace, QWidget* parent = nullptr);
  int id() const { return id_; }
  void setCaption(const QString& caption);
  void setAlternateFaces(QString normalFace, QString focusedFace);
  void setAlternate(bool alternate);
  bool isAlternate() const { return alternate_; }
  QString currentFace() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Enter presses the button, as in a dialog: Space is the key that pauses and continues.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int id_;
  QString normal_, focused_, altNormal_, altFocused_;
  bool alternate_ = false;
};

}  // namespace orbis
