#include "app/HostProgram.h"

#include "common/Format.h"
#include "common/LoggerTime.h"
#include "factory/FactoryTabs.h"

namespace qv {

using forms::Colour;
using forms::Control;

// Hands each received packet and each raw chunk to the subsystem that owns it.
class HostProgram::Router : public PacketConsumer, public RawInputTap {
 public:
  explicit Router(HostProgram& host) : host_(host) {}

  void AcceptDataPacket(std::uint8_t* record, int recordLength) override {
    host_.stream_.AcceptDataPacket(record, recordLength);
  }
  void PayloadLengthError(int length) override { host_.stream_.PayloadLengthError(length); }
  void AcceptHardwareRecord(
      const std::array<std::uint8_t, kHardwareConfigPacketSize>& record) override {
    host_.hardware_.AcceptHardwareRecord(record);
  }
  void ShowAnalogCalRecord(const std::array<std::uint8_t, kAnalogCalPacketSize>& record) override {
    host_.analog_.ShowAnalogCalRecord(std::span<const std::uint8_t>(record));
  }
  bool RawDisplayPending() const override { return host_.stream_.RawDisplayPending(); }
  void OfferRawInput(const std::uint8_t* bytes, int count) override {
    host_.stream_.OfferRawInput(bytes, count);
  }

