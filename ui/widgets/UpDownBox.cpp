#include "ui/widgets/UpDownBox.h"

#include <QLineEdit>
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

// Any text may be typed: the edit's model decides what it means.
QValidator::State UpDownBox::validate(QString&, int&) const { return QValidator::Acceptable; }

}  // namespace qv::ui
