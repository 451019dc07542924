#include "ui/pages/Pages.h"

namespace qv::ui {

// The PC Logger: meters on further COM ports and logger output ports.
void BuildPcLoggerPage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
