// The test-port dialog (TTestPortForm): which logger port to test, the line
// settings of that port and of the logger's host port during the test, and
// the start and stop of the test.
#pragma once

#include "forms/Form.h"

namespace qv {

struct TestPortForm : forms::Form {
  TestPortForm();

  forms::Window window{this, "TTestPortForm", "Test One Logger  Port"};
  forms::Label LBTestPort{this, "LBTestPort", "Select Port To Test"};
  forms::ComboBox CBTestPort;
  forms::Label LBTestPortSetup{this, "LBTestPortSetup", "Test Port Setup"};
  forms::ComboBox CBTestPortSetup;
  forms::Label LBHostPortSetup{this, "LBHostPortSetup", "Host Port Setup"};
  forms::ComboBox CBHostPortSetup;
  forms::Button BTTestPort{this, "BTTestPort", "Start Test"};
  forms::Button BTStopTest{this, "BTStopTest", "Stop Test"};
};

}  // namespace qv
