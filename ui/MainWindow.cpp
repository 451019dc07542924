#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QTabWidget>

#include "app/HostProgram.h"
#include "ui/LeftColumn.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/pages/Pages.h"
#include "ui/plot/PlotWindow.h"
#include "ui/widgets/FormDialog.h"

namespace qv::ui {

MainWindow::MainWindow(HostProgram& host) : host_(host) {
  MainForm& m = host.Main();
  BuildContext ctx{host, binder_, this};

  binder_.MakeMenus(m, *menuBar());

  auto* central = new QWidget(this);
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(10, 10, 10, 10);
  row->setSpacing(12);
  row->addWidget(BuildLeftColumn(ctx, central));
  tabs_ = binder_.Make(m.PageControl1, central);
  row->addWidget(tabs_, 1);
  setCentralWidget(central);
  BuildPages(ctx);

  // Dialogs in the order the program creates its windows; forms already
  // laid out on a tab page are not dialogs.
  for (forms::Form* form : host.Forms()) {
    if (form == &m || binder_.Claimed(*form)) continue;
    dialogs_.emplace_back(form->Name(), BuildDialog(ctx, *form));
  }
  for (int k = 0; k < kPlots; ++k) plotWindows_.push_back(new PlotWindow(ctx, host.Plots().Window(k)));

  // Its size and state come from the model, which the host configuration restores.
  binder_.BindMainWindow(m.window, *this);
  // Timers last: the first tick finds every window in place.
  for (forms::Control* c : m.Controls())
    if (c->GetKind() == forms::Kind::Timer) binder_.Make(static_cast<forms::Timer&>(*c));
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::Dialog(const std::string& formName) const {
  for (const auto& [name, dialog] : dialogs_)
    if (name == formName) return dialog;
  return nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  host_.Main().window.UserClose();
  emit closedByOperator();
}

}  // namespace qv::ui
