// The tab pages, the status group and the dialogs as laid out: rows that the
// logger does not have collapse without holes and come back in place, and at
// the default window size nothing overlaps, is cut off or needs scrolling.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <map>
#include <set>

#include "tests/ui/FilledWindow.h"
#include "ui/widgets/ElidingLabel.h"

namespace qv {
namespace {

struct PageLayout : testing::FilledWindow {
  QWidget* Widget(const forms::Control& c) {
    return qobject_cast<QWidget*>(window.Bindings().ObjectOf(c));
  }
  QRect InWindow(const QWidget* w) { return {w->mapTo(&window, QPoint(0, 0)), w->size()}; }
  int Middle(const forms::Control& c) { return InWindow(Widget(c)).center().y(); }

  std::vector<forms::Form*> AllForms() {
    std::vector<forms::Form*> forms = host.Forms();
    for (const HostProgram::TabContent& content : host.TabContents()) forms.push_back(content.form);
    forms.push_back(&host.LoggerStatusContent());
    return forms;
  }
  // Every widget of a control that is on screen now, once, by its control's name.
  std::map<QWidget*, std::string> Shown(const QWidget& within) {
    std::map<QWidget*, std::string> shown;
    for (forms::Form* form : AllForms())
      for (const forms::Control* c : form->Controls())
        if (QWidget* w = Widget(*c);
            w && w->isVisible() && (&within == w || within.isAncestorOf(w)))
          shown.emplace(w, form->Name() + "." + c->Name());
    return shown;
  }
  void ExpectTidy(const QWidget& within, const std::string& where) {
    const auto shown = Shown(within);
    for (auto a = shown.begin(); a != shown.end(); ++a) {
      const QSize least = a->first->minimumSizeHint();
      EXPECT_TRUE(a->first->width() >= least.width() && a->first->height() >= least.height())
          << where << ": " << a->second << " is cut to " << a->first->width() << "x"
          << a->first->height() << ", needs " << least.width() << "x" << least.height();
      for (auto b = std::next(a); b != shown.end(); ++b) {
        if (a->first->isAncestorOf(b->first) || b->first->isAncestorOf(a->first)) continue;
        EXPECT_FALSE(InWindow(a->first).intersects(InWindow(b->first)))
            << where << ": " << a->second << " overlaps " << b->second;
      }
    }
  }

