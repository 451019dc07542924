// The dialog windows of the forms, each built by its own builder and found
// by the form's name; a form no builder knows gets a plain dialog that shows
// every control, so nothing of it is left off screen.
#pragma once

#include "forms/Form.h"
#include "ui/BuildContext.h"

namespace qv {
struct ConfigureHostPortForm;
struct RS422Form;
struct StatsForm;
struct SleepForm;
struct MuxIDForm;
struct WarningForm;
struct AnnotationForm;
struct TestPortForm;
}  // namespace qv

namespace qv::ui {

class FormDialog;

FormDialog* BuildDialog(BuildContext& ctx, forms::Form& form);

FormDialog* BuildHostPortDialog(BuildContext& ctx, ConfigureHostPortForm& form);
FormDialog* BuildInterfaceDialog(BuildContext& ctx, RS422Form& form);
FormDialog* BuildStatisticsWindow(BuildContext& ctx, StatsForm& form);
FormDialog* BuildSleepDialog(BuildContext& ctx, SleepForm& form);
FormDialog* BuildLoggerIdDialog(BuildContext& ctx, MuxIDForm& form);
FormDialog* BuildWarningWindow(BuildContext& ctx, WarningForm& form);
FormDialog* BuildAnnotationDialog(BuildContext& ctx, AnnotationForm& form);
FormDialog* BuildTestPortDialog(BuildContext& ctx, TestPortForm& form);
FormDialog* BuildPlainDialog(BuildContext& ctx, forms::Form& form);

}  // namespace qv::ui
