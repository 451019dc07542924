#include "ui/pages/Pages.h"

namespace qv::ui {

// The per-port data rates and unit counters of the logger.
void BuildDataStatusPage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
