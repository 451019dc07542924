// The main menu's items that the display modes show, hide and check, for
// tests that compare what a mode or a configuration leaves of them.
#pragma once

#include <vector>

#include "setup/DisplayModes.h"

namespace qv {

inline std::vector<forms::MenuItem*> LayoutItems(ModeLayout& l) {
  return {&l.Menupx5PassThru,     &l.MenuAnnotateFile,     &l.MenuLoggerTimeUpdate,
          &l.MenuAutoTimeUpdate,  &l.MenuUpdateTimeNow,    &l.MenuAdvancedSettings,
          &l.MenuChangeLoggerID,  &l.MenuMooredTimeUpdate, &l.MenuAuxInSetup,
          &l.MenuLoggerPortSetup, &l.MenuLoggerTabs,       &l.MenuPortSetup,
          &l.MenuLoggerControl,   &l.MenuDataStatus,       &l.MenuUpload,
          &l.MenuRealTimeTabs,    &l.MenuAuxIn,            &l.MenuPlotSetup,
          &l.MenuRecord,          &l.MenuRealTime,         &l.MenuReplay};
}

}  // namespace qv
