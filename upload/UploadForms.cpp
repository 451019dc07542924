#include "upload/UploadForms.h"

namespace qv {

UploadTab::UploadTab() : Form("UploadTab") {
  // Before any handler is set: a choice made in code runs the click handler.
  ExtractFilesRG.SetItemIndex(0);
  LBAddPad.SetVisible(false);
}

}  // namespace qv
