// Showing and hiding a factory tab from its menu item or its "Done" button.
#pragma once

#include "forms/Form.h"

namespace qv {

// Hides a shown tab (moving on to the next page) or shows and opens a hidden
// one, with the menu caption saying what the item will do next.
void ToggleFactoryTab(forms::PageControl& pages, forms::TabSheet& tab, forms::MenuItem& item,
                      const char* showCaption, const char* hideCaption);

}  // namespace qv
