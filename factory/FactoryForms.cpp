#include "factory/FactoryForms.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

namespace {

std::vector<std::string> RelayItems() {
  std::vector<std::string> items{"None"};
  for (int n = 1; n <= 8; ++n) items.push_back("Relay " + std::to_string(n));
  items.push_back("Self Powered");
  return items;
}

// Labels numbered from `first`, captioned "Port n" from the logger port
// number `firstPort` on.
auto PortLabels(forms::Form* owner, const char* pattern, int firstPort) {
  return [owner, pattern, firstPort](int n) {
    return std::make_unique<forms::Label>(owner, pattern + std::to_string(n),
                                          "Port " + std::to_string(firstPort + n - 1));
  };
}

}  // namespace

HardwareTab::HardwareTab()
    : Form("HardwareTab"),
      LBRelaySP(1, 8, PortLabels(this, "LBRelaySP", 1)),
      RelaySP(this, "RelaySP%d", 1, 8, RelayItems()),
      LBRelayAP(1, 7, PortLabels(this, "LBRelayAP", 9)),
      RelayAP(this, "RelayAP%d", 1, 7, RelayItems()),
      LBRelayPP(1, 4, PortLabels(this, "LBRelayPP", 16)),
      RelayPP(this, "RelayPP%d", 1, 4, RelayItems()) {
  UDSerialNumber.Associate(SNEdit);
  HardwarePanel.SetColour(forms::Colour::Yellow);
  for (int n = 1; n <= 8; ++n) RelaySP[n].SetItemIndex(0);
  for (int n = 1; n <= 7; ++n) RelayAP[n].SetItemIndex(0);
  for (int n = 1; n <= 4; ++n) RelayPP[n].SetItemIndex(0);
  RunStopCB.SetItemIndex(0);
  StatusLEDCB.SetItemIndex(0);
}

AnalogTab::AnalogTab()
    : Form("AnalogTab"),
      LBInput(0, 8,
              [this](int k) {
                return std::make_unique<Label>(this, "LBInput" + std::to_string(k),
                                               k == 0 ? "Battery" : "A" + std::to_string(k) + ":");
              }),
      MEOffset(0, 8,
               [this](int k) {
                 return std::make_unique<forms::MaskEdit>(this, "MEOffset" + std::to_string(k),
                                                          k == 0 ? "200" : "150");
               }),
      MEScale(0, 8,
              [this](int k) {
                return std::make_unique<forms::MaskEdit>(this, "MEScale" + std::to_string(k),
                                                         k == 0 ? "790" : "5325");
              }),
      AnalogCal(0, 8, [this](int k) {
        return std::make_unique<Label>(this, "AnalogCal" + std::to_string(k), "0.000");
      }) {
  AnalogPanel.SetColour(forms::Colour::Yellow);
}

}  // namespace qv
