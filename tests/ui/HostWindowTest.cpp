// The whole program under its main window, with a fake serial backend.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app/HostProgram.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/FakeSerialBackend.h"
#include "ui/Look.h"
#include "ui/MainWindow.h"

namespace qv {
namespace {

struct HostWindow : ::testing::Test {
  qv::testing::FakeSerialBackend backend;
  FakeClock clock{1'700'000'000};
  ScriptedPrompter prompter;
  HostProgram host{clock, prompter, backend};
  ui::MainWindow window{host};

  template <class W>
  W* WidgetOf(const forms::Control& c) {
    return qobject_cast<W*>(window.Bindings().ObjectOf(c));
  }
};

TEST_F(HostWindow, ShowsTheTenTabsAndTheMainMenu) {
  QTabWidget* tabs = window.Tabs();
  ASSERT_EQ(tabs->count(), 10);
  const char* captions[] = {"Port Setup",     "Logger Control", "Data Status",
                            "Upload Logger Data", "Real Time Data", "Recording: OFF",
                            "PC-Logger",      "Plot Setup",     "Hardware Configuration",
                            "Analog Calibration"};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(tabs->tabText(i).toStdString(), captions[i]);
    EXPECT_EQ(tabs->isTabVisible(i), i < 7) << captions[i];
  }
  EXPECT_EQ(tabs->currentIndex(), 0);

  QStringList menus;
  for (QAction* a : window.menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, QStringList({"Files", "Modes", "Commands", "COM_Ports", "Logger_Tabs",
                                "Real_Time_Tabs", "Help"}));
  EXPECT_EQ(window.windowTitle(), "QV Host");
}

TEST_F(HostWindow, ResizingThePageControlStopsTheRawDisplay) {
  window.show();
  QCoreApplication::processEvents();
  forms::Button& display = host.Stream().realTimeTab.BTDisplayRaw;
  display.UserClick();
  ASSERT_EQ(display.Caption(), "Stop Display");
  window.resize(window.width() + 80, window.height() + 40);
  QCoreApplication::processEvents();
  EXPECT_EQ(display.Caption(), "Display Data");
  EXPECT_FALSE(host.Stream().DisplayState().rawDisplayOn);
}

TEST_F(HostWindow, TheWindowsStateAndSizeFollowTheModelBothWays) {
  forms::Window& model = host.Main().window;
  EXPECT_EQ(window.size(), QSize(1040, 700));
  window.show();
  QCoreApplication::processEvents();
  model.SetSize(900, 640);  // as a configuration restores it
  EXPECT_EQ(window.size(), QSize(900, 640));
  EXPECT_EQ(host.Main().PageControl1.GetBounds().width, 900 - 168 - 12);

  window.resize(980, 660);  // the operator's own resize
  QCoreApplication::processEvents();
  EXPECT_EQ(model.Width(), 980);
  EXPECT_EQ(model.Height(), 660);

  model.SetState(forms::WindowState::Maximised);
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.isMaximized());
  EXPECT_EQ(model.Width(), 980) << "the size kept is the normal one";
  window.showNormal();
  QCoreApplication::processEvents();
  EXPECT_EQ(model.State(), forms::WindowState::Normal);
  EXPECT_EQ(window.size(), QSize(980, 660));
}

TEST_F(HostWindow, EveryControlOfEveryFormHasAWidget) {
  auto check = [&](const forms::Form& form) {
    for (const forms::Control* c : window.Bindings().Unbound(form))
      ADD_FAILURE() << form.Name() << "." << c->Name() << " (" << forms::KindName(c->GetKind())
                    << ") has no widget";
  };
  std::vector<std::string> dialogs;
  for (forms::Form* form : host.Forms()) {
    check(*form);
    if (form != &host.Main()) dialogs.push_back(form->Name());
  }
  for (const HostProgram::TabContent& content : host.TabContents()) check(*content.form);
  check(host.LoggerStatusContent());
  for (int k = 0; k < kPlots; ++k) check(host.Plots().Window(k));
  // Dialogs are made in the program's window order.
  std::vector<std::string> made;
  for (const auto& [name, dialog] : window.Dialogs()) made.push_back(name);
  EXPECT_EQ(made, dialogs);
}

TEST_F(HostWindow, FirstTickShowsHostPortDialogAndTheOperatorsChoiceOpensThePort) {
  QWidget* dialog = window.Dialog("TConfigureHostPortForm");
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(dialog->isVisible());
  // The real fast timer runs the start-up tick.
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->isVisible(); }, 3000));
  EXPECT_EQ(dialog->windowTitle(), "Configure Host Port");
  EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
  const QPoint offCentre = dialog->geometry().center() - window.geometry().center();
  EXPECT_LE(offCentre.manhattanLength(), 4);

  auto& model = host.Link().hostPortForm.HostPortCB;
  auto* combo = WidgetOf<QComboBox>(model);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentIndex(), 0);
  EXPECT_EQ(combo->itemText(1).toStdString(), "COM 1   /dev/fake1");
  EXPECT_EQ(model.Items()[1], "COM 1");

  host.Main().Timer475ms.Fire();  // "No Port Selected" shows red
  EXPECT_EQ(combo->palette().color(QPalette::Button), ui::ColourOf(forms::Colour::Red));

  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(model.ItemIndex(), 1);
  EXPECT_TRUE(backend.IsOpen(1));

  // A choice made in code shows, but runs no handler: COM 2 stays closed.
  model.SetItemIndex(2);
  EXPECT_EQ(combo->currentIndex(), 2);
  EXPECT_FALSE(backend.IsOpen(2));

  host.Main().Timer475ms.Fire();
  EXPECT_FALSE(combo->autoFillBackground());
  EXPECT_EQ(combo->palette().color(QPalette::Button), QPalette().color(QPalette::Button));
}

