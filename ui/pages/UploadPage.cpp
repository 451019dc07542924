#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's run directory, run-file upload and extraction.
void BuildUploadPage(BuildContext&, QWidget&) {}

}  // namespace qv::ui
