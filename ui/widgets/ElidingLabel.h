// A label that shortens its text with an ellipsis where it does not fit, so a
// long file path neither cuts off nor widens the window.
#pragma once

#include <QLabel>

namespace qv::ui {

class ElidingLabel : public QLabel {
  Q_OBJECT

 public:
  ElidingLabel(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), mode_(mode) {}

  QSize minimumSizeHint() const override;
  // The text as painted: whole, or elided to the present width.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::TextElideMode mode_;
};

}  // namespace qv::ui
