#include "stream/StreamForms.h"

#include <initializer_list>

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
  ReplaySpeedUD.Associate(ReplaySpeedEdit);
  // The replay controls show only when the host configuration asks for them.
  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &ReplayArchiveBT, &BTReplayRaw, &ReplayContinuousBT, &ReplaySpeedLB1, &ReplaySpeedLB2,
           &ReplaySpeedUD, &ReplaySpeedEdit})
    c->SetVisible(false);
}

}  // namespace qv
