#include "ui/pages/Pages.h"

#include <QWidget>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/PlainLayout.h"

namespace qv::ui {

void BuildPages(BuildContext& ctx) {
  using Builder = void (*)(BuildContext&, QWidget&);
  MainForm& m = ctx.host.Main();
  const std::pair<forms::TabSheet*, Builder> pages[] = {
      {&m.TSPortSetup, BuildPortSetupPage},   {&m.TSLoggerControl, BuildLoggerControlPage},
      {&m.TSDataStatus, BuildDataStatusPage}, {&m.TSUpload, BuildUploadPage},
      {&m.TSRealTime, BuildRealTimePage},     {&m.TSRecord, BuildRecordPage},
      {&m.TSAuxIn, BuildPcLoggerPage},        {&m.TSPlotSetup, BuildPlotSetupPage},
      {&m.TSHardware, BuildHardwarePage},     {&m.TSAnalog, BuildAnalogPage},
  };
  for (const auto& [sheet, build] : pages)
    if (QWidget* page = ctx.binder.Page(*sheet)) build(ctx, *page);

  // A tab's form that its builder does not lay out yet is shown plainly.
  for (const HostProgram::TabContent& content : ctx.host.TabContents()) {
    QWidget* page = ctx.binder.Page(*content.tab);
    if (page && content.form && !ctx.binder.Claimed(*content.form))
      LayOutPlainly(ctx.binder, *content.form, *page);
  }
}

}  // namespace qv::ui
