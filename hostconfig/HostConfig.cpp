#include "hostconfig/HostConfig.h"

#include <cerrno>
#include <cstdio>
#include <initializer_list>

#include "common/Format.h"
#include "link/LinkForms.h"
#include "pclogger/PcLoggerForms.h"
#include "setup/DisplayModes.h"
#include "setup/LoggerSetup.h"
#include "stream/StreamForms.h"
#include "upload/UploadForms.h"

namespace qv {

using forms::Control;
using forms::MenuItem;
using Values = std::vector<std::int16_t>;

namespace {

constexpr const char* kDialogFilter = "QV Host Setup|*.qvh";
// More than any configuration file holds; a larger file is read this far.
constexpr std::size_t kMostBytesRead = 1 << 20;

std::int16_t Flag(bool b) { return b ? 1 : 0; }
std::int16_t Int16(int v) { return static_cast<std::int16_t>(v); }

}  // namespace

HostConfig::HostConfig(Wiring wiring) : w_(std::move(wiring)) {}

HostConfigText HostConfig::Collect() const {
  ModeLayout& l = w_.modes.Layout();
  LoggerControlTab& lc = w_.setup.loggerControl;
  const RecordTab& rec = w_.record;
  const PcLoggerTab& pc = w_.pcLogger;
  auto shown = [](const Control& c) { return Flag(c.Visible()); };
  auto checked = [](const MenuItem& m) { return Flag(m.Checked()); };
  auto six = [](auto value) {
    Values v;
    for (int n = 1; n <= 6; ++n) v.push_back(Int16(value(n)));
    v.push_back(0);
    v.push_back(0);
    return v;
  };

  HostConfigText t;
  HostConfigValues& v = t.values;
  v[1] = {Int16(w_.hostPort.HostPortCB.ItemIndex()), Int16(w_.hostPort.HostSetupCB.ItemIndex())};
  v[2] = {w_.modes.DisplayMode};
  v[3] = {Int16(static_cast<int>(l.window.State())), Int16(l.window.Height()), Int16(l.window.Width())};
  t.setupFileName = w_.setup.SetupFileName;
  v[5] = {shown(l.TSPortSetup), shown(l.TSLoggerControl), shown(l.TSDataStatus), shown(l.TSUpload),
          shown(l.TSRealTime),  shown(l.TSRecord),        shown(l.TSAuxIn),      0,
          0,                    shown(l.TSPlotSetup),     shown(l.TSHardware),   shown(l.TSAnalog)};
  v[6] = {shown(l.Menupx5PassThru),    shown(l.MenuAnnotateFile), shown(l.MenuLoggerTimeUpdate),
          shown(l.MenuAutoTimeUpdate), checked(l.MenuAutoTimeUpdate), shown(l.MenuUpdateTimeNow),
          0, shown(l.MenuChangeLoggerID), 0, 0, 0};
  v[7] = Values(13, 0);
  v[8] = {shown(l.MenuMooredTimeUpdate), checked(l.MenuMooredTimeUpdate), shown(lc.TimeSourceCB),
          Int16(lc.TimeSourceCB.ItemIndex())};
  v[9] = {0, 0, 1, Flag(lc.CBAutoStart.Checked())};
  v[10] = {0, 0, 0, 0, 0, shown(l.MenuAuxInSetup), 0, shown(l.MenuLoggerPortSetup)};
  v[11] = {shown(l.MenuLoggerTabs),    shown(l.MenuPortSetup),  checked(l.MenuPortSetup),
           shown(l.MenuLoggerControl), checked(l.MenuLoggerControl), shown(l.MenuDataStatus),
           checked(l.MenuDataStatus),  shown(l.MenuUpload),     checked(l.MenuUpload)};
  v[12] = {shown(l.MenuRealTimeTabs), shown(l.MenuAuxIn),     checked(l.MenuAuxIn),
           0, 0, 0, 0, 0,
           checked(l.MenuPlotSetup),  shown(l.MenuRecord),    checked(l.MenuRecord),
           shown(l.MenuRealTime),     checked(l.MenuRealTime), 0, 0};
  v[13] = {Int16(w_.upload.ExtractFilesRG.ItemIndex()), Int16(w_.realTime.RawSourceCB.ItemIndex()),
           Int16(w_.realTime.RawMuxIDUD.Position()), Int16(w_.realTime.RawPortCB.ItemIndex())};
  v[14] = {Int16(pc.UDDeckRate.Position()), Flag(pc.CBRecordPCTime.Checked())};
  v[15] = six([&](int n) { return pc.DeckPortCB[n].ItemIndex(); });
  v[16] = six([&](int n) { return pc.DeckSetupCB[n].ItemIndex(); });
  v[17] = six([&](int n) { return pc.PortTypeCB[n].ItemIndex(); });
  v[18] = six([&](int n) { return pc.UDDeckType[n].Position(); });
  v[19] = six([&](int n) { return pc.UDOutPort[n].Position(); });
  v[20] = {Flag(rec.CBRecordLogger.Checked()), Flag(rec.CBRecordAuxIn.Checked()),
           shown(rec.ReplayArchiveBT),          shown(rec.ReplayContinuousBT),
           shown(rec.ReplaySpeedLB1),           shown(rec.ReplaySpeedLB2),
           shown(rec.ReplaySpeedUD),            shown(rec.ReplaySpeedEdit),
           Int16(rec.ReplaySpeedUD.Position())};
  v[21] = {shown(lc.ModeCB),   Int16(lc.ModeCB.ItemIndex()),   shown(lc.FileCB),
           Int16(lc.FileCB.ItemIndex()), shown(lc.OutputCB), Int16(lc.OutputCB.ItemIndex()), 0, 0};
  v[22] = {0};
  return t;
}

void HostConfig::Apply(const HostConfigValues& values) {
  for (int n = 1; n <= kHostConfigLines; ++n) ApplyLine(n, values[static_cast<std::size_t>(n)]);
}

void HostConfig::ApplyLine(int line, const Values& v) {
  ModeLayout& l = w_.modes.Layout();
  LoggerControlTab& lc = w_.setup.loggerControl;
  RecordTab& rec = w_.record;
  PcLoggerTab& pc = w_.pcLogger;
  auto on = [&v](int i) { return v[static_cast<std::size_t>(i - 1)] != 0; };  // value i, from 1
  auto at = [&v](int i) { return static_cast<int>(v[static_cast<std::size_t>(i - 1)]); };
  auto showAndCheck = [&](MenuItem& item, int i) {
    item.SetVisible(on(i));
    item.SetChecked(on(i + 1));
  };
  auto six = [&](auto set) {
    for (int n = 1; n <= 6; ++n) set(n, at(n));
  };

  switch (line) {
    case 1:
      w_.hostPort.HostPortCB.SetItemIndex(at(1));
      w_.hostPort.HostSetupCB.SetItemIndex(at(2));
      w_.setup.SetSetupCurrent(false);
      break;
    case 2: {
      const int mode = at(1);
      const bool known = mode >= 1 && mode <= 7;
      w_.modes.DisplayMode = Int16(known ? mode : kDisplayModeNone);
      w_.modes.RequestedDisplayMode = Int16(known ? 0 : kDisplayModeNone);
      if (w_.openLoggerPort) w_.openLoggerPort();
      break;
    }
    case 3: {
      const int state = at(1);
      l.window.SetState(state == 1   ? forms::WindowState::Minimised
                        : state == 2 ? forms::WindowState::Maximised
                                     : forms::WindowState::Normal);
      l.window.SetSize(at(3), at(2));
      break;
    }
    case 5: {
      forms::TabSheet* const tabs[] = {&l.TSPortSetup, &l.TSLoggerControl, &l.TSDataStatus,
                                       &l.TSUpload,    &l.TSRealTime,      &l.TSRecord,
                                       &l.TSAuxIn};
      for (int i = 1; i <= 7; ++i) tabs[i - 1]->SetVisible(on(i));
      l.TSHardware.SetVisible(on(11));
      l.TSAnalog.SetVisible(on(12));
      break;
    }
    case 6:
      l.Menupx5PassThru.SetVisible(on(1));
      l.MenuAnnotateFile.SetVisible(on(2));
      l.MenuLoggerTimeUpdate.SetVisible(on(3));
      l.MenuAutoTimeUpdate.SetVisible(on(4));
      l.MenuAutoTimeUpdate.SetChecked(on(5));
      l.MenuUpdateTimeNow.SetVisible(on(6));
      l.MenuChangeLoggerID.SetVisible(on(8));
      w_.modes.ShowOncePerHourColumnForMode();
      break;
    case 8:
      showAndCheck(l.MenuMooredTimeUpdate, 1);
      lc.TimeSourceCB.SetVisible(on(3));
      lc.TimeSourceLB.SetVisible(on(3));
      lc.TimeSourceCB.SetItemIndex(at(4));
      break;
    case 9:
      lc.CBAutoStart.SetVisible(true);
      lc.CBAutoStart.SetChecked(on(4));
      break;
    case 10:
      l.MenuAuxInSetup.SetVisible(on(6));
      l.MenuLoggerPortSetup.SetVisible(on(8));
      break;
    case 11:
      l.MenuLoggerTabs.SetVisible(on(1));
      showAndCheck(l.MenuPortSetup, 2);
      showAndCheck(l.MenuLoggerControl, 4);
      showAndCheck(l.MenuDataStatus, 6);
      showAndCheck(l.MenuUpload, 8);
      break;
    case 12:
      l.MenuRealTimeTabs.SetVisible(on(1));
      showAndCheck(l.MenuAuxIn, 2);
      showAndCheck(l.MenuRecord, 10);
      showAndCheck(l.MenuRealTime, 12);
      break;
    case 13:
      // A restored choice is no click: it must not open "Extract Run File".
      w_.upload.ExtractFilesRG.RestoreItemIndex(at(1));
      w_.realTime.RawSourceCB.SetItemIndex(at(2));
      w_.realTime.RawMuxIDUD.SetPosition(at(3));
      w_.realTime.RawPortCB.SetItemIndex(at(4));
      if (w_.rawPortChange) w_.rawPortChange();
      break;
    case 14:
      pc.UDDeckRate.SetPosition(at(1));
      if (pc.UDDeckRate.OnClick) pc.UDDeckRate.OnClick(pc.UDDeckRate);
      pc.CBRecordPCTime.SetChecked(on(2));
      break;
    case 15: six([&](int n, int x) { pc.DeckPortCB[n].SetItemIndex(x); }); break;
    case 16: six([&](int n, int x) { pc.DeckSetupCB[n].SetItemIndex(x); }); break;
    case 17: six([&](int n, int x) { pc.PortTypeCB[n].SetItemIndex(x); }); break;
    case 18: six([&](int n, int x) { pc.UDDeckType[n].SetPosition(x); }); break;
    case 19: six([&](int n, int x) { pc.UDOutPort[n].SetPosition(x); }); break;
    case 20: {
      rec.CBRecordLogger.SetChecked(on(1));
      rec.CBRecordAuxIn.SetChecked(on(2));
      Control* const replay[] = {&rec.ReplayArchiveBT, &rec.ReplayContinuousBT, &rec.ReplaySpeedLB1,
                                 &rec.ReplaySpeedLB2,  &rec.ReplaySpeedUD,      &rec.ReplaySpeedEdit};
      for (int i = 0; i < 6; ++i) replay[i]->SetVisible(on(i + 3));
      rec.ReplaySpeedUD.SetPosition(at(9));
      break;
    }
    case 21: {
      const std::pair<forms::ComboBox*, forms::Label*> lists[] = {
          {&lc.ModeCB, &lc.ModeLB}, {&lc.FileCB, &lc.FileLB}, {&lc.OutputCB, &lc.OutputLB}};
      for (int i = 0; i < 3; ++i) {
        lists[i].first->SetVisible(on(2 * i + 1));
        lists[i].second->SetVisible(on(2 * i + 1));
        lists[i].first->SetItemIndex(at(2 * i + 2));
      }
      w_.setup.ShowHostMode();
      break;
    }
    case 22:
      if (w_.applyPcLoggerSlots) w_.applyPcLoggerSlots();
      break;
    default:  // lines 4 and 7 hold nothing to restore
      break;
  }
}

bool HostConfig::WriteHostConfig(const std::string& path) {
  const std::string text = FormatHostConfig(Collect());
  std::FILE* f = std::fopen(path.c_str(), "w");
  bool ok = f && std::fputs(text.c_str(), f) >= 0;
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) w_.prompter.ShowNotice("File Error", Format("Unable to Write to %s", path.c_str()));
  return ok;
}

void HostConfig::LoadHostConfig(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) {
    if (errno != ENOENT) w_.prompter.ShowNotice("File Error", Format("Unable to Read %s", path.c_str()));
    return;
  }
  std::string text(kMostBytesRead, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), f));
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    w_.prompter.ShowNotice("File Error", Format("Unable to Read %s", path.c_str()));
    return;
  }
  if (const std::optional<HostConfigValues> values = ReadHostConfig(text, w_.prompter)) Apply(*values);
}

void HostConfig::LoadHostSetupFileClick() {
  FileDialogSpec spec{"Open QV Host Program Setup", "qvh", kDialogFilter, openName_, false};
  const std::optional<std::string> path = w_.prompter.OpenFile(spec);
  if (!path) return;
  openName_ = *path;
  LoadHostConfig(*path);
}

void HostConfig::StoreHostSetupFileClick() {
  FileDialogSpec spec{"Save QV Host Program Setup", "qvh", kDialogFilter, saveName_, true};
  const std::optional<std::string> path = w_.prompter.SaveFile(spec);
  if (!path) return;
  saveName_ = *path;
  WriteHostConfig(*path);
}

}  // namespace qv
