#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's factory hardware configuration.
void BuildHardwarePage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
