#include "setup/DisplayModes.h"

#include <initializer_list>

#include "setup/LoggerSetup.h"

namespace qv {

using forms::Control;
using forms::MenuItem;

namespace {

// The six modes that lay the window out, in the order of the tables' columns.
constexpr int kLaidOutModes[] = {kDisplayModeNone,    kDisplayModeAnalog,
                                 kDisplayModeMoored,  kDisplayModeProfile,
                                 kDisplayModeRealTimeOutput, kDisplayModeAdvanced};

int ColumnOf(int mode) {
  for (int c = 0; c < 6; ++c)
    if (kLaidOutModes[c] == mode) return c;
  return -1;
}

// A menu item in each mode: "V" shown, "H" hidden, "-" left as it is; a
// second letter "c" checked, "u" unchecked, none left as it is.
struct MenuRow {
  MenuItem& (*item)(ModeLayout&);
  const char* cell[6];
};

#define QV_ITEM(name) [](ModeLayout& l) -> MenuItem& { return l.name; }
const MenuRow kMenuRows[] = {
    //                                   -1    1     2     3     4     5
    {QV_ITEM(Menupx5PassThru),        {"H",  "H",  "H",  "H",  "H",  "H"}},
    {QV_ITEM(MenuAnnotateFile),       {"H",  "H",  "H",  "H",  "V",  "V"}},
    {QV_ITEM(MenuLoggerTimeUpdate),   {"H",  "H",  "V",  "V",  "V",  "V"}},
    {QV_ITEM(MenuAutoTimeUpdate),     {"Hu", "Hu", "Vu", "Vc", "Vc", "Vc"}},
    {QV_ITEM(MenuUpdateTimeNow),      {"H",  "H",  "V",  "V",  "V",  "V"}},
    {QV_ITEM(MenuAdvancedSettings),   {"H",  "-",  "-",  "-",  "-",  "-"}},
    {QV_ITEM(MenuChangeLoggerID),     {"H",  "H",  "H",  "H",  "V",  "V"}},
    {QV_ITEM(MenuMooredTimeUpdate),   {"H",  "H",  "Hu", "H",  "H",  "H"}},
    {QV_ITEM(MenuAuxInSetup),         {"H",  "H",  "H",  "H",  "V",  "V"}},
    {QV_ITEM(MenuLoggerPortSetup),    {"H",  "V",  "V",  "V",  "V",  "V"}},
    {QV_ITEM(MenuLoggerTabs),         {"H",  "V",  "V",  "V",  "V",  "V"}},
    {QV_ITEM(MenuPortSetup),          {"Hu", "Vc", "Vc", "Vc", "Vc", "Vc"}},
    {QV_ITEM(MenuLoggerControl),      {"Hu", "Vc", "Vc", "Vc", "Vc", "Vc"}},
    {QV_ITEM(MenuDataStatus),         {"Hu", "Hu", "Vc", "Vc", "Vc", "Vc"}},
    {QV_ITEM(MenuUpload),             {"Hu", "Hu", "Vc", "Vc", "Hu", "Vc"}},
    {QV_ITEM(MenuRealTimeTabs),       {"H",  "V",  "H",  "H",  "V",  "V"}},
    {QV_ITEM(MenuAuxIn),              {"Hu", "Hu", "Hu", "Hu", "Vc", "Vc"}},
    // Advanced User shows everything, the plot setup command included.
    {QV_ITEM(MenuPlotSetup),          {"Hu", "Hu", "Hu", "Hu", "Vu", "Vu"}},
    {QV_ITEM(MenuRecord),             {"Hu", "Hu", "Hu", "Hu", "Vc", "Vc"}},
    {QV_ITEM(MenuRealTime),           {"Hu", "Vc", "Hu", "Hu", "Vc", "Vc"}},
    {QV_ITEM(MenuReplay),             {"Hu", "Hu", "Hu", "Hu", "-u", "-u"}},
};
#undef QV_ITEM

// The setup choices each mode presets: the item of each list, whether the
// lists and their labels are shown, and "Start Sample When Powered".
struct SetupRow {
  int modeItem;
  int fileItem;
  int outputItem;
  bool listsShown;
  bool autoStart;
};
const SetupRow kSetupRows[] = {
    {0, 0, 0, false, false},  // -1 none
    {3, 0, 3, false, true},   // 1 "Analog Mode", "No Data Storage", "Analog Data"
    {1, 1, 0, false, false},  // 2 "Moored Mode", "QV Archive Files", "Status"
    {0, 1, 0, false, false},  // 3 "Profile Mode"
    {2, 0, 1, false, false},  // 4 "Real Time Mode", "Real Time Data + Status"
    {2, 0, 1, true, false},   // 5 the advanced user chooses freely
};

// The page control's margins to the window's right and bottom edges.
constexpr int kRightMargin = 12;
constexpr int kBottomMargin = 70;

}  // namespace

DisplayModes::DisplayModes(Wiring wiring) : w_(std::move(wiring)) { Bind(); }

void DisplayModes::Bind() {
  ModeLayout& l = w_.layout;
  auto on = [](MenuItem& item, std::function<void()> f) {
    item.OnClick = [f = std::move(f)](Control&) { f(); };
  };
  on(l.MenuAnalog, [this] { MenuAnalogClick(); });
  on(l.MenuMoored, [this] { MenuMooredClick(); });
  on(l.MenuProfile, [this] { MenuProfileClick(); });
  on(l.MenuRealTimeOutput, [this] { MenuRealTimeOutputClick(); });
  on(l.MenuAdvanced, [this] { MenuIFeelLuckyClick(); });
  on(l.MenuNSQ3, [this] { MenuNSQ3Click(); });
  on(l.Menupx5PassThru, [this] { Menupx5PassThruClick(); });
  for (MenuItem* toggle : {&l.MenuPortSetup, &l.MenuLoggerControl, &l.MenuDataStatus, &l.MenuUpload,
                           &l.MenuAuxIn, &l.MenuPlotSetup, &l.MenuRecord, &l.MenuRealTime})
    toggle->OnClick = [this](Control& sender) { ToggleTab(static_cast<MenuItem&>(sender)); };
  on(l.MenuDisplaylLoggerTabs, [this] { MenuDisplaylLoggerTabsClick(); });
  on(l.MenuHideLoggerTabs, [this] { MenuHideLoggerTabsClick(); });
  on(l.DisplayAllHostTabs1, [this] { DisplayAllHostTabs1Click(); });
  on(l.HideAllRealTimeTabs, [this] { HideAllRealTimeTabsClick(); });
  on(l.MenuMooredTimeUpdate, [this] { MooredTimeUpdatesClick(); });
  l.window.OnResize = [this](Control&) { FormResize(); };
  FormResize();
}

void DisplayModes::Request(int mode) {
  RequestedDisplayMode = static_cast<std::int16_t>(mode);
  w_.setup.SetSetupCurrent(false);
  SetupDisplayMode();
}

void DisplayModes::SetupDisplayMode() {
  const int request = RequestedDisplayMode;
  if (ColumnOf(request) >= 0) ApplyModeLayout(request);
  ShowOncePerHourColumnForModeOf(request);
  DisplayMode = static_cast<std::int16_t>(request);
  RequestedDisplayMode = 0;
  ApplyTabMenus();
  LoggerControlTab& lc = w_.setup.loggerControl;
  w_.setup.ShowHostMode();
  w_.setup.ShowSampleInterval(lc.ModeCB.ItemIndex() == 1);
}

void DisplayModes::ApplyModeLayout(int mode) {
  if (mode == kDisplayModeNone || mode == kDisplayModeAnalog || mode == kDisplayModeMoored ||
      mode == kDisplayModeProfile) {
    if (w_.closePcLoggerPorts) w_.closePcLoggerPorts();
  }
  if (mode == kDisplayModeMoored && w_.clearNoDataNoticeGiven) w_.clearNoDataNoticeGiven();

  const int column = ColumnOf(mode);
  const SetupRow& row = kSetupRows[column];
  LoggerControlTab& lc = w_.setup.loggerControl;
  const std::pair<forms::ComboBox*, forms::Label*> lists[] = {
      {&lc.ModeCB, &lc.ModeLB}, {&lc.FileCB, &lc.FileLB}, {&lc.OutputCB, &lc.OutputLB}};
  const int items[] = {row.modeItem, row.fileItem, row.outputItem};
  for (int i = 0; i < 3; ++i) {
    lists[i].first->SetItemIndex(items[i]);
    lists[i].first->SetVisible(row.listsShown);
    lists[i].second->SetVisible(row.listsShown);
  }
  lc.TimeSourceCB.SetItemIndex(0);
  lc.TimeSourceCB.SetVisible(false);
  lc.TimeSourceLB.SetVisible(false);
  lc.CBAutoStart.SetVisible(true);
  lc.CBAutoStart.SetChecked(row.autoStart);

  for (Control* c : w_.replayControls) c->SetVisible(false);
  w_.layout.TSHardware.SetVisible(false);
  w_.layout.TSAnalog.SetVisible(false);
  ApplyMenuItems(column);
}

void DisplayModes::ApplyMenuItems(int column) {
  for (const MenuRow& row : kMenuRows) {
    MenuItem& item = row.item(w_.layout);
    const char* cell = row.cell[column];
    if (cell[0] == 'V') item.SetVisible(true);
    if (cell[0] == 'H') item.SetVisible(false);
    if (cell[1] == 'c') item.SetChecked(true);
    if (cell[1] == 'u') item.SetChecked(false);
  }
}

void DisplayModes::ShowOncePerHourColumnForMode() { ShowOncePerHourColumnForModeOf(DisplayMode); }

void DisplayModes::ShowOncePerHourColumnForModeOf(int mode) {
  w_.setup.ShowOncePerHourColumn(mode == kDisplayModeMoored || mode == kDisplayModeAdvanced);
}

void DisplayModes::ApplyTabMenus() {
  ModeLayout& l = w_.layout;
  if (w_.recordingRunning && w_.recordingRunning()) l.MenuRecord.SetChecked(true);
  const std::pair<forms::TabSheet*, MenuItem*> tabs[] = {
      {&l.TSPortSetup, &l.MenuPortSetup}, {&l.TSLoggerControl, &l.MenuLoggerControl},
      {&l.TSDataStatus, &l.MenuDataStatus}, {&l.TSUpload, &l.MenuUpload},
      {&l.TSPlotSetup, &l.MenuPlotSetup}, {&l.TSRecord, &l.MenuRecord},
      {&l.TSRealTime, &l.MenuRealTime},   {&l.TSAuxIn, &l.MenuAuxIn}};
  for (const auto& [tab, item] : tabs) tab->SetVisible(item->Checked());
}

void DisplayModes::ToggleTab(MenuItem& item) {
  item.SetChecked(!item.Checked());
  ApplyTabMenus();
}

void DisplayModes::MenuDisplaylLoggerTabsClick() {
  ModeLayout& l = w_.layout;
  for (MenuItem* item : {&l.MenuUpload, &l.MenuLoggerControl, &l.MenuPortSetup, &l.MenuDataStatus})
    if (item->Visible()) item->SetChecked(true);
  ApplyTabMenus();
}

void DisplayModes::MenuHideLoggerTabsClick() {
  ModeLayout& l = w_.layout;
  for (MenuItem* item : {&l.MenuUpload, &l.MenuLoggerControl, &l.MenuPortSetup, &l.MenuDataStatus})
    item->SetChecked(false);
  ApplyTabMenus();
}

// Not the Plot Setup tab: it has its own command.
void DisplayModes::DisplayAllHostTabs1Click() {
  ModeLayout& l = w_.layout;
  for (MenuItem* item : {&l.MenuAuxIn, &l.MenuRecord, &l.MenuRealTime})
    if (item->Visible()) item->SetChecked(true);
  ApplyTabMenus();
}

void DisplayModes::HideAllRealTimeTabsClick() {
  ModeLayout& l = w_.layout;
  for (MenuItem* item : {&l.MenuAuxIn, &l.MenuPlotSetup, &l.MenuRecord, &l.MenuRealTime})
    item->SetChecked(false);
  l.ConfigureSurfacePorts.SetCaption("Configure Surface Ports");
  ApplyTabMenus();
}

void DisplayModes::ShowTab(bool show, forms::TabSheet& tab, MenuItem& item) {
  tab.SetVisible(show);
  item.SetChecked(show);
  ApplyTabMenus();
  if (show) w_.layout.pages.SetActivePage(&tab);
}

void DisplayModes::MooredTimeUpdatesClick() {
  ModeLayout& l = w_.layout;
  l.MenuMooredTimeUpdate.SetChecked(!l.MenuMooredTimeUpdate.Checked());
  LoggerControlTab& lc = w_.setup.loggerControl;
  lc.TimeSourceLB.SetVisible(l.MenuMooredTimeUpdate.Checked());
  lc.TimeSourceCB.SetVisible(l.MenuMooredTimeUpdate.Checked());
  ShowTab(true, l.TSLoggerControl, l.MenuLoggerControl);
}

void DisplayModes::FormResize() {
  forms::PageControl& pages = w_.layout.pages;
  const forms::Window& window = w_.layout.window;
  forms::Bounds b = pages.GetBounds();
  b.width = window.Width() - b.left - kRightMargin;
  b.height = window.Height() - b.top - kBottomMargin;
  pages.SetBounds(b);
}

}  // namespace qv
