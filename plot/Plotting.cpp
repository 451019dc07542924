#include "plot/Plotting.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <variant>

#include "common/Format.h"
#include "plot/DecimalText.h"

namespace qv {

using forms::Control;

namespace {

constexpr char kPlotFileFilter[] = "Plot Setup (*.plt)|*.plt|All Files (*.*)|*.*";

// A float from any double: beyond the float's range is its infinity.
float ToFloat(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (v > kMax) return std::numeric_limits<float>::infinity();
  if (v < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(v);
}

// The number of the family member that is `sender`, or 0.
template <class T>
int MemberNumber(forms::Family<T>& family, const Control& sender) {
  for (int n = family.First(); n <= family.Last(); ++n)
    if (&family[n] == &sender) return n;
  return 0;
}

}  // namespace

Plotting::Plotting(Prompter& prompter) : prompter_(prompter) {
  for (auto& w : windows_) w = std::make_unique<PlotForm>();
  WireHandlers();
}

void Plotting::WireHandlers() {
  PlotSetupTab& t = setupTab;
  const forms::Handler muxClick = [this](Control& c) { UDMux1Click(c); };
  const forms::Handler labelChange = [this](Control& c) { EDPlotLabel1Change(c); };
  for (int n = 1; n <= kPlots; ++n) {
    t.UDMux[n].OnClick = muxClick;
    t.EDPlotLabel[n].OnChange = labelChange;
    t.BTPlot[n].OnClick = [this](Control& c) { BTPlot1Click(c); };
  }
  // Shared with the first row's other controls, where it does nothing.
  for (forms::UpDown* u : {&t.UDPlotCol[1], &t.UDPort[1], &t.UDPlotType[1]}) u->OnClick = muxClick;
  for (forms::Edit* e : {&t.EDScale[1], &t.EDOffset[1], &t.EDUnits[1]}) e->OnChange = labelChange;
  t.BTClearPlotSetup.OnClick = [this](Control&) { BTClearPlotSetupClick(); };
  t.BTLoadPlotSetup.OnClick = [this](Control&) { BTLoadPlotSetupClick(); };
  t.BTStorePlotSetup.OnClick = [this](Control&) { BTStorePlotSetupClick(); };
  for (int k = 0; k < kPlots; ++k) {
    PlotForm& w = Window(k);
    w.window.OnClose = [this, k](Control&) { FormClose(k); };
    w.BTClearPlot.OnClick = [this, k](Control&) { BTClearPlotClick(k); };
    w.Button2.OnClick = [this](Control&) { CloseAllPlots(); };
  }
}

void Plotting::StartUp() {
  for (int k = 0; k < kPlots; ++k) {
    PlotRecord& r = records_[static_cast<std::size_t>(k)];
    r = PlotRecord{};
    r.Label = Format("Plot %1d", k + 1);
    r.Units = "None";
  }
  PlotSetupTab& t = setupTab;
  t.CBSelectChannel.SetVisible(false);
  t.CBSelectChannel.SetItemIndex(0);
  t.UDDepthCol.SetPosition(0);
  t.PlotMuxIDLB.SetCaption(Format("Logger ID:  %3d", t.PlotMuxIDUD.Position()));
}

void Plotting::ApplyRow(int n) {
  PlotSetupTab& t = setupTab;
  const int k = n - 1;
  PlotRecord& r = records_[static_cast<std::size_t>(k)];
  t.LMux[n].SetCaption(Format("%02d", t.UDMux[n].Position()));
  const int port = t.UDPort[n].Position();
  t.LPort[n].SetCaption(port >= 9 ? "Anlg" : Format("%1d", port));
  t.LPlotType[n].SetCaption("vs. Counter");
  t.UDPlotType[n].SetPosition(1);
  const int column = t.UDPlotCol[n].Position();
  if (column <= 0) {
    t.LPlotCol[n].SetCaption("XX");
    r.Active = 0;
    if (created_[static_cast<std::size_t>(k)]) Window(k).window.Hide();
    t.BTPlot[n].SetVisible(false);
  } else {
    t.BTPlot[n].SetVisible(true);
    t.LPlotCol[n].SetCaption(Format("%02d", column));
  }
  r.PlotLoggerId = static_cast<std::int16_t>(t.UDMux[n].Position());
  r.PortIndex = static_cast<std::int16_t>(port - 1);
  r.PlotType = static_cast<std::int16_t>(t.UDPlotType[n].Position());
  r.Column = static_cast<std::int16_t>(column);
  r.Scale = ToFloat(ReadDecimalText(t.EDScale[n].Text()));
  r.Offset = ToFloat(ReadDecimalText(t.EDOffset[n].Text()));
  r.Label = t.EDPlotLabel[n].Text().substr(0, kPlotLabelChars);
  r.Units = t.EDUnits[n].Text().substr(0, kPlotUnitsChars);
  r.PendingLength = 0;
  if (r.Active == 0 && created_[static_cast<std::size_t>(k)]) Window(k).window.Hide();
}

void Plotting::UDMux1Click(Control& sender) {
  if (const int n = MemberNumber(setupTab.UDMux, sender)) ApplyRow(n);
}

void Plotting::EDPlotLabel1Change(Control& sender) {
  if (const int n = MemberNumber(setupTab.EDPlotLabel, sender)) ApplyRow(n);
}

void Plotting::ClearRow(int n) {
  PlotSetupTab& t = setupTab;
  t.UDMux[n].SetPosition(2);
  t.UDPort[n].SetPosition(1);
  t.UDPlotType[n].SetPosition(1);
  t.UDPlotCol[n].SetPosition(0);
  t.EDPlotLabel[n].SetText(Format("Plot %1d", n));
  t.EDScale[n].SetText("1.0");
  t.EDOffset[n].SetText("0.0");
  t.EDUnits[n].SetText("units");
  ApplyRow(n);
}

void Plotting::BTClearPlotSetupClick() {
  for (int n = 1; n <= kPlots; ++n) ClearRow(n);
}

void Plotting::BTPlot1Click(Control& sender) {
  const int n = MemberNumber(setupTab.BTPlot, sender);
  if (n == 0) return;
  const int k = n - 1;
  created_[static_cast<std::size_t>(k)] = true;
  PlotForm& w = Window(k);
  w.window.SetCaption(Format("Plot %1d", n));
  w.window.Show();
  records_[static_cast<std::size_t>(k)].Active = 1;
}

void Plotting::DeactivatePlot(int k) {
  records_[static_cast<std::size_t>(k)].Active = 0;
  ApplyRow(k + 1);
}

void Plotting::FormClose(int k) { DeactivatePlot(k); }

void Plotting::BTClearPlotClick(int k) { Window(k).iPlot1.Clear(); }

void Plotting::CloseAllPlots() {
  for (int k = 0; k < kPlots; ++k) {
    forms::Window& w = Window(k).window;
    if (!w.Shown()) continue;
    FormClose(k);
    w.Hide();
  }
}

// ---- the feed and the visits ----

void Plotting::FeedDataPacket(const DataPacketHeader& header, std::span<const std::uint8_t> payload) {
  for (int k = 0; k < kPlots; ++k) {
    const PlotRecord& r = records_[static_cast<std::size_t>(k)];
    if (r.Active == 0 || r.PlotLoggerId != header.loggerId || r.PortIndex < 0 ||
        r.PortIndex >= kDataPorts)
      continue;
    const int port = r.PortIndex + 1;
    const int offset = PortPayloadOffset(header.portCounts, port);
    const int held = static_cast<int>(payload.size());
    if (offset >= held) continue;
    const int count = std::min<int>(header.portCounts[static_cast<std::size_t>(port - 1)], held - offset);
    Append(k, payload.data() + offset, count);
  }
}

// Appends what there is room for; with the record full, the visits go on in
// their order until this record has had its turn, so nothing is lost.
void Plotting::Append(int k, const std::uint8_t* bytes, int count) {
  PlotRecord& r = records_[static_cast<std::size_t>(k)];
  while (count > 0) {
    if (r.Room() == 0) {
      bool visited = false;
      while (!visited) {
        visited = idleCursor_ == k;
        IdleStep();
      }
    }
    const int n = std::min(count, r.Room());
    std::memcpy(r.PendingInput.data() + r.PendingLength, bytes, static_cast<std::size_t>(n));
    r.PendingLength = static_cast<std::int16_t>(r.PendingLength + n);
    bytes += n;
    count -= n;
  }
}

void Plotting::IdleStep() {
  const int k = idleCursor_;
  PlotRecord& r = records_[static_cast<std::size_t>(k)];
  if (r.PendingLength != 0 && r.Active != 0) {
    lines_[static_cast<std::size_t>(k)].Feed(
        r.PendingInput.data(), r.PendingLength,
        [this, k, &r](std::string_view line) { HandleLine(k, r, line); });
  }
  r.PendingLength = 0;  // a plot that is not active drops its bytes
  idleCursor_ = (k + 1) % kPlots;
}

bool Plotting::InputWaiting() const {
  return std::any_of(records_.begin(), records_.end(),
                     [](const PlotRecord& r) { return r.PendingLength != 0; });
}

void Plotting::VisitWaitingRecords() {
  if (!InputWaiting()) return;
  for (int i = 0; i < kPlots; ++i) IdleStep();
}

void Plotting::HandleLine(int k, const PlotSettings& s, std::string_view line) {
  PlotForm& w = Window(k);
  std::string text(line);
  w.LBRawData.SetCaption(text);
  w.Lvs.SetCaption(Format("Col %d", s.Column));
  if (s.Column < 1) return;
  const std::optional<double> read = ColumnValue(line, s.Column);
  if (!read) return;
  w.LScale.SetCaption(Format("Scale: %5.4f", static_cast<double>(s.Scale)));
  w.LOffset.SetCaption(Format("Offset: %5.4f", static_cast<double>(s.Offset)));
  const double value = (*read - static_cast<double>(s.Offset)) * static_cast<double>(s.Scale);
  // An infinite or undefined point has no place on a chart.
  if (!std::isfinite(value)) return;
  w.LUnits.SetCaption(Format("%6.4lf %s", value, s.Units.c_str()));
  w.Lvs.SetCaption(Format("vs. %1.0lf Counts", sampleCounter_));
  std::replace(text.begin(), text.end(), ',', '\t');
  w.LBRawData.SetCaption(text);
  w.iPlot1.SetTitle(s.Label);
  w.iPlot1.SetLegendVisible(false);
  w.iPlot1.AddPoint(sampleCounter_, value);
  sampleCounter_ += 1.0;
}

// ---- plot setup files ----

PlotSetupRows Plotting::RowSetups() const {
  const PlotSetupTab& t = setupTab;
  PlotSetupRows rows;
  for (int n = 1; n <= kPlots; ++n) {
    PlotRowSetup& r = rows[static_cast<std::size_t>(n - 1)];
    r.loggerId = t.UDMux[n].Position();
    r.port = t.UDPort[n].Position();
    r.plotType = t.UDPlotType[n].Position();
    r.column = t.UDPlotCol[n].Position();
    r.label = t.EDPlotLabel[n].Text();
    r.scale = t.EDScale[n].Text();
    r.offset = t.EDOffset[n].Text();
    r.units = t.EDUnits[n].Text();
  }
  return rows;
}

void Plotting::ApplyRowSetups(const PlotSetupRows& rows) {
  PlotSetupTab& t = setupTab;
  for (int n = 1; n <= kPlots; ++n) {
    const PlotRowSetup& r = rows[static_cast<std::size_t>(n - 1)];
    t.UDMux[n].SetPosition(r.loggerId);
    t.UDPort[n].SetPosition(r.port);
    t.UDPlotType[n].SetPosition(r.plotType);
    t.UDPlotCol[n].SetPosition(r.column);
    t.EDPlotLabel[n].SetText(r.label);
    t.EDScale[n].SetText(r.scale);
    t.EDOffset[n].SetText(r.offset);
    t.EDUnits[n].SetText(r.units);
    ApplyRow(n);
  }
}

bool Plotting::WriteFile(const std::string& path) {
  const std::string text = WritePlotSetupText(RowSetups());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) prompter_.ShowNotice("File Error", Format("Unable to Write to %s", path.c_str()));
  return ok;
}

bool Plotting::ReadFile(const std::string& path, bool missingIsSilent) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    if (!missingIsSilent) prompter_.ShowNotice("File Error", Format("Unable to Read %s", path.c_str()));
    return false;
  }
  // One byte over the limit is enough to know the file is too large.
  std::string text(kPlotSetupFileLimit + 1, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), f));
  const bool readError = std::ferror(f) != 0;
  std::fclose(f);
  if (readError) {
    prompter_.ShowNotice("File Error", Format("Unable to Read %s", path.c_str()));
    return false;
  }
  auto parsed = ReadPlotSetupText(text);
  if (const auto* error = std::get_if<PlotSetupError>(&parsed)) {
    prompter_.ShowNotice(error->caption, error->text);
    return false;
  }
  ApplyRowSetups(std::get<PlotSetupRows>(parsed));
  return true;
}

void Plotting::BTStorePlotSetupClick() {
  auto path = prompter_.SaveFile({"Save Plot Setup", "plt", kPlotFileFilter, fileName_, true});
  if (!path) return;
  fileName_ = *path;
  WriteFile(*path);
}

void Plotting::BTLoadPlotSetupClick() {
  auto path = prompter_.OpenFile({"Load Plot Setup", "plt", kPlotFileFilter, fileName_, false});
  if (!path) return;
  fileName_ = *path;
  ReadFile(*path, false);
}

bool Plotting::SaveLastPlotSetup(const std::string& folder) {
  return WriteFile(folder + "/" + kLastPlotSetup);
}

bool Plotting::LoadLastPlotSetup(const std::string& folder) {
  return ReadFile(folder + "/" + kLastPlotSetup, true);
}

}  // namespace qv
