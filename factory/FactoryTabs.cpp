#include "factory/FactoryTabs.h"

namespace qv {

void ToggleFactoryTab(forms::PageControl& pages, forms::TabSheet& tab, forms::MenuItem& item,
                      const char* showCaption, const char* hideCaption) {
  if (!tab.Visible()) {
    tab.SetVisible(true);
    item.SetCaption(hideCaption);
    pages.SetActivePage(&tab);
    return;
  }
  item.SetCaption(showCaption);
  const auto& all = pages.Pages();
  forms::TabSheet* next = nullptr;
  bool after = false;
  for (int pass = 0; pass < 2 && !next; ++pass) {
    for (forms::TabSheet* page : all) {
      if (page == &tab) {
        after = true;
        continue;
      }
      if ((after || pass == 1) && page->Visible()) {
        next = page;
        break;
      }
    }
  }
  pages.SetActivePage(next);
  tab.SetVisible(false);
}

}  // namespace qv
