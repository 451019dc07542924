// A plain arrangement of a form's controls, for forms whose own window or
// page builder is not written yet: nothing the program shows is left off
// screen meanwhile.
#pragma once

#include "forms/Form.h"

class QWidget;

namespace qv::ui {

class Binder;

// Puts every control of the form that has no widget yet into a grid on
// `into` (which must have no layout yet): a label beside the control it
// names, everything else on a row of its own, in declaration order. Menus
// and windows are left to the caller.
void LayOutPlainly(Binder& binder, forms::Form& form, QWidget& into);

}  // namespace qv::ui
