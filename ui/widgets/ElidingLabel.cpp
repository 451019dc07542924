#include "ui/widgets/ElidingLabel.h"

#include <QPainter>
#include <algorithm>
#include <QStyle>

namespace qv::ui {

namespace {
// The narrowest it gets still shows the start and the end of a path.
constexpr int kMinimumChars = 24;
}  // namespace

QSize ElidingLabel::minimumSizeHint() const {
  const QSize full = QLabel::minimumSizeHint();
  const QMargins m = contentsMargins();
  const int narrow = fontMetrics().averageCharWidth() * kMinimumChars + m.left() + m.right() +
                     2 * frameWidth();
  return {std::min(full.width(), narrow), full.height()};
}

QString ElidingLabel::ShownText() const {
  return fontMetrics().elidedText(text(), mode_, contentsRect().width());
}

void ElidingLabel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                        isEnabled(), ShownText(), foregroundRole());
}

}  // namespace qv::ui
