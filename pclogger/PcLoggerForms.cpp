#include "pclogger/PcLoggerForms.h"

#include "common/Format.h"
#include "link/LinkForms.h"

namespace qv {

std::vector<std::string> PortKindItems() { return {"In Active", "Meter Input", "Logger Output"}; }

std::vector<std::string> DeckPortItems() {
  std::vector<std::string> items{"OFF"};
  for (int com = 1; com <= 10; ++com) items.push_back(Format("COM%d", com));
  items.push_back("COM 11");
  items.push_back("COM 12");
  return items;
}

PcLoggerTab::PcLoggerTab() : Form("PcLoggerTab") {
  for (int n = 1; n <= 6; ++n) {
    LBDeckSlot[n].SetCaption(Format("Port %d", n));
    PortTypeCB[n].SetItems(PortKindItems());
    PortTypeCB[n].SetItemIndex(0);
    DeckPortCB[n].SetItems(DeckPortItems());
    DeckPortCB[n].SetItemIndex(0);
    DeckPortCB[n].SetDropDownCount(13);
    DeckSetupCB[n].SetItems(HostSettingItems());
    DeckSetupCB[n].SetItemIndex(0);
    DeckSetupCB[n].SetDropDownCount(12);
    LBInPort[n].SetCaption("ID 1");
    LBDeckType[n].SetCaption(Format("Output Logger ID=%d", UDDeckType[n].Position()));
    LBOutPort[n].SetCaption(Format("Port=%d", UDOutPort[n].Position()));
  }
  PCLoggerPanel.SetColour(forms::Colour::Yellow);
  PCLoggerPanel.SetVisible(false);
}

}  // namespace qv
