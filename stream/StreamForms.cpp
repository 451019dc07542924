#include "stream/StreamForms.h"

#include "common/Format.h"

namespace qv {

RealTimeTab::RealTimeTab() : Form("RealTimeTab") {
  RawSourceCB.SetPlaceholder("Select Data Source");
  RawPortCB.SetPlaceholder("Display Direct Input");
  RawPortCB.SetVisible(false);
  RawMuxIDUD.SetVisible(false);
  RawMuxIDLB.SetVisible(false);
  LBTimeUnit.SetVisible(false);
  for (int n = 1; n <= 4; ++n) LBUnit[n].SetCaption(Format("Unit %d:", n));
}

RecordTab::RecordTab() : Form("RecordTab") {
  ReplayArchiveBT.SetVisible(false);
  BTReplayRaw.SetVisible(false);
  ReplayContinuousBT.SetVisible(false);
}

}  // namespace qv
