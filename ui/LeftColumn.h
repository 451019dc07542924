// The main window's left column, seen from every tab: host status, the
// "not current" and bad-flash panels, and the logger status group.
#pragma once

#include "ui/BuildContext.h"

namespace qv::ui {

QWidget* BuildLeftColumn(BuildContext& ctx, QWidget* parent);

// The inside of the logger status group (clock, voltages, operation state).
void BuildLoggerStatusGroup(BuildContext& ctx, QWidget& group);

}  // namespace qv::ui
