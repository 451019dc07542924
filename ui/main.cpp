// qvhost: the host program of the data logger on the desktop.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLayout>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <functional>
#include <iostream>

#include "app/HostProgram.h"
#include "platform/ComPortTable.h"
#include "platform/PosixSerialBackend.h"
#include "platform/SystemClock.h"
#include "ui/MainWindow.h"
#include "ui/Options.h"
#include "ui/QtPrompter.h"

namespace {

// Long enough for the start-up tick and the first display and one-second ticks.
constexpr int kScreenshotDelayMs = 1500;
// With a logger port open, the picture waits for the logger's status this long at most.
constexpr int kScreenshotMaxWaitMs = 10000;
constexpr int kScreenshotPollMs = 100;

// Runs `then` once the window has settled: after the start-up ticks, and
// with a logger port open once the logger's status shows (or the wait is up).
void WhenSettled(qv::ui::MainWindow& window, qv::HostProgram& host, std::function<void()> then,
                 int waitedMs = 0) {
  const int delay = waitedMs == 0 ? kScreenshotDelayMs : kScreenshotPollMs;
  QTimer::singleShot(delay, &window, [&window, &host, then = std::move(then), waited = waitedMs + delay] {
    const bool waiting = host.Ports().IsPortSlotOpen(qv::kLoggerSlot) &&
                         !host.Main().GBLoggerStatus.Visible() && waited < kScreenshotMaxWaitMs;
    if (waiting)
      WhenSettled(window, host, then, waited);
    else
      then();
  });
}

bool SavePicture(QWidget& w, const QString& file) {
  if (w.grab().save(file)) return true;
  std::cerr << "qvhost: could not save a picture to " << file.toStdString() << "\n";
  return false;
}

// Every tab of the page control in turn, pictured as the whole window and
// named after its tab sheet; hidden tabs are shown for their picture only.
bool SaveTabPictures(qv::ui::MainWindow& window, qv::HostProgram& host, const QString& dir) {
  qv::forms::PageControl& pages = host.Main().PageControl1;
  qv::forms::TabSheet* active = pages.ActivePage();
  bool ok = true;
  for (qv::forms::TabSheet* sheet : pages.Pages()) {
    const bool visible = sheet->Visible();
    sheet->SetVisible(true);
    pages.SetActivePage(sheet);
    QCoreApplication::processEvents();
    ok = SavePicture(window, dir + "/" + QString::fromStdString(sheet->Name()) + ".png") && ok;
    sheet->SetVisible(visible);
  }
  pages.SetActivePage(active);
  return ok;
}

// Opens the dialogs the way the operator would, through their menu commands
// and buttons; once their contents have had a second to fill, saves a
// picture of the main window, of every tab and of every dialog into dir and
// ends the program.
void SaveAllPictures(qv::ui::MainWindow& window, qv::HostProgram& host, const QString& dir) {
  if (!QDir().mkpath(dir)) {
    std::cerr << "qvhost: could not create " << dir.toStdString() << "\n";
    QCoreApplication::exit(1);
    return;
  }
  qv::MainForm& m = host.Main();
  qv::ui::Binder& b = window.Bindings();
  for (qv::forms::MenuItem* item : {&m.ConfigureHostPortFrom, &m.ChangeHostInterface,
                                    &m.HostPortStats, &m.MenuChangeLoggerID})
    if (auto* action = qobject_cast<QAction*>(b.ObjectOf(*item))) action->trigger();
  if (auto* sleep = qobject_cast<QPushButton*>(b.ObjectOf(host.Setup().loggerControl.BTSleep)))
    sleep->click();
  WhenSettled(window, host, [&window, &host, dir] {
    bool ok = SavePicture(window, dir + "/TForm1.png");
    ok = SaveTabPictures(window, host, dir) && ok;
    for (const auto& [name, dialog] : window.Dialogs()) {
      // A window no operator action opened gets its size before its picture.
      if (!dialog->isVisible() && dialog->layout()) {
        dialog->ensurePolished();
        dialog->layout()->activate();
      }
      ok = SavePicture(*dialog, dir + "/" + QString::fromStdString(name) + ".png") && ok;
    }
    QCoreApplication::exit(ok ? 0 : 1);
  });
}

}  // namespace

int main(int argc, char** argv) {
  // Help needs no display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << qv::ui::UsageText();
      return 0;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("qvhost");
  QApplication::setStyle("Fusion");

  std::vector<std::string> args;
  const QStringList qtArgs = QApplication::arguments();
  for (qsizetype i = 1; i < qtArgs.size(); ++i) args.push_back(qtArgs[i].toStdString());
  const qv::ui::Options options = qv::ui::ParseOptions(args);
  if (!options.error.empty()) {
    std::cerr << "qvhost: " << options.error << "\n" << "Try 'qvhost --help'.\n";
    return 2;
  }

  qv::ComPortTable table = qv::ComPortTable::Scan();
  for (const std::string& o : options.portOverrides) table.ApplyOverride(o);
  qv::PosixSerialBackend backend(std::move(table));
  qv::SystemClock clock;
  qv::ui::QtPrompter prompter;
  qv::HostProgram host(clock, prompter, backend);
  host.SetHostConfigPath(qv::ui::HostConfigPath(options));

  qv::ui::MainWindow window(host);
  prompter.SetOwner(&window);
  // exit() rather than quit(): quitting would first close every window, and
  // closing is an operator's action that reaches the forms.
  host.onQuit = [] { QCoreApplication::exit(0); };
  QObject::connect(&window, &qv::ui::MainWindow::closedByOperator, [] { QCoreApplication::exit(0); });
  QApplication::setQuitOnLastWindowClosed(false);

  if (!options.screenshot.empty()) {
    const QString file = QString::fromStdString(options.screenshot);
    WhenSettled(window, host, [&window, file] {
      QCoreApplication::exit(SavePicture(window, file) ? 0 : 1);
    });
  }
  if (!options.screenshotDialogs.empty()) {
    const QString dir = QString::fromStdString(options.screenshotDialogs);
    QTimer::singleShot(kScreenshotDelayMs, &window,
                       [&window, &host, dir] { SaveAllPictures(window, host, dir); });
  }
  if (options.quitAfterSeconds > 0)
    QTimer::singleShot(static_cast<int>(options.quitAfterSeconds * 1000), &window,
                       [] { QCoreApplication::exit(0); });

  window.show();
  return QApplication::exec();
}
