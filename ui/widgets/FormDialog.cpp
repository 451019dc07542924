#include "ui/widgets/FormDialog.h"

namespace qv::ui {

FormDialog::FormDialog(QWidget* owner, Qt::WindowFlags extra)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint | extra) {}

void FormDialog::reject() {
  if (onUserClose)
    onUserClose();
  else
    QDialog::reject();
}

}  // namespace qv::ui
