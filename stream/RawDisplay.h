// The Real Time tab's display: which source fills the raw display buffer,
// switching it on and off, and emptying the buffer into the memo each tick.
#pragma once

#include <cstdint>

#include "stream/MemoLines.h"
#include "stream/RawDisplayState.h"
#include "stream/StreamForms.h"

namespace qv {

class RawDisplay {
 public:
  RawDisplay(RealTimeTab& tab, RawDisplayState& state);

  // Start-up: first port and first source chosen, the logger ID label filled.
  void StartUp();
  // Takes over source, port and logger ID from the tab.
  void RawPortCBChange();
  void RawMuxIDUDClick() { RawPortCBChange(); }
  void BTDisplayRawClick();
  // Any page change of the main page control switches the display off.
  void PageControl1Change();

  // A chunk read from the logger port, shown with the "Raw Logger Data" source.
  void CopyRawToDisplay(const std::uint8_t* bytes, int count);
  // A PC Logger record, shown with the "Raw PC Logger Data" source.
  void CopyPcLoggerToDisplay(const std::uint8_t* bytes, int count);
  // End of every fast tick: the pending chunk goes to the memo.
  void FastTickEnd();

  MemoLines& Lines() { return lines_; }

 private:
  void CopyFromSource(int source, const std::uint8_t* bytes, int count);

  RealTimeTab& tab_;
  RawDisplayState& state_;
  MemoLines lines_;
};

}  // namespace qv
