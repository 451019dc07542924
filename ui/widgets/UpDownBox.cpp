#include "ui/widgets/UpDownBox.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>
#include <cstdlib>

namespace qv::ui {

void UpDownBox::stepBy(int steps) {
  if (!onStep) return;
  // Page keys ask for ten steps at once: ten clicks, as many as the model takes.
  const int clicks = std::min(std::abs(steps), 10);
  for (int i = 0; i < clicks; ++i) onStep(steps > 0);
}

QAbstractSpinBox::StepEnabled UpDownBox::stepEnabled() const {
  StepEnabled e = StepNone;
  if (!canStep) return e;
  if (canStep(true)) e |= StepUpEnabled;
  if (canStep(false)) e |= StepDownEnabled;
  return e;
}

QString UpDownBox::textFromValue(int value) const {
  return textOf ? textOf() : QString::number(value);
}

int UpDownBox::valueFromText(const QString& text) const {
  bool ok = false;
  int v = text.trimmed().toInt(&ok);
  return ok ? v : value();
}

void UpDownBox::SetArrowsOnly(bool on) {
  if (arrowsOnly_ == on) return;
  arrowsOnly_ = on;
  lineEdit()->setVisible(!on);
  setSizePolicy(on ? QSizePolicy::Fixed : QSizePolicy::Minimum, QSizePolicy::Fixed);
  updateGeometry();
}

int UpDownBox::ArrowsWidth() const {
  QStyleOptionSpinBox opt;
  initStyleOption(&opt);
  // The arrows' width for any box width: measured on a box wide enough.
  opt.rect = QRect(0, 0, 100, QSpinBox::sizeHint().height());
  const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &opt, QStyle::SC_SpinBoxUp, this);
  // The arrows from their left edge to the box's right edge, and a frame on the left.
  return opt.rect.right() - up.left() + 1 + 2;
}

QSize UpDownBox::sizeHint() const {
  const QSize s = QSpinBox::sizeHint();
  return arrowsOnly_ ? QSize(ArrowsWidth(), s.height()) : s;
}

QSize UpDownBox::minimumSizeHint() const {
  const QSize s = QSpinBox::minimumSizeHint();
  return arrowsOnly_ ? QSize(ArrowsWidth(), s.height()) : s;
}

// Any text may be typed: the edit's model decides what it means.
QValidator::State UpDownBox::validate(QString&, int&) const { return QValidator::Acceptable; }

}  // namespace qv::ui
