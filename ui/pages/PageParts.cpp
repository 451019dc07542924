#include "ui/pages/PageParts.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/Controls.h"
#include "ui/Binder.h"
#include "ui/Look.h"

namespace qv::ui {

void SetPageSpacing(QLayout& layout) {
  layout.setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  layout.setSpacing(kColumnGap);
}

QLabel* Heading(QLabel* label, int gapAbove) {
  label->setFont(HeadingFont(label->font()));
  label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  if (gapAbove > 0) label->setContentsMargins(0, gapAbove, 0, 0);
  return label;
}

void GapAbove(QLabel* caption, int gap, int rowHeight) {
  caption->setContentsMargins(0, gap, 0, 0);
  caption->setMinimumHeight(gap + rowHeight);
}

QLabel* Number(QLabel* label, int chars) {
  const QFont fixed = FixedFont();
  label->setFont(fixed);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(chars, QLatin1Char('0'))));
  return label;
}

void StackedHeading(QGridLayout& grid, int row, int column, QLabel* top, QLabel* bottom) {
  auto* stack = new QVBoxLayout;
  stack->setSpacing(0);
  for (QLabel* line : {top, bottom}) {
    line->setFont(HeadingFont(line->font()));
    stack->addWidget(line, 0, Qt::AlignHCenter);
  }
  grid.addLayout(stack, row, column, Qt::AlignHCenter | Qt::AlignBottom);
}

QWidget* SetupCommands(Binder& b, forms::Button& get, forms::Button& send, forms::GroupBox& file,
                       forms::Button& save, forms::Button& open, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setFixedWidth(kCommandWidth);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  layout->addWidget(b.Make(get, panel));
  layout->addWidget(b.Make(send, panel));
  layout->addSpacing(8);
  QGroupBox* group = b.Make(file, panel);
  auto* inGroup = new QVBoxLayout(group);
  inGroup->setSpacing(6);
  inGroup->addWidget(b.Make(save, group));
  inGroup->addWidget(b.Make(open, group));
  layout->addWidget(group);
  return panel;
}

QWidget* FactoryCommands(Binder& b, const FactoryControls& c, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setFixedWidth(kCommandWidth + 40);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  for (forms::Button* button : {&c.get, &c.send}) layout->addWidget(b.Make(*button, panel));
  layout->addSpacing(8);
  for (forms::Button* button : {&c.load, &c.save}) layout->addWidget(b.Make(*button, panel));
  layout->addSpacing(8);
  QLabel* notCurrent = b.Make(c.notCurrent, panel);
  notCurrent->setAlignment(Qt::AlignCenter);
  notCurrent->setMinimumHeight(notCurrent->sizeHint().height() + 8);
  layout->addWidget(notCurrent);
  layout->addSpacing(kColumnGap);
  layout->addWidget(b.Make(c.passwordCaption, panel));
  layout->addWidget(b.Make(c.password, panel));
  layout->addSpacing(kColumnGap);
  QPushButton* done = b.Make(c.done, panel);
  done->setMaximumWidth(kCommandWidth / 2);
  layout->addWidget(done);
  layout->addStretch(1);
  return panel;
}

}  // namespace qv::ui
