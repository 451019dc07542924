// An up-down with its associated edit as one spin box: the arrows are the
// operator's clicks on the up-down, the text field is the edit.
#pragma once

#include <QSpinBox>
#include <functional>

namespace qv::ui {

class UpDownBox : public QSpinBox {
 public:
  explicit UpDownBox(QWidget* parent) : QSpinBox(parent) {}

  // One arrow click, up or down; the model steps, clamps or wraps.
  std::function<void(bool up)> onStep;
  // Whether an arrow can be clicked now.
  std::function<bool(bool up)> canStep;
  // The text to show: the associated edit's text, which need not be the number.
  std::function<QString()> textOf;

  QLineEdit* Editor() const { return lineEdit(); }
  void stepBy(int steps) override;

  // Only the two arrows, for an up-down without an edit of its own whose
  // value a label beside it shows.
  void SetArrowsOnly(bool on);
  bool ArrowsOnly() const { return arrowsOnly_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  StepEnabled stepEnabled() const override;
  QString textFromValue(int value) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& text, int& pos) const override;

 private:
  int ArrowsWidth() const;
  bool arrowsOnly_ = false;
};

}  // namespace qv::ui
