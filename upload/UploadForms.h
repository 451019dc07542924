// The Upload Logger Data tab: the logger's run directory, its commands and
// the extraction of run files.
#pragma once

#include "forms/Form.h"

namespace qv {

struct UploadTab : forms::Form {
  UploadTab();
  forms::Button BTGetDirectory{this, "BTGetDirectory", "Get Logger Directory"};
  forms::ListBox LBProfiles{this, "LBProfiles", true};
  forms::RadioGroup ExtractFilesRG{this, "ExtractFilesRG", "Extract File Types",
                                   {"QV Archive", "QV Archive Plus Raw Files"}};
  forms::Button BTExtract{this, "BTExtract", "Parse Run Files"};
  forms::Label LBAddPad{this, "LBAddPad", "Archive file Correction:  Adding Pad Bytes"};
};

}  // namespace qv
