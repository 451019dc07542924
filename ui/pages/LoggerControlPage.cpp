#include "ui/pages/Pages.h"

namespace qv::ui {

// The commands that operate the logger: start, stop, sleep, clock and memory.
void BuildLoggerControlPage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
