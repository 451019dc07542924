// What every builder of a window, dialog or tab page gets: the program whose
// forms it shows, the binder that puts their controls on screen, and the
// main window that owns the dialogs.
#pragma once

class QWidget;

namespace qv {
class HostProgram;
}

namespace qv::ui {

class Binder;

struct BuildContext {
  HostProgram& host;
  Binder& binder;
  QWidget* owner;
};

}  // namespace qv::ui
