// A dialog window of a form: the operator closing it (close button or Escape)
// goes to the model, which decides whether and how it hides.
#pragma once

#include <QDialog>
#include <functional>

namespace qv::ui {

class FormDialog : public QDialog {
 public:
  explicit FormDialog(QWidget* owner, Qt::WindowFlags extra = {});
  std::function<void()> onUserClose;
  void reject() override;
};

}  // namespace qv::ui
