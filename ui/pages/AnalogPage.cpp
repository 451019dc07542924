#include "app/HostProgram.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's analog calibration: fetching it, the factory password, and
// the way out of the tab.
void BuildAnalogPage(BuildContext& ctx, QWidget& page) {
  AnalogTab& f = ctx.host.Analog();
  FactoryPage(ctx.binder, page, f.BTGetAnalog, f.Label2, f.ALGPassword, nullptr, f.BTDoneWithAnalog);
}

}  // namespace qv::ui