TEST_F(HostWindow, MenuCheckMarksAreTheHandlersToDecide) {
  MainForm& m = host.Main();
  auto* autoBaud = WidgetOf<QAction>(m.AutoBaudRateDetection);
  ASSERT_NE(autoBaud, nullptr);
  EXPECT_TRUE(autoBaud->isCheckable() && autoBaud->isChecked());
  autoBaud->trigger();  // the handler toggles it
  EXPECT_FALSE(m.AutoBaudRateDetection.Checked());
  EXPECT_FALSE(autoBaud->isChecked());
  EXPECT_FALSE(autoBaud->isCheckable());
  autoBaud->trigger();
  EXPECT_TRUE(autoBaud->isChecked());

  // An item whose handler leaves the mark alone keeps it, whatever Qt toggled.
  m.MenuPortSetup.OnClick = nullptr;
  auto* portSetup = WidgetOf<QAction>(m.MenuPortSetup);
  portSetup->trigger();
  EXPECT_TRUE(portSetup->isChecked());

  // Hidden items stay hidden.
  EXPECT_FALSE(WidgetOf<QAction>(m.MenuNSQ3)->isVisible());

  // "Plot Setup" can be checked, and its tab is shown exactly while it is.
  auto* plotSetup = WidgetOf<QAction>(m.MenuPlotSetup);
  ASSERT_TRUE(plotSetup->isEnabled());
  for (bool shown : {true, false}) {
    plotSetup->trigger();
    EXPECT_EQ(plotSetup->isChecked(), shown);
    EXPECT_EQ(window.Tabs()->isTabVisible(7), shown);
  }
}

TEST_F(HostWindow, HiddenTabsShowNoContentAndTheOperatorsTabChoiceReachesTheModel) {
  MainForm& m = host.Main();
  QTabWidget* tabs = window.Tabs();
  int changes = 0;
  m.PageControl1.OnChange = [&](forms::Control&) { ++changes; };

  QTabBar* bar = tabs->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
  EXPECT_EQ(m.PageControl1.ActivePage(), &m.TSDataStatus);
  EXPECT_EQ(changes, 1);

  m.PageControl1.SetActivePage(&m.TSUpload);  // code: shown, no handler
  EXPECT_EQ(tabs->currentIndex(), 3);
  EXPECT_EQ(changes, 1);

  for (forms::TabSheet* sheet : m.PageControl1.Pages()) sheet->SetVisible(false);
  for (forms::TabSheet* sheet : m.PageControl1.Pages())
    EXPECT_FALSE(window.Bindings().Page(*sheet)->isVisibleTo(&window)) << sheet->Name();
  m.TSUpload.SetVisible(true);
  EXPECT_TRUE(window.Bindings().Page(m.TSUpload)->isVisibleTo(&window));
}

TEST_F(HostWindow, StatisticsWindowOpensFromTheMenuAndClosesThroughTheModel) {
  MainForm& m = host.Main();
  QWidget* stats = window.Dialog("TStatsForm");
  ASSERT_NE(stats, nullptr);
  WidgetOf<QAction>(m.HostPortStats)->trigger();
  EXPECT_TRUE(stats->isVisible());
  EXPECT_EQ(stats->windowTitle(), "Host Port Statistics");
  auto& form = host.Link().statsForm;
  for (int n = 1; n <= 9; ++n) EXPECT_TRUE(WidgetOf<QLabel>(form.SFLB[n])->isVisible()) << n;
  EXPECT_FALSE(WidgetOf<QLabel>(form.LBAuxPort)->isVisible());

  host.Main().Timer1000ms.Fire();
  EXPECT_EQ(WidgetOf<QLabel>(form.SFLB[1])->text(), "Bytes/Sec:  0");
  EXPECT_EQ(WidgetOf<QLabel>(form.SFLB[1])->palette().color(QPalette::Window),
            ui::ColourOf(forms::Colour::Yellow));

  stats->close();  // the operator's close button
  EXPECT_FALSE(stats->isVisible());
  EXPECT_EQ(host.Link().DisplayedStatsPort(), -1);
  EXPECT_EQ(stats->windowTitle(), "Closed");
}

TEST_F(HostWindow, ClosingTheMainWindowEndsWithoutTheExitQuestion) {
  QSignalSpy closed(&window, &ui::MainWindow::closedByOperator);
  window.close();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(host.Main().window.Shown());
}

}  // namespace
}  // namespace qv
