// The contents of the main window's ten tabs, one builder per tab. Each
// builder gets the tab's empty page and lays out the controls of the forms
// the tab shows.
#pragma once

#include "ui/BuildContext.h"

namespace qv::ui {

// Runs every tab's builder on its page.
void BuildPages(BuildContext& ctx);

void BuildPortSetupPage(BuildContext& ctx, QWidget& page);
void BuildLoggerControlPage(BuildContext& ctx, QWidget& page);
void BuildDataStatusPage(BuildContext& ctx, QWidget& page);
void BuildUploadPage(BuildContext& ctx, QWidget& page);
void BuildRealTimePage(BuildContext& ctx, QWidget& page);
void BuildRecordPage(BuildContext& ctx, QWidget& page);
void BuildPcLoggerPage(BuildContext& ctx, QWidget& page);
void BuildPlotSetupPage(BuildContext& ctx, QWidget& page);
void BuildHardwarePage(BuildContext& ctx, QWidget& page);
void BuildAnalogPage(BuildContext& ctx, QWidget& page);

}  // namespace qv::ui
