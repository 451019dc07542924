#include "ui/dialogs/Dialogs.h"

#include <string_view>

#include "diagnostics/TestPortForm.h"
#include "link/LinkForms.h"
#include "stream/AnnotationForm.h"
#include "status/StatusForms.h"

namespace qv::ui {

namespace {

template <class F, FormDialog* (*Build)(BuildContext&, F&)>
FormDialog* As(BuildContext& ctx, forms::Form& form) {
  auto* typed = dynamic_cast<F*>(&form);
  return typed ? Build(ctx, *typed) : nullptr;
}

struct Entry {
  std::string_view name;
  FormDialog* (*build)(BuildContext&, forms::Form&);
};

const Entry kDialogs[] = {
    {"TConfigureHostPortForm", As<ConfigureHostPortForm, BuildHostPortDialog>},
    {"TRS422Form", As<RS422Form, BuildInterfaceDialog>},
    {"TStatsForm", As<StatsForm, BuildStatisticsWindow>},
    {"TForm2", As<WarningForm, BuildWarningWindow>},
    {"TMuxIDForm", As<MuxIDForm, BuildLoggerIdDialog>},
    {"TSleepForm", As<SleepForm, BuildSleepDialog>},
    {"TAnnotationForm", As<AnnotationForm, BuildAnnotationDialog>},
    {"TTestPortForm", As<TestPortForm, BuildTestPortDialog>},
};

}  // namespace

FormDialog* BuildDialog(BuildContext& ctx, forms::Form& form) {
  for (const Entry& e : kDialogs)
    if (e.name == form.Name())
      if (FormDialog* d = e.build(ctx, form)) return d;
  return BuildPlainDialog(ctx, form);
}

}  // namespace qv::ui
