#include "upload/UploadForms.h"

namespace qv {

UploadTab::UploadTab() : Form("UploadTab") {}

}  // namespace qv
