// The plotting subsystem: the eight plot records and the rows of the Plot
// Setup tab that fill them, the eight plot windows, the port text that feeds
// them, and the plot setup files. Fed the kept data packets by app/, visited
// one record at a time while input waits.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "common/Prompter.h"
#include "plot/LineAssembly.h"
#include "plot/PlotForms.h"
#include "plot/PlotRecord.h"
#include "plot/PlotSetupFile.h"
#include "protocol/DataPacket.h"

namespace qv {

class Plotting {
 public:
  static constexpr int kFirstVisit = 3;
  static constexpr char kLastPlotSetup[] = "Last.plt";

  explicit Plotting(Prompter& prompter);
  Plotting(const Plotting&) = delete;
  Plotting& operator=(const Plotting&) = delete;

  PlotSetupTab setupTab;
  // Plot window k (0..7) belongs to row k+1.
  PlotForm& Window(int k) { return *windows_[static_cast<std::size_t>(k)]; }
  const PlotRecord& Record(int k) const { return records_[static_cast<std::size_t>(k)]; }
  // Whether window k has been opened once (it is then kept, shown or hidden).
  bool WindowCreated(int k) const { return created_[static_cast<std::size_t>(k)]; }
  double SampleCounter() const { return sampleCounter_; }

  // Start-up: the records' first values and the tab's unused controls.
  void StartUp();

  // The rows' handlers.
  void UDMux1Click(forms::Control& sender);
  void EDPlotLabel1Change(forms::Control& sender);
  void BTClearPlotSetupClick();
  void BTPlot1Click(forms::Control& sender);
  void BTLoadPlotSetupClick();
  void BTStorePlotSetupClick();
  // The windows' handlers.
  void FormClose(int k);
  void BTClearPlotClick(int k);
  void CloseAllPlots();

  // A data packet the stream kept: its port bytes go to every active plot
  // of its logger ID and port.
  void FeedDataPacket(const DataPacketHeader& header, std::span<const std::uint8_t> payload);
  // One visit: the next record's waiting bytes are assembled into its window.
  void IdleStep();
  // Visits the records in turn, one round at most, while any holds input.
  void VisitWaitingRecords();
  bool InputWaiting() const;

  // The plot setup the program keeps beside its host configuration.
  bool SaveLastPlotSetup(const std::string& folder);
  bool LoadLastPlotSetup(const std::string& folder);
  // The rows as the file holds them, and back (each row then applied).
  PlotSetupRows RowSetups() const;
  void ApplyRowSetups(const PlotSetupRows& rows);

 private:
  void WireHandlers();
  void ApplyRow(int n);
  void ClearRow(int n);
  void DeactivatePlot(int k);
  void Append(int k, const std::uint8_t* bytes, int count);
  void HandleLine(int k, const PlotSettings& s, std::string_view line);
  bool WriteFile(const std::string& path);
  bool ReadFile(const std::string& path, bool missingIsSilent);

  Prompter& prompter_;
  std::array<std::unique_ptr<PlotForm>, kPlots> windows_;
  std::array<PlotRecord, kPlots> records_;
  std::array<LineAssembler, kPlots> lines_;
  std::array<bool, kPlots> created_{};
  double sampleCounter_ = 1.0;  // shared by all windows, never reset
  int idleCursor_ = kFirstVisit;
  std::string fileName_;        // the plot setup dialogs' last name
};

}  // namespace qv
