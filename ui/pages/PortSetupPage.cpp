#include "ui/pages/Pages.h"

namespace qv::ui {

// The serial, analog and pump port rows of the logger setup and the setup commands.
void BuildPortSetupPage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
