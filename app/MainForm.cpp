#include "app/MainForm.h"

namespace qv {

MainForm::MainForm() : Form("TForm1") {
  window.Show();
  window.SetSize(kDesignWidth, kDesignHeight);
  PageControl1.SetBounds({kPagesLeft, kPagesTop, 0, 0});
  for (MenuItem* hidden : {&MenuNSQ3, &MenuAdvancedSettings, &MenuMooredTimeUpdate, &MenuReplay,
                           &ShowHints})
    hidden->SetVisible(false);
  MenuAutoTimeUpdate.SetChecked(true);
  AutoBaudRateDetection.SetChecked(true);

  for (forms::TabSheet* tab : {&TSPortSetup, &TSLoggerControl, &TSDataStatus, &TSUpload,
                               &TSRealTime, &TSRecord, &TSAuxIn, &TSPlotSetup, &TSHardware,
                               &TSAnalog})
    PageControl1.AddPage(*tab);
  // Each tab's menu item carries the tab's visibility as its check mark.
  for (MenuItem* item : {&MenuPortSetup, &MenuLoggerControl, &MenuDataStatus, &MenuUpload,
                         &MenuRecord, &MenuRealTime, &MenuAuxIn})
    item->SetChecked(true);
  TSPlotSetup.SetVisible(false);
  TSHardware.SetVisible(false);
  TSAnalog.SetVisible(false);
  PageControl1.SetActivePage(&TSPortSetup);

  PStore.SetVisible(false);
  PStore.SetColour(forms::Colour::Yellow);
  FlashPanel.SetVisible(false);
  FlashPanel.SetColour(forms::Colour::Red);
  GBLoggerStatus.SetVisible(false);
}

}  // namespace qv
