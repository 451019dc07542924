#include "factory/FactoryForms.h"

namespace qv {

HardwareTab::HardwareTab() : Form("HardwareTab") {}
AnalogTab::AnalogTab() : Form("AnalogTab") {}

}  // namespace qv
