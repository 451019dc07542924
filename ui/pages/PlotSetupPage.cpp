#include "ui/pages/Pages.h"

namespace qv::ui {

// The eight plot definitions.
void BuildPlotSetupPage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
