// The host's display modes: which tabs, menu commands and setup choices the
// operator sees for a way of working (profiling, moored, real-time, analog
// output, or everything for the advanced user), the menu commands that show
// and hide single tabs, and the page control's size in the main window.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "forms/Form.h"

namespace qv {

class LoggerSetup;

inline constexpr int kDisplayModeNone = -1;
inline constexpr int kDisplayModeAnalog = 1;
inline constexpr int kDisplayModeMoored = 2;
inline constexpr int kDisplayModeProfile = 3;
inline constexpr int kDisplayModeRealTimeOutput = 4;
inline constexpr int kDisplayModeAdvanced = 5;
inline constexpr int kDisplayModeNsq3 = 6;
inline constexpr int kDisplayModePx5PassThru = 7;

// The main window's controls that the modes lay out.
struct ModeLayout {
  forms::Window& window;
  forms::PageControl& pages;
  forms::TabSheet& TSPortSetup;
  forms::TabSheet& TSLoggerControl;
  forms::TabSheet& TSDataStatus;
  forms::TabSheet& TSUpload;
  forms::TabSheet& TSRealTime;
  forms::TabSheet& TSRecord;
  forms::TabSheet& TSAuxIn;
  forms::TabSheet& TSPlotSetup;
  forms::TabSheet& TSHardware;
  forms::TabSheet& TSAnalog;

  // "Modes"
  forms::MenuItem& Menupx5PassThru;
  forms::MenuItem& MenuMoored;
  forms::MenuItem& MenuProfile;
  forms::MenuItem& MenuRealTimeOutput;
  forms::MenuItem& MenuAnalog;
  forms::MenuItem& MenuAdvanced;
  forms::MenuItem& MenuNSQ3;
  // "Commands" and "COM_Ports"
  forms::MenuItem& MenuAnnotateFile;
  forms::MenuItem& MenuLoggerTimeUpdate;
  forms::MenuItem& MenuAutoTimeUpdate;
  forms::MenuItem& MenuUpdateTimeNow;
  forms::MenuItem& MenuAdvancedSettings;
  forms::MenuItem& MenuMooredTimeUpdate;
  forms::MenuItem& MenuChangeLoggerID;
  forms::MenuItem& MenuAuxInSetup;
  forms::MenuItem& ConfigureSurfacePorts;
  forms::MenuItem& MenuLoggerPortSetup;
  // "Logger_Tabs"
  forms::MenuItem& MenuLoggerTabs;
  forms::MenuItem& MenuDisplaylLoggerTabs;
  forms::MenuItem& MenuHideLoggerTabs;
  forms::MenuItem& MenuPortSetup;
  forms::MenuItem& MenuLoggerControl;
  forms::MenuItem& MenuDataStatus;
  forms::MenuItem& MenuUpload;
  // "Real_Time_Tabs"
  forms::MenuItem& MenuRealTimeTabs;
  forms::MenuItem& DisplayAllHostTabs1;
  forms::MenuItem& HideAllRealTimeTabs;
  forms::MenuItem& MenuAuxIn;
  forms::MenuItem& MenuPlotSetup;
  forms::MenuItem& MenuRecord;
  forms::MenuItem& MenuRealTime;
  forms::MenuItem& MenuReplay;
};

class DisplayModes {
 public:
  struct Wiring {
    ModeLayout layout;
    LoggerSetup& setup;
    // The Record tab's replay controls, hidden by every mode.
    std::vector<forms::Control*> replayControls;
    std::function<bool()> recordingRunning;     // a recording or replay is on
    std::function<void()> closePcLoggerPorts;   // every PC Logger port "OFF"
    std::function<void()> clearNoDataNoticeGiven;  // moored: one no-data notice again
  };

  // Binds the mode, tab and resize handlers.
  explicit DisplayModes(Wiring wiring);
  DisplayModes(const DisplayModes&) = delete;
  DisplayModes& operator=(const DisplayModes&) = delete;

  // The mode in force (-1 none, 1..7) and the one a "Modes" item asks for
  // (0 none); the host configuration restores the first.
  std::int16_t DisplayMode = kDisplayModeNone;
  std::int16_t RequestedDisplayMode = kDisplayModeNone;

  // Applies RequestedDisplayMode and consumes it.
  void SetupDisplayMode();

  // The "Modes" items: each asks for its mode, marks the setup not current
  // (a mode rewrites setup choices) and applies it.
  void MenuAnalogClick() { Request(kDisplayModeAnalog); }
  void MenuMooredClick() { Request(kDisplayModeMoored); }
  void MenuProfileClick() { Request(kDisplayModeProfile); }
  void MenuRealTimeOutputClick() { Request(kDisplayModeRealTimeOutput); }
  void MenuIFeelLuckyClick() { Request(kDisplayModeAdvanced); }
  void MenuNSQ3Click() { Request(kDisplayModeNsq3); }
  void Menupx5PassThruClick() { Request(kDisplayModePx5PassThru); }

  // Each tab's menu item carries the tab's visibility as its check mark;
  // during a recording the Record tab stays.
  void ApplyTabMenus();
  // The tab toggles: the item's check mark inverted, then the tabs follow.
  void ToggleTab(forms::MenuItem& item);
  void MenuDisplaylLoggerTabsClick();
  void MenuHideLoggerTabsClick();
  void DisplayAllHostTabs1Click();
  void HideAllRealTimeTabsClick();
  void ShowTab(bool show, forms::TabSheet& tab, forms::MenuItem& item);
  void MooredTimeUpdatesClick();
  // The main window's OnResize: the page control fills the window but for
  // the left column and the margins.
  void FormResize();

  // The window's controls the modes lay out, for the host configuration.
  ModeLayout& Layout() { return w_.layout; }

  // Refreshes the once-per-hour headings for the mode in force: moored and
  // advanced users always see the column.
  void ShowOncePerHourColumnForMode();

 private:
  void Bind();
  void Request(int mode);
  void ApplyModeLayout(int mode);
  void ApplyMenuItems(int column);
  void ShowOncePerHourColumnForModeOf(int mode);

  Wiring w_;
};

}  // namespace qv
