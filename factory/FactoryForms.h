// The factory tabs: hardware configuration and analog calibration, reached
// from "Access Factory Settings" and guarded by the factory password.
#pragma once

#include "forms/Form.h"

namespace qv {

struct HardwareTab : forms::Form {
  HardwareTab();
  forms::Button BTGetHardware{this, "BTGetHardware", "Get Hardware Configuration"};
  forms::Label Labelxx{this, "Labelxx", "Password=BlueHaven"};
  forms::Edit HWPassword{this, "HWPassword", "Enter Password"};
  forms::Button BTKR7Defaults{
      this, "BTKR7Defaults",
      "Load Default Hardware Setup, Analog Calibration, Mux ID and Host Interface Setup into "
      "Flash Memory"};
  forms::Button BTDoneWithHardware{this, "BTDoneWithHardware", "Done"};
};

struct AnalogTab : forms::Form {
  AnalogTab();
  forms::Button BTGetAnalog{this, "BTGetAnalog", "Get Analog Calibration"};
  forms::Label Label2{this, "Label2", "Password=BlueHaven"};
  forms::Edit ALGPassword{this, "ALGPassword", "Enter Password"};
  forms::Button BTDoneWithAnalog{this, "BTDoneWithAnalog", "Done"};
};

}  // namespace qv
