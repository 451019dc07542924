// The Upload Logger Data tab: the logger's run directory and its commands.
#pragma once

#include "forms/Form.h"

namespace qv {

struct UploadTab : forms::Form {
  UploadTab();
  forms::Button BTGetDirectory{this, "BTGetDirectory", "Get Logger Directory"};
  forms::ListBox LBProfiles{this, "LBProfiles", true};
};

}  // namespace qv
