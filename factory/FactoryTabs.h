// Showing and hiding a factory tab from its menu item or its "Done" button.
#pragma once

#include <string>

#include "common/Prompter.h"
#include "forms/Form.h"

namespace qv {

// Hides a shown tab (moving on to the next page) or shows and opens a hidden
// one, with the menu caption saying what the item will do next.
void ToggleFactoryTab(forms::PageControl& pages, forms::TabSheet& tab, forms::MenuItem& item,
                      const char* showCaption, const char* hideCaption);

// Before a record that may not be the logger's is saved: the warning beep
// and "**** Warning ****" with OK/Cancel; true on OK. `record` names it
// ("Hardware Configuration", "Analog Calibration").
bool SaveNotCurrentRecordAnyway(Prompter& prompter, const std::string& record);

}  // namespace qv
