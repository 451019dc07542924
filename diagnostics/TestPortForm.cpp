#include "diagnostics/TestPortForm.h"

#include <string>
#include <vector>

#include "setup/SetupTables.h"

namespace qv {

namespace {

std::vector<std::string> TestPortItems() {
  std::vector<std::string> items;
  for (int n = 1; n <= 8; ++n) items.push_back("Port " + std::to_string(n));
  items.push_back("Analog Ports");
  return items;
}

}  // namespace

TestPortForm::TestPortForm()
    : Form("TTestPortForm"),
      CBTestPort(this, "CBTestPort", TestPortItems()),
      CBTestPortSetup(this, "CBTestPortSetup", HostPortSetupItems()),
      CBHostPortSetup(this, "CBHostPortSetup", HostPortSetupItems()) {
  CBTestPort.SetItemIndex(0);
  CBTestPortSetup.SetItemIndex(0);
  CBHostPortSetup.SetItemIndex(0);
}

}  // namespace qv
