#include "app/HostProgram.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's factory hardware configuration: fetching it, the factory
// password with the command it guards, and the way out of the tab.
void BuildHardwarePage(BuildContext& ctx, QWidget& page) {
  HardwareTab& f = ctx.host.Hardware();
  FactoryPage(ctx.binder, page, f.BTGetHardware, f.Labelxx, f.HWPassword, &f.BTKR7Defaults,
              f.BTDoneWithHardware);
}

}  // namespace qv::ui
