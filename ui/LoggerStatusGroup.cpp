#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/LeftColumn.h"
#include "ui/PlainLayout.h"

namespace qv::ui {

// The status panel's controls inside the logger status group.
void BuildLoggerStatusGroup(BuildContext& ctx, QWidget& group) {
  forms::Form& content = ctx.host.LoggerStatusContent();
  if (!ctx.binder.Claimed(content)) LayOutPlainly(ctx.binder, content, group);
}

}  // namespace qv::ui
