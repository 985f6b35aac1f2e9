#include "ui/ImageButton.h"

#include <QKeyEvent>

#include <QPainter>
#include <QStyleOptionButton>
#include <QSvgRenderer>

namespace orbis {

ImageButton::ImageButton(int id, QString normalFace, QString focusedFace, QWidget* parent)
    : QPushButton(parent),
      id_(id),
      normal_(std::move(normalFace)),
      focused_(std::move(focusedFace)) {
  setFocusPolicy(Qt::StrongFocus);
  setAutoDefault(false);
  setObjectName(QStringLiteral("button%1").arg(id));
}

void ImageButton::setCaption(const QString& caption) {
  setAccessibleName(caption);
  setToolTip(caption);
}

void ImageButton::setAlternateFaces(QString normalFace, QString focusedFace) {
  altNormal_ = std::move(normalFace);
  altFocused_ = std::move(focusedFace);
}

void ImageButton::setAlternate(bool alternate) {
  if (alternate == alternate_) return;
  alternate_ = alternate && !altNormal_.isEmpty();
  update();
}

QString ImageButton::currentFace() const {
  const bool focused = hasFocus();
  if (alternate_) return focused ? altFocused_ : altNormal_;
  return focused ? focused_ : normal_;
}

void ImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // The faces carry their own contrast; a pressed button is shown shifted by one pixel.
  QRectF face(0, 0, 48, 48);
  face.moveCenter(QRectF(rect()).center());
  if (isDown()) face.translate(1, 1);
  QSvgRenderer renderer(currentFace());
  if (renderer.isValid()) renderer.render(&painter, face);
  if (hasFocus()) {
    // A second, outer focus ring so the focus is visible even on a face that fails to load.
    QPen pen(palette().color(QPalette::Highlight), 2);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
  }
}

}  // namespace orbis

namespace orbis {

void ImageButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      event->modifiers() == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

}  // namespace orbis