 private:
  HostProgram& host_;
};

HostProgram::HostProgram(Clock& clock, Prompter& prompter, SerialBackend& backend)
    : clock_(clock),
      prompter_(prompter),
      ports_(backend, prompter),
      commands_(ports_),
      router_(std::make_unique<Router>(*this)),
      pump_(ports_, records_, *router_, *router_),
      link_(ports_, commands_, pump_, prompter, clock,
            LinkSupervisor::Wiring{main_.AutoBaudRateDetection, main_.RTTimeout,
                                   [this] { return setup_.loggerControl.ModeCB.ItemIndex() == 1; }}),
      recordFiles_(prompter),
      setup_(LoggerSetup::Wiring{
          records_.setup, records_.setupReceived, ports_, commands_, prompter, recordFiles_,
          [this] { return loggerState_.model; }, link_.hostPortForm.HostSetupCB,
          statusGroup_.LoggerMode, main_.HostMode, main_.PStore,
          DataStatusLabels{dataStatusTab_.MTypeLabel, dataStatusTab_.MStatusLabel,
                           dataStatusTab_.MFileSizeLabel, dataStatusTab_.Analog}}),
      extraction_(RunExtraction::Wiring{uploadTab_, prompter, main_.ToggleDebug, main_.AddPad1}),
      password_(prompter),
      hardware_(HardwareConfiguration::Wiring{
          hardwareTab_, commands_, prompter, password_, recordFiles_,
          [this] { return loggerState_.model; }, [this](int model) { loggerState_.model = model; }}),
      analog_(AnalogCalibration::Wiring{analogTab_, commands_, prompter, password_, recordFiles_}),
      operations_(commands_, prompter,
                  LoggerOperations::Wiring{setup_.portSetup, setup_.loggerControl, hardwareTab_,
                                           analogTab_, uploadTab_, main_.MenuAutoTimeUpdate,
                                           main_.MenuUpdateTimeNow, password_, clock}),
      status_(commands_, loggerState_,
              StatusDisplay::Wiring{statusGroup_, dataStatusTab_, main_.GBLoggerStatus, main_.Label78, main_.MenuUpdateTimeNow,
                                    main_.MenuAutoTimeUpdate, setup_.portSetup,
                                    setup_.loggerControl, uploadTab_, operations_.muxId.window,
                                    operations_.muxId.LBCurrentMuxID, operations_.sleep.SleepTime,
                                    operations_.sleep.SleepDate, [this] {
                                      UpdatePcClock();
                                      return lastReading_;
                                    }}),
      stream_(DataStream::Wiring{ports_, prompter, pcSlots_, main_.TSRecord, clock,
                                 [this](ByteSource* source) { pump_.SetSource(source); }}),
      pcLogger_(PcLoggerPortSetup::Wiring{ports_, pcSlots_, main_.PageControl1, main_.TSAuxIn,
                                          main_.TSPortSetup, main_.ConfigureSurfacePorts,
                                          main_.CloseAllSurfacePorts}),
      pcClock_(clock),
      pcInput_(PcLoggerInput::Wiring{
          ports_, pcSlots_, pcClock_, pendingAnnotation_,
          [this](std::uint8_t* record, int length) { stream_.AcceptPcLoggerPacket(record, length); },
          [this](const std::uint8_t* record, int length) {
            stream_.CopyPcLoggerToDisplay(record, length);
          }}),
      annotation_(ArchiveAnnotation::Wiring{prompter, pendingAnnotation_,
                                            [this] {
                                              pcClock_.ReadPcClock();
                                              return pcClock_.PcTimeText();
                                            }}),
      modes_(DisplayModes::Wiring{
          ModeLayout{main_.window, main_.PageControl1, main_.TSPortSetup, main_.TSLoggerControl,
                     main_.TSDataStatus, main_.TSUpload, main_.TSRealTime, main_.TSRecord,
                     main_.TSAuxIn, main_.TSPlotSetup, main_.TSHardware, main_.TSAnalog,
                     main_.Menupx5PassThru, main_.MenuMoored, main_.MenuProfile,
                     main_.MenuRealTimeOutput, main_.MenuAnalog, main_.MenuAdvanced,
                     main_.MenuNSQ3, main_.MenuAnnotateFile, main_.MenuLoggerTimeUpdate,
                     main_.MenuAutoTimeUpdate, main_.MenuUpdateTimeNow,
                     main_.MenuAdvancedSettings, main_.MenuMooredTimeUpdate,
                     main_.MenuChangeLoggerID, main_.MenuAuxInSetup, main_.ConfigureSurfacePorts,
                     main_.MenuLoggerPortSetup, main_.MenuLoggerTabs, main_.MenuDisplaylLoggerTabs,
                     main_.MenuHideLoggerTabs, main_.MenuPortSetup, main_.MenuLoggerControl,
                     main_.MenuDataStatus, main_.MenuUpload, main_.MenuRealTimeTabs,
                     main_.DisplayAllHostTabs1, main_.HideAllRealTimeTabs, main_.MenuAuxIn,
                     main_.MenuPlotSetup, main_.MenuRecord, main_.MenuRealTime, main_.MenuReplay},
          setup_,
          {&stream_.recordTab.ReplayArchiveBT, &stream_.recordTab.ReplayContinuousBT,
           &stream_.recordTab.ReplaySpeedLB1, &stream_.recordTab.ReplaySpeedLB2,
           &stream_.recordTab.ReplaySpeedUD, &stream_.recordTab.ReplaySpeedEdit},
          [this] { return stream_.RecordingMode() != RecordingMode::Off; },
          [this] { pcLogger_.ClosePcLoggerPorts(); },
          [this] { link_.ClearNoDataNoticeGiven(); }}),
      hostConfig_(HostConfig::Wiring{prompter, link_.hostPortForm,
                                     [this] {
                                       link_.HostPortCBChange();
                                       link_.HostSetupCBChange();
                                     },
                                     modes_, setup_, uploadTab_, stream_.realTimeTab,
                                     [this] { stream_.Display().RawPortCBChange(); },
                                     stream_.recordTab, pcLogger_.tab,
                                     [this] { pcLogger_.ApplyRestoredSlots(); }}),
      plots_(prompter),
      portTest_(PortTest::Wiring{commands_, prompter, [this] { ShowRawLoggerData(); },
                                 [this] { operations_.BTStopClick(); }}) {
  stream_.SetKeptPacketListener(
      [this](const DataPacketHeader& h, std::span<const std::uint8_t> payload) {
        plots_.FeedDataPacket(h, payload);
      });
  main_.Timer55ms.OnTimer = [this](Control&) { Timer55msTimer(); };
  main_.Timer475ms.OnTimer = [this](Control&) { Timer475msTimer(); };
  main_.Timer1000ms.OnTimer = [this](Control&) { Timer1000msTimer(); };
  main_.TTimeout.OnTimer = [this](Control&) { TTimeoutTimer(); };
  main_.RTTimeout.OnTimer = [this](Control&) { RTTimeoutTimer(); };
  WireMenu();
  WireButtons();
}

HostProgram::~HostProgram() = default;

std::vector<forms::Form*> HostProgram::Forms() {
  return {&main_,           &status_.warning,   &operations_.sleep,  &link_.rs422Form,
          &annotation_.form, &portTest_.dialog,  &link_.hostPortForm, &link_.statsForm,
          &operations_.muxId};
}

std::vector<HostProgram::TabContent> HostProgram::TabContents() {
  return {{&main_.TSPortSetup, &setup_.portSetup},
          {&main_.TSLoggerControl, &setup_.loggerControl},
          {&main_.TSDataStatus, &dataStatusTab_},
          {&main_.TSUpload, &uploadTab_},
          {&main_.TSRealTime, &stream_.realTimeTab},
          {&main_.TSRecord, &stream_.recordTab},
          {&main_.TSAuxIn, &pcLogger_.tab},
          {&main_.TSPlotSetup, &plots_.setupTab},
          {&main_.TSHardware, &hardwareTab_},
          {&main_.TSAnalog, &analogTab_}};
}

void HostProgram::WireMenu() {
  auto on = [](forms::MenuItem& item, std::function<void()> f) {
    item.OnClick = [f = std::move(f)](Control&) { f(); };
  };
  on(main_.Exit1, [this] { BTExitClick(); });
  on(main_.LoadHostSetupFile, [this] { hostConfig_.LoadHostSetupFileClick(); });
  on(main_.StoreHostSetupFile, [this] { hostConfig_.StoreHostSetupFileClick(); });
  main_.PageControl1.OnChange = [this](Control&) { PageControl1Change(); };
  main_.PageControl1.OnResize = [this](Control&) { PageControl1Change(); };
  on(main_.AutoBaudRateDetection, [this] { link_.AutoBaudRateDetectionClick(); });
  on(main_.ConfigureHostPortFrom, [this] { link_.ConfigureHostPortFromClick(); });
  on(main_.ChangeHostInterface, [this] { link_.ChangeHostPortType1Click(); });
  on(main_.HostPortStats, [this] { link_.HostPortStatsClick(); });
  on(main_.ResetToMonitor, [this] { operations_.ResetToMonitorClick(); });
  on(main_.MenuChangeLoggerID, [this] { operations_.MenuChangeLoggerIDClick(); });
  on(main_.LoadDefaultFlashSetup1, [this] { operations_.LoadDefaultLoggerSetupClick(); });
  on(main_.MenuAutoTimeUpdate, [this] { operations_.MenuAutoTimeUpdateClick(); });
  on(main_.MenuUpdateTimeNow, [this] { operations_.MenuUpdateTimeNowClick(); });
  on(main_.MenuAnnotateFile, [this] { annotation_.MenuAnnotateFileClick(); });
  auto hardwareConfigClick = [this] {
    ToggleFactoryTab(main_.PageControl1, main_.TSHardware, main_.HardwareConfig,
                     "Show Hardware Setup", "Hide Hardware Setup");
  };
  auto analogCalClick = [this] {
    ToggleFactoryTab(main_.PageControl1, main_.TSAnalog, main_.AnalogCal,
                     "Show Analog Calibration", "Hide Analog Calibration");
  };
  on(main_.HardwareConfig, hardwareConfigClick);
  on(main_.AnalogCal, analogCalClick);
  on(main_.MenuPlotSetup, [this] { MenuPlotSetupClick(); });
  on(main_.MenuTestOneSerialPort, [this] { portTest_.MenuTestOneSerialPortClick(); });
  hardwareTab_.BTDoneWithHardware.OnClick = [hardwareConfigClick](Control&) { hardwareConfigClick(); };
  analogTab_.BTDoneWithAnalog.OnClick = [analogCalClick](Control&) { analogCalClick(); };
}

void HostProgram::WireButtons() {
  forms::Handler getAndBegin = [this](Control& sender) { operations_.BTGetSetup1Click(sender); };
  for (forms::Button* b : {&setup_.portSetup.BTGetSetup1, &setup_.loggerControl.BTGetSetup2,
                           &setup_.loggerControl.BTBegin, &setup_.loggerControl.BTSleep,
                           &hardwareTab_.BTGetHardware, &hardwareTab_.BTKR7Defaults,
                           &analogTab_.BTGetAnalog})
    b->OnClick = getAndBegin;
  setup_.loggerControl.BTStop.OnClick = [this](Control&) { operations_.BTStopClick(); };
  setup_.loggerControl.BTClearMemory.OnClick = [this](Control&) {
    operations_.BTClearMemoryClick();
  };
}

// The start-up steps in their order; a later subsystem's step goes in its place.
void HostProgram::StartUp() {
  plots_.StartUp();
  ResetPortTables();
  pcLogger_.StartUp();
  pcInput_.ResetPcLoggerPacket(true);  // the first packet carries sequence 0
  hardware_.StartUp();
  portTest_.StartUp();
  link_.StartUp();
  stream_.StartUp();
  ShowFirstPage();
  setup_.Startup();
  analog_.StartUp();
}

// The tab is shown exactly while its menu item is checked.
void HostProgram::MenuPlotSetupClick() {
  main_.MenuPlotSetup.SetChecked(!main_.MenuPlotSetup.Checked());
  main_.TSPlotSetup.SetVisible(main_.MenuPlotSetup.Checked());
}

// The single-port test watches what the logger sends back, raw.
void HostProgram::ShowRawLoggerData() {
  main_.TSRealTime.SetVisible(true);
  main_.PageControl1.SetActivePage(&main_.TSRealTime);
  main_.MenuRealTime.SetChecked(true);
  stream_.realTimeTab.RawSourceCB.SetItemIndex(kRawDisplaySourceRawLogger);
  stream_.Display().RawPortCBChange();
}

// Every port slot closed with setting code 6, the PC port slot table cleared.
void HostProgram::ResetPortTables() {
  pcSlots_.Clear();
  ports_.ResetPortSlots();
}

void HostProgram::ShowFirstPage() { main_.PageControl1.SetActivePage(&main_.TSPortSetup); }

// Holds the busy flag: ticks that come while a box of the loading is open
// are skipped, so nothing is polled before the start-up is done.
void HostProgram::FirstTick() {
  firstTick_ = false;
  busy_ = true;
  StartUp();
  if (!hostConfigPath_.empty()) {
    hostConfig_.LoadHostConfig(hostConfigPath_);
    plots_.LoadLastPlotSetup(ConfigFolder());
  }
  if (modes_.DisplayMode == kDisplayModeNone) modes_.SetupDisplayMode();
  // An index the list does not have chooses no port either.
  if (link_.hostPortForm.HostPortCB.ItemIndex() <= 0) link_.ConfigureHostPortFromClick();
  busy_ = false;
}

// "Last.plt" is kept beside the host configuration file.
std::string HostProgram::ConfigFolder() const {
  const auto slash = hostConfigPath_.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : hostConfigPath_.substr(0, slash);
}

void HostProgram::UpdatePcClock() {
  ClockReading now = clock_.Now();
  lastReading_ = now;
  pcLoggerTime_ = LoggerTimeOf(now);
  if (now.calendar == lastClockSecond_) return;
  lastClockSecond_ = now.calendar;
  const LocalTime& t = now.local;
  main_.LBHostDandT.SetCaption(Format("%02d-%02d-%02d  %02d:%02d:%02d", t.month, t.day,
                                      t.year % 100, t.hour, t.minute, t.second));
  operations_.sleep.HostTime.SetCaption(Format("%02d:%02d:%02d", t.hour, t.minute, t.second));
  operations_.sleep.HostDate.SetCaption(Format("%02d/%02d/%02d", t.month, t.day, t.year % 100));
  stream_.SetHostClock(t);
  status_.PcSecondPassed();
}

void HostProgram::Timer55msTimer() {
  if (firstTick_) {
    FirstTick();
    return;
  }
  if (busy_) {
    ++skippedTicks_;
    return;
  }
  busy_ = true;
  ++tickCount_;
  UpdatePcClock();
  pcClock_.ReadPcClock();  // the PC time text
  link_.ShowTickLines();
  link_.ReopenLostPorts();
  if (!stream_.RawDisplayPending()) link_.PumpCycleDone(pump_.PumpReceive());
  // Also a chunk the pump has just put in the raw display holds the PC Logger back.
  if (!stream_.RawDisplayPending())
    pcInput_.PcLoggerTick(pcLogger_.tab.CBRecordPCTime.Checked(), pcLogger_.PcLoggerIntervalMs(),
                          kFirstPcPortSlot, kLastPcPortSlot);
  stream_.ReplayEndCheck();
  stream_.FastTickEnd();  // the pending raw display chunk into the memo
  plots_.VisitWaitingRecords();
  busy_ = false;
}

void HostProgram::Timer475msTimer() {
  while (records_.setupReceived) setup_.ShowSetup();
  while (hardware_.HardwareRecordWaiting()) hardware_.ShowHardwareRecord();
  while (records_.statusReceived) {
    if (auto status = StatusRecord::Decode(records_.status)) status_.ShowStatus(*status);
    records_.statusReceived = false;
  }
  auto& portList = link_.hostPortForm.HostPortCB;
  portList.SetColour(portList.ItemIndex() == 0 ? Colour::Red : Colour::Window);
  main_.FlashPanel.SetVisible(records_.badFlash != 0);
}

void HostProgram::Timer1000msTimer() {
  link_.ShowSecondLines();
  stream_.RecordingStatusTick();
  stream_.UnitLinesTick();
  link_.ShowModErrors(stream_.ModErrorsTotal());
  // Upload watchdog line and upload sequencing: later.
  pcLogger_.ShowSampleInterval();
  link_.ShowLoops(tickCount_, skippedTicks_);
  tickCount_ = 0;
  pcLogger_.ShowPcPortLines(dataStatusTab_.LBSurface, dataStatusTab_.LBSurfacePort);
  stream_.RecordFlagsTick();
}

void HostProgram::PageControl1Change() {
  // Emptying the run list on the Upload tab: later.
  stream_.PageChanged();
}

void HostProgram::TTimeoutTimer() {}

void HostProgram::BTExitClick() {
  prompter_.Sound(Beep::Question);
  if (prompter_.Ask("Program Termination", "EXIT Program?", Buttons::OkCancel, Icon::Question) !=
      Answer::Ok)
    return;
  // A configuration that cannot be written is told; leaving goes on.
  // The plot setup goes beside it; a folder that refused one file is told once.
  if (!hostConfigPath_.empty() && hostConfig_.WriteHostConfig(hostConfigPath_))
    plots_.SaveLastPlotSetup(ConfigFolder());
  for (int slot = 0; slot < kPortSlots; ++slot) ports_.ClosePortSlot(slot);
  if (onQuit) onQuit();
}

}  // namespace qv
