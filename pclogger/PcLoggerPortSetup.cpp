#include "pclogger/PcLoggerPortSetup.h"

#include <algorithm>
#include <initializer_list>

#include "common/Format.h"
#include "link/SerialPortService.h"

namespace qv {

using forms::Control;

namespace {

constexpr int kSettingOff = 0;
constexpr int kSetting9600 = 6;

// The sample interval of a rate list position and the position it settles
// on; positions between the used ones step on in the click's direction.
struct RateStep {
  int intervalMs;
  int position;
};

RateStep RateOf(int position, bool up) {
  switch (position) {
    case 1: return {990, 1};
    case 2: return {495, 2};
    case 3: return {330, 3};
    case 4: return {275, 4};
    case 5: return up ? RateStep{165, 6} : RateStep{275, 4};
    case 6: return {165, 6};
    case 7:
    case 8: return up ? RateStep{110, 9} : RateStep{165, 6};
    case 9: return {110, 9};
    case 10:
    case 17: return up ? RateStep{55, 18} : RateStep{110, 9};
    case 18: return {55, 18};
    default: return {495, 2};
  }
}

}  // namespace

PcLoggerPortSetup::PcLoggerPortSetup(Wiring wiring) : w_(wiring) { Bind(); }

void PcLoggerPortSetup::Bind() {
  forms::Handler layOut = [this](Control&) { PortType1CBChange(); };
  for (int n = 1; n <= 6; ++n) {
    tab.PortTypeCB[n].OnChange = layOut;
    tab.UDDeckType[n].OnClick = [this](Control& c) { UDDeckType1Click(c); };
    tab.UDOutPort[n].OnClick = [this](Control& c) { UDOutPort1Click(c); };
  }
  for (int n = 2; n <= 6; ++n) {
    tab.DeckPortCB[n].OnChange = layOut;
    tab.DeckSetupCB[n].OnChange = layOut;
  }
  tab.DeckPortCB[1].OnChange = [this](Control&) { DeckPort1CBChange(); };
  tab.DeckSetupCB[1].OnChange = [this](Control&) { DeckPort1CBChange(); };
  tab.BTLoadDeck.OnClick = [this](Control&) { BTLoadDeckClick(); };
  tab.BTRestoreDeck.OnClick = [this](Control&) { BTRestoreDeckClick(); };
  tab.UDDeckRate.OnClick = [this](Control&) { UDDeckRateClick(); };
  w_.configureSurfacePorts.OnClick = [this](Control&) { ConfigureSurfacePortsClick(); };
  w_.closeAllSurfacePorts.OnClick = [this](Control&) { CloseAllSurfacePortsClick(); };
}

void PcLoggerPortSetup::StartUp() {
  for (int n = 1; n <= 6; ++n) tab.DeckSetupCB[n].SetItemIndex(kSetting9600);
  LayOutSlots();
}

void PcLoggerPortSetup::LayOutSlot(int n) {
  const int kind = tab.PortTypeCB[n].ItemIndex();
  const bool inActive = kind == kPortKindInActive;
  const bool output = kind == kPortKindLoggerOutput;
  tab.DeckPortCB[n].SetVisible(!inActive);
  tab.DeckSetupCB[n].SetVisible(!inActive);
  if (inActive) tab.DeckSetupCB[n].SetItemIndex(kSettingOff);
  tab.LBInPort[n].SetVisible(kind == kPortKindMeterInput);
  for (Control* c : std::initializer_list<Control*>{&tab.UDDeckType[n], &tab.LBDeckType[n],
                                                    &tab.UDOutPort[n], &tab.LBOutPort[n]})
    c->SetVisible(output);
  if (output) {
    tab.LBDeckType[n].SetCaption(Format("Output Logger ID=%1d", tab.UDDeckType[n].Position()));
    tab.LBOutPort[n].SetCaption(Format("Port=%1d", tab.UDOutPort[n].Position()));
  }
}

void PcLoggerPortSetup::LayOutSlots() {
  bool inputs = false;
  bool outputs = false;
  for (int n = 1; n <= 6; ++n) {
    LayOutSlot(n);
    inputs = inputs || tab.LBInPort[n].Visible();
    outputs = outputs || tab.LBOutPort[n].Visible();
  }
  tab.LBInPortHdr.SetVisible(inputs);
  tab.LBOutPortHdr.SetVisible(outputs);
}

void PcLoggerPortSetup::ApplySlot(int n) {
  w_.ports.SelectPortFromList(n, tab.DeckPortCB[n].ItemIndex());
  forms::ComboBox& setting = tab.DeckSetupCB[n];
  setting.SetItemIndex(w_.ports.SelectSettingFromList(n, setting.ItemIndex()));
  PcPortSlot& slot = w_.pcSlots[n];
  slot.PortKind = tab.PortTypeCB[n].ItemIndex();
  slot.OutputLoggerId = tab.UDDeckType[n].Position();
  slot.OutputPort = tab.UDOutPort[n].Position();
  loaded_[n] = {slot.PortKind, slot.OutputLoggerId, slot.OutputPort, tab.DeckPortCB[n].ItemIndex(),
                setting.ItemIndex()};
}

void PcLoggerPortSetup::ApplySlots() {
  for (int n = 1; n <= 6; ++n) ApplySlot(n);
  tab.PCLoggerPanel.SetVisible(false);
}

void PcLoggerPortSetup::ClosePcLoggerPorts() {
  for (int n = 1; n <= 6; ++n) {
    tab.DeckPortCB[n].SetItemIndex(0);
    w_.ports.SelectPortFromList(n, 0);
    tab.DeckSetupCB[n].SetItemIndex(kSetting9600);
  }
}

void PcLoggerPortSetup::PortType1CBChange() {
  ShowNotLoaded();
  LayOutSlots();
}

int PcLoggerPortSetup::SlotOf(const forms::Family<forms::UpDown>& family, const Control& sender) {
  for (int n = family.First(); n <= family.Last(); ++n)
    if (&family[n] == &sender) return n;
  return 0;
}

void PcLoggerPortSetup::UDDeckType1Click(Control& sender) {
  ShowNotLoaded();
  if (int n = SlotOf(tab.UDDeckType, sender))
    tab.LBDeckType[n].SetCaption(Format("Output Logger ID=%d", tab.UDDeckType[n].Position()));
}

void PcLoggerPortSetup::UDOutPort1Click(Control& sender) {
  ShowNotLoaded();
  if (int n = SlotOf(tab.UDOutPort, sender))
    tab.LBOutPort[n].SetCaption(Format("Port=%d", tab.UDOutPort[n].Position()));
}

// The lists go back to what was last loaded; the ports and the slot table
// already are as loaded, so nothing is opened, closed or re-routed.
void PcLoggerPortSetup::BTRestoreDeckClick() {
  ShowNotLoaded();
  for (int n = 1; n <= 6; ++n) {
    const LoadedSlot& l = loaded_[n];
    tab.PortTypeCB[n].SetItemIndex(l.kind);
    tab.UDDeckType[n].SetPosition(l.outputLoggerId);
    tab.UDOutPort[n].SetPosition(l.outputPort);
    tab.DeckPortCB[n].SetItemIndex(l.comIndex);
    tab.DeckSetupCB[n].SetItemIndex(l.settingIndex);
  }
  LayOutSlots();
}

void PcLoggerPortSetup::UDDeckRateClick() {
  forms::UpDown& rate = tab.UDDeckRate;
  const RateStep step = RateOf(rate.Position(), rate.Position() > lastRatePosition_);
  intervalMs_ = step.intervalMs;
  rate.SetPosition(step.position);
  tab.LBDeckRate.SetCaption(Format("Sample Rate: %4.1f Hz", 1000.0 / intervalMs_));
  lastRatePosition_ = rate.Position();
}

void PcLoggerPortSetup::CloseAllSurfacePortsClick() {
  for (int n = 1; n <= 6; ++n) {
    tab.PortTypeCB[n].SetItemIndex(kPortKindInActive);
    PortType1CBChange();
  }
}

void PcLoggerPortSetup::ConfigureSurfacePortsClick() {
  if (w_.tsAuxIn.Visible()) {
    w_.tsAuxIn.SetVisible(false);
    w_.configureSurfacePorts.SetCaption("Configure Surface Ports");
    if (w_.pages.ActivePage() == &w_.tsAuxIn) w_.pages.SetActivePage(&w_.tsPortSetup);
    return;
  }
  w_.tsAuxIn.SetVisible(true);
  w_.configureSurfacePorts.SetCaption("Hide Surface Ports Tab");
  w_.pages.SetActivePage(&w_.tsAuxIn);
}

void PcLoggerPortSetup::ShowSampleInterval() {
  tab.LBDeckTimer.SetCaption(
      Format("Sample Interval: %4.0f ms", 1000.0 / std::max(1, tab.UDDeckRate.Position())));
}

void PcLoggerPortSetup::ShowPcPortLines(forms::Label& heading,
                                        forms::Family<forms::Label>& lines) {
  std::array<int, kLastPcPortSlot + 1> bytesIn{};
  for (int n = kFirstPcPortSlot; n <= kLastPcPortSlot; ++n) {
    bytesIn[static_cast<std::size_t>(n)] = w_.pcSlots[n].SlotBytesIn;
    w_.pcSlots[n].SlotBytesIn = 0;
  }
  bool anyOpen = false;
  for (int n = kFirstPcPortSlot; n <= kLastPcPortSlot; ++n) {
    const bool open = w_.ports.IsPortSlotOpen(n);
    lines[n].SetVisible(open);
    anyOpen = anyOpen || open;
  }
  heading.SetVisible(anyOpen);
  for (int n = kFirstPcPortSlot; n <= kLastPcPortSlot; ++n) {
    const PcPortSlot& slot = w_.pcSlots[n];
    if (slot.PortKind == kPortKindLoggerOutput)
      lines[n].SetCaption(Format("Port %d:  Out %4d", n, slot.SlotBytesOut));
    else if (slot.PortKind == kPortKindMeterInput)
      lines[n].SetCaption(Format("Port %d:  In  %4d", n, bytesIn[static_cast<std::size_t>(n)]));
    else
      lines[n].SetCaption(Format("Port %d:  Programming Error", n));
  }
  for (int n = 0; n < PcPortSlots::kSlots; ++n) w_.pcSlots[n].SlotBytesOut = 0;
}

}  // namespace qv
