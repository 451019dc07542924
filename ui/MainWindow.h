// The main window: the main menu, the left column and the page control of
// the main form, the five timers, and the dialogs of the other forms.
#pragma once

#include <QMainWindow>
#include <string>
#include <utility>
#include <vector>

#include "ui/Binder.h"

class QTabWidget;

namespace qv {
class HostProgram;
}

namespace qv::ui {

class PlotWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(HostProgram& host);
  ~MainWindow() override;

  Binder& Bindings() { return binder_; }
  QTabWidget* Tabs() const { return tabs_; }
  // The dialogs in creation order, by form name.
  const std::vector<std::pair<std::string, QWidget*>>& Dialogs() const { return dialogs_; }
  QWidget* Dialog(const std::string& formName) const;
  // The eight plot windows, made at start and shown when their plot opens.
  const std::vector<PlotWindow*>& PlotWindows() const { return plotWindows_; }

 signals:
  // The operator closed the window by other means than the exit command.
  void closedByOperator();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  HostProgram& host_;
  // Declared first of the members that touch widgets: it detaches from the
  // models before any widget goes.
  Binder binder_;
  QTabWidget* tabs_ = nullptr;
  std::vector<std::pair<std::string, QWidget*>> dialogs_;
  std::vector<PlotWindow*> plotWindows_;
};

}  // namespace qv::ui
