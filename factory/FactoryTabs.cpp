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

bool SaveNotCurrentRecordAnyway(Prompter& prompter, const std::string& record) {
  prompter.Sound(Beep::Warning);
  return prompter.Ask("**** Warning ****",
                      "The " + record + " shown on the Host Program may not match the " + record +
                          " in the Data Logger.\n\nDo you still want to save the displayed " +
                          record + "?",
                      Buttons::OkCancel, Icon::Exclamation) == Answer::Ok;
}

}  // namespace qv
