#include "stream/ArchiveAnnotation.h"

#include "common/Format.h"

namespace qv {

using forms::Control;

ArchiveAnnotation::ArchiveAnnotation(Wiring wiring) : w_(std::move(wiring)) {
  form.BTSend.OnClick = [this](Control&) { BTSendClick(); };
  form.BTStart.OnClick = [this](Control&) { BTStartClick(); };
  form.BTEnd.OnClick = [this](Control&) { BTEndClick(); };
  form.BTReset.OnClick = [this](Control&) { BTResetClick(); };
  form.UDNext.OnClick = [this](Control&) { UDNextClick(); };
  form.BTClose.OnClick = [this](Control&) { BTCloseClick(); };
}

void ArchiveAnnotation::InsertAnnotation(const std::string& text) {
  if (w_.pending.pending) {
    // Taken before the box: the PC Logger must not send what is told as lost.
    const std::string lost = *w_.pending.Take();
    w_.prompter.ShowNotice("Error - Unable to insert this record into the Archive File", lost);
  }
  const std::string time = w_.readPcClock ? w_.readPcClock() : std::string();
  form.AnnotateDANDT.SetCaption(time);
  w_.pending.text = time + " " + text;
  w_.pending.pending = true;
}

void ArchiveAnnotation::BTStartClick() {
  const int n = form.UDNext.Position();
  currentSample_ = n;
  const std::string text = Format("Start Sample %1d", n);
  form.LBAnnotation.SetCaption(text);
  InsertAnnotation(text);
  form.UDNext.SetPosition(n + 1);
  // The number the next press takes: the list ends at its last sample.
  form.LBNext.SetCaption(Format("Next Water Sample:  %1d", form.UDNext.Position()));
}

void ArchiveAnnotation::BTEndClick() {
  const std::string text = Format("End Sample %1d", currentSample_);
  form.LBAnnotation.SetCaption(text);
  InsertAnnotation(text);
}

void ArchiveAnnotation::BTSendClick() {
  const std::string text = form.EDITAnnotation.Text().substr(0, kMaxAnnotationChars);
  form.LBAnnotation.SetCaption(text);
  form.EDITAnnotation.SetText("");
  InsertAnnotation(text);
}

void ArchiveAnnotation::BTResetClick() {
  form.UDNext.SetPosition(1);
  form.LBNext.SetCaption("Next Water Sample:  1");
  currentSample_ = 1;
}

void ArchiveAnnotation::UDNextClick() {
  form.LBNext.SetCaption(Format("Next Water Sample: %1d", form.UDNext.Position()));
}

}  // namespace qv
