// The PC Logger's port setup: the six slots of the PC-Logger tab laid out by
// their kind, applied to the port slots and the PC port slot table when the
// operator loads them (or the host configuration restores them), the last
// loaded setup to go back to, and the PC Logger's sample rate.
#pragma once

#include <array>

#include "forms/Form.h"
#include "pclogger/PcLoggerForms.h"
#include "stream/PcPortSlots.h"

namespace qv {

class SerialPortService;

class PcLoggerPortSetup {
 public:
  // What the port setup uses of the main window besides its own tab.
  struct Wiring {
    SerialPortService& ports;
    PcPortSlots& pcSlots;
    forms::PageControl& pages;
    forms::TabSheet& tsAuxIn;      // the PC-Logger tab itself
    forms::TabSheet& tsPortSetup;  // where "Configure Surface Ports" goes when it hides the tab
    forms::MenuItem& configureSurfacePorts;  // "Configure Surface Ports"
    forms::MenuItem& closeAllSurfacePorts;   // "Close All Surface Ports"
  };

  explicit PcLoggerPortSetup(Wiring wiring);
  PcLoggerPortSetup(const PcLoggerPortSetup&) = delete;
  PcLoggerPortSetup& operator=(const PcLoggerPortSetup&) = delete;

  PcLoggerTab tab;

  // Start-up: every line list at "9600", the slots laid out.
  void StartUp();

  // Shows each slot's controls for its kind, then the column headings.
  void LayOutSlots();
  // Load New Setup: opens, closes and times each slot's port from its lists
  // and takes its kind and output choice into the PC port slot table.
  void ApplySlots();
  // The host configuration's step once it has set the controls.
  void ApplyRestoredSlots() {
    LayOutSlots();
    ApplySlots();
  }
  // The display modes without PC Logger: every slot's port "OFF" (closed)
  // and its line list at "9600".
  void ClosePcLoggerPorts();

  // Handlers, bound to the tab's controls and the two menu commands.
  void PortType1CBChange();
  void DeckPort1CBChange() { ShowNotLoaded(); }
  void UDDeckType1Click(forms::Control& sender);
  void UDOutPort1Click(forms::Control& sender);
  void BTLoadDeckClick() { ApplySlots(); }
  void BTRestoreDeckClick();
  void UDDeckRateClick();
  void CloseAllSurfacePortsClick();
  void ConfigureSurfacePortsClick();

  // The PC Logger's sample interval as the rate list last chose it.
  int PcLoggerIntervalMs() const { return intervalMs_; }

  // One-second tick: the nominal interval of the rate position in LBDeckTimer.
  void ShowSampleInterval();
  // One-second tick: the bytes each open slot took in or passed out in the
  // last second, on the Data Status tab's PC Logger lines, then counted afresh.
  void ShowPcPortLines(forms::Label& heading, forms::Family<forms::Label>& lines);

 private:
  // What Load New Setup last applied to a slot, for Restore Last Setup.
  struct LoadedSlot {
    int kind = kPortKindInActive;
    int outputLoggerId = 0;
    int outputPort = 0;
    int comIndex = 0;
    int settingIndex = 0;
  };

  void Bind();
  void LayOutSlot(int n);
  void ApplySlot(int n);
  void ShowNotLoaded() { tab.PCLoggerPanel.SetVisible(true); }
  static int SlotOf(const forms::Family<forms::UpDown>& family, const forms::Control& sender);

  Wiring w_;
  std::array<LoadedSlot, kLastPcPortSlot + 1> loaded_{};
  int intervalMs_ = 1000;  // until the rate list is first used
  int lastRatePosition_ = -1;
};

}  // namespace qv
