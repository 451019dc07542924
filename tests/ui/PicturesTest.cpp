// Not a check: with QV_UI_PICTURES set to a folder, saves pictures of the
// main window on every tab and of every dialog, filled as with a connected
// logger, for people to look at the layouts. Skipped otherwise.
#include <gtest/gtest.h>

#include <QDir>
#include <QLayout>
#include <QPixmap>

#include "tests/support/PacketBuilder.h"
#include "tests/ui/FilledWindow.h"

namespace qv {
namespace {

struct Pictures : testing::FilledWindow {
  QString dir;

  void Save(QWidget& w, const std::string& name) {
    Settle();
    const QString file = dir + "/" + QString::fromStdString(name) + ".png";
    EXPECT_TRUE(w.grab().save(file)) << file.toStdString();
  }
};

TEST_F(Pictures, OfEveryTabAndDialogWhenAsked) {
  const QByteArray into = qgetenv("QV_UI_PICTURES");
  if (into.isEmpty()) GTEST_SKIP() << "set QV_UI_PICTURES to a folder to get the pictures";
  dir = QString::fromLocal8Bit(into);
  ASSERT_TRUE(QDir().mkpath(dir));

  Fill();
  // Counters of two units, one of them with a gap, and some received text.
  std::uint8_t sequence = 0;
  for (int i = 0; i < 12; ++i) {
    std::uint8_t unit = i % 3 == 0 ? 2 : 1;
    if (i == 7) sequence = static_cast<std::uint8_t>(sequence + 3);
    backend.Feed(1,
                 qv::testing::MakeDataPacket(unit, sequence, 1000u * static_cast<unsigned>(i),
                                             qv::testing::Bytes{'2', '1', '.', '5', '\r', '\n'}));
    if (unit == 1) ++sequence;
    clock.AdvanceMs(25);
    host.Main().Timer55ms.Fire();
  }
  host.Main().Timer1000ms.Fire();
  RealTimeTab& realTime = host.Stream().realTimeTab;
  realTime.RawSourceCB.UserSelect(0);
  RecordTab& record = host.Stream().recordTab;
  for (forms::Button* replay :
       {&record.ReplayArchiveBT, &record.BTReplayRaw, &record.ReplayContinuousBT})
    replay->SetVisible(true);
  for (int i = 0; i < 30; ++i)
    realTime.Memo1.AddLine("$GPGGA,1234" + std::to_string(i) +
                           ".00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");
  record.LBArchiveFileName.SetCaption(
      "1 Hour Archive File:  /home/operator/cruises/2026/north-atlantic-transect/leg-3/"
      "station-0042/archives/cruise26_343.013");

  MainForm& m = host.Main();
  for (forms::TabSheet* sheet : m.PageControl1.Pages()) {
    ShowTab(*sheet);
    Save(window, sheet->Name());
  }

  // The tallest Port Setup: every port, with the once-per-hour column.
  StatusRecord all = TypicalStatus(host.PcLoggerTime());
  all.serialMask = 0x2FF;
  all.analogMask = 0x7F;
  all.pumpMask = 0x0F;
  ReceiveStatus(all);
  ReceiveSetup(TypicalSetup());
  ShowTab(m.TSPortSetup);
  Save(window, "TSPortSetup-all-ports");

  StatusDisplay& status = host.Status();
  status.warning.Label1.SetCaption("This Host Program is incompatible with Firmware Version 6.04");
  status.warning.window.Show();
  host.Operations().sleep.window.Show();
  host.Operations().muxId.window.Show();
  m.HostPortStats.UserClick();
  for (const auto& [name, dialog] : window.Dialogs()) {
    if (!dialog->isVisible() && dialog->layout()) dialog->layout()->activate();
    Save(*dialog, name);
  }
}

}  // namespace
}  // namespace qv
