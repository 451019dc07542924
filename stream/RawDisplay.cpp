#include "stream/RawDisplay.h"

#include "common/Format.h"

namespace qv {

RawDisplay::RawDisplay(RealTimeTab& tab, RawDisplayState& state)
    : tab_(tab), state_(state), lines_(tab.Memo1) {}

void RawDisplay::StartUp() {
  tab_.RawPortCB.SetItemIndex(0);
  tab_.RawMuxIDLB.SetCaption(Format("Logger ID:  %3d", tab_.RawMuxIDUD.Position()));
  tab_.RawSourceCB.SetItemIndex(0);
  // Take the choices over at once, so "Parsed Data" comes up with its port
  // and logger ID choices shown even when no host configuration restores them.
  RawPortCBChange();
}

void RawDisplay::RawPortCBChange() {
  const int id = tab_.RawMuxIDUD.Position();
  tab_.RawMuxIDLB.SetCaption(Format("Logger ID:  %3d", id));
  state_.rawDisplayLoggerId = id;
  state_.rawDisplaySource = tab_.RawSourceCB.ItemIndex();
  state_.rawDisplayPort = tab_.RawPortCB.ItemIndex();
  // The port and logger ID only matter for parsed data.
  const bool parsed = state_.rawDisplaySource <= kRawDisplaySourceParsed;
  tab_.RawMuxIDLB.SetVisible(parsed);
  tab_.RawMuxIDUD.SetVisible(parsed);
  tab_.RawPortCB.SetVisible(parsed);
}

void RawDisplay::BTDisplayRawClick() {
  state_.rawDisplayOn = !state_.rawDisplayOn;
  tab_.BTDisplayRaw.SetCaption(state_.rawDisplayOn ? "Stop Display" : "Display Data");
}

void RawDisplay::PageControl1Change() {
  tab_.BTDisplayRaw.SetCaption("Display Data");
  state_.rawDisplayOn = false;
}

void RawDisplay::CopyRawToDisplay(const std::uint8_t* bytes, int count) {
  CopyFromSource(kRawDisplaySourceRawLogger, bytes, count);
}

void RawDisplay::CopyPcLoggerToDisplay(const std::uint8_t* bytes, int count) {
  CopyFromSource(kRawDisplaySourceRawPcLogger, bytes, count);
}

void RawDisplay::CopyFromSource(int source, const std::uint8_t* bytes, int count) {
  if (!state_.rawDisplayOn || state_.rawDisplaySource != source || state_.Pending()) return;
  state_.Put(bytes, count);
}

void RawDisplay::FastTickEnd() {
  if (state_.Pending())
    lines_.AppendToMemo(state_.RawDisplayLength, state_.RawDisplayBuffer.data());
}

}  // namespace qv
