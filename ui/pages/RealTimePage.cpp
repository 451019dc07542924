#include "ui/pages/Pages.h"

namespace qv::ui {

// The raw data display and the text sender.
void BuildRealTimePage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