  static StatusRecord WithPorts(StatusRecord s, int serial, int analog, int pump) {
    s.serialMask = static_cast<std::int16_t>(serial);
    s.analogMask = static_cast<std::int16_t>(analog);
    s.pumpMask = static_cast<std::int16_t>(pump);
    return s;
  }
};

TEST_F(PageLayout, PortRowsTheLoggerLacksCollapseWithoutHolesAndComeBackInPlace) {
  Fill();
  ShowTab(host.Main().TSPortSetup);
  const StatusRecord typical = TypicalStatus(host.PcLoggerTime());
  ReceiveStatus(WithPorts(typical, 0xFF, 0x7F, 0x0F));
  ReceiveSetup(TypicalSetup());
  Settle();
  PortSetupTab& f = host.Setup().portSetup;

  std::map<const forms::Control*, QRect> full;
  for (const forms::Control* c : f.Controls())
    if (QWidget* w = Widget(*c); w && w->isVisible()) full[c] = InWindow(w);
  ASSERT_TRUE(full.count(&f.LBPumpPort[4]));
  const int pitch = Middle(f.LBS[2]) - Middle(f.LBS[1]);
  const int hostAfterLastSerial = Middle(f.LBHostPortSetup) - Middle(f.LBS[8]);
  const int analogHeadingAfterHost = Middle(f.LBAnalogSetup) - Middle(f.LBHostPortSetup);
  const int firstPumpAfterHeading = Middle(f.LBPumpPort[1]) - Middle(f.LBPump);
  EXPECT_GT(pitch, 0);

  // Ports 1 and 3, no analog port, pump port 16; the next setup brings the
  // once-per-hour headings in line.
  ReceiveStatus(WithPorts(typical, 0x05, 0x00, 0x01));
  ReceiveSetup(TypicalSetup());
  Settle();
  EXPECT_FALSE(Widget(f.ComboMeter[2])->isVisible());
  EXPECT_FALSE(Widget(f.LBAnalogSetup)->isVisible());
  EXPECT_EQ(Middle(f.LBS[3]) - Middle(f.LBS[1]), pitch);
  EXPECT_EQ(Middle(f.LBHostPortSetup) - Middle(f.LBS[3]), hostAfterLastSerial);
  // The pump heading takes the analog heading's place under the host port.
  EXPECT_EQ(Middle(f.LBPump) - Middle(f.LBHostPortSetup), analogHeadingAfterHost);
  EXPECT_EQ(Middle(f.LBPumpPort[1]) - Middle(f.LBPump), firstPumpAfterHeading);
  for (int n : {1, 3}) EXPECT_EQ(Middle(f.CBPortSetup[n]), Middle(f.LBS[n])) << "row of port " << n;
  EXPECT_EQ(Middle(f.CBPump[1]), Middle(f.LBPumpPort[1]));

  ReceiveStatus(WithPorts(typical, 0xFF, 0x7F, 0x0F));
  ReceiveSetup(TypicalSetup());
  Settle();
  for (const auto& [c, rect] : full) {
    const QRect now = InWindow(Widget(*c));
    EXPECT_EQ(now, rect) << c->Name() << " at " << now.x() << "," << now.y() << " " << now.width()
                         << "x" << now.height() << ", was " << rect.x() << "," << rect.y() << " "
                         << rect.width() << "x" << rect.height();
  }
}

TEST_F(PageLayout, AtTheDefaultSizeEveryTabFitsWithNothingOverlappingOrCutOff) {
  Fill();
  const QSize defaultSize = window.size();
  EXPECT_EQ(defaultSize, QSize(1040, 700));
  // Every port, the moored once-per-hour column and a long path take the most room.
  const StatusRecord all = WithPorts(TypicalStatus(host.PcLoggerTime()), 0x2FF, 0x7F, 0x0F);
  ReceiveStatus(all);
  ReceiveSetup(TypicalSetup());
  ReceiveStatus(all);
  ASSERT_TRUE(Widget(host.Setup().portSetup.SOPHLB1)->isVisibleTo(&window));
  host.Stream().recordTab.LBArchiveFileName.SetCaption("Archive File:  " + std::string(40, 'd') +
                                                       "/cruise/" + std::string(60, 'e') + ".arc");
  ExpectTidy(window, "window");

  MainForm& m = host.Main();
  for (forms::TabSheet* sheet : m.PageControl1.Pages()) {
    ShowTab(*sheet);
    EXPECT_EQ(window.size(), defaultSize) << sheet->Name();
    QWidget* page = window.Bindings().Page(*sheet);
    ASSERT_TRUE(page && page->isVisible()) << sheet->Name();
    ExpectTidy(*page, sheet->Name());
    for (QWidget* up = page->parentWidget(); up; up = up->parentWidget()) {
      if (auto* area = qobject_cast<QAbstractScrollArea*>(up)) {
        EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << sheet->Name() << " scrolls";
        EXPECT_FALSE(area->horizontalScrollBar()->isVisible()) << sheet->Name() << " scrolls";
        break;
      }
    }
  }

  for (const auto& [name, dialog] : window.Dialogs()) {
    dialog->show();
    Settle();
    ExpectTidy(*dialog, name);
    dialog->hide();
  }
}

TEST_F(PageLayout, LongPathsElideInTheMiddleAndUnitCountsStandUnderTheirHeadings) {
  Fill();
  ShowTab(host.Main().TSRecord);
  RecordTab& record = host.Stream().recordTab;
  const std::string path = "/data/" + std::string(200, 'x') + "/cruise26_343.013";
  record.LBArchiveFileName.SetCaption("1 Hour Archive File:  " + path);
  Settle();
  auto* name = qobject_cast<ui::ElidingLabel*>(Widget(record.LBArchiveFileName));
  ASSERT_NE(name, nullptr);
  const QString shown = name->ShownText();
  EXPECT_TRUE(shown.startsWith("1 Hour Archive File:  /data/")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("cruise26_343.013")) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QChar(0x2026)));
  EXPECT_EQ(name->toolTip().toStdString(), "1 Hour Archive File:  " + path);
  EXPECT_EQ(window.size(), QSize(1040, 700));

  RealTimeTab& realTime = host.Stream().realTimeTab;
  realTime.LBUnit[2].SetCaption("Unit 2: 1234 \t5 \t67");
  const QString heading = qobject_cast<QLabel*>(Widget(realTime.LBUnitHeading))->text();
  const QString line = qobject_cast<QLabel*>(Widget(realTime.LBUnit[2]))->text();
  EXPECT_FALSE(line.contains('\t'));
  EXPECT_EQ(line.indexOf("5"), heading.indexOf("Mod"));
  EXPECT_EQ(line.indexOf("67"), heading.indexOf("Missing"));
}

}  // namespace
}  // namespace qv
