#include "ui/pages/Pages.h"

namespace qv::ui {

// Archive and raw recording, and replay.
void BuildRecordPage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
