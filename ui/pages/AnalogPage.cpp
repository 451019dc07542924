#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's analog calibration.
void BuildAnalogPage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
