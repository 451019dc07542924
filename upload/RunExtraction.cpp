#include "upload/RunExtraction.h"

namespace qv {

RunExtraction::RunExtraction(Wiring w) : w_(w), extractor_(w.prompter) {
  w_.tab.BTExtract.OnClick = [this](forms::Control&) { BTExtractClick(); };
  w_.tab.ExtractFilesRG.OnClick = [this](forms::Control&) { ExtractFilesRGClick(); };
  w_.toggleDebug.OnClick = [this](forms::Control&) { ToggleDebugClick(); };
  w_.addPad.OnClick = [this](forms::Control&) { AddPad1Click(); };
}

void RunExtraction::BTExtractClick() {
  const int choice = w_.tab.ExtractFilesRG.ItemIndex();
  if (choice < 0) {
    w_.prompter.ShowNotice("Unable to comply", "Please Select the File Types To Be Extracted");
    return;
  }
  FileDialogSpec spec;
  spec.title = "Extract Run File";
  spec.filter = "Run Files|Run.*|All Files|*.*";
  if (const auto path = w_.prompter.OpenFile(spec)) extractor_.ExtractRunFile(*path, choice);
}

void RunExtraction::ToggleDebugClick() {
  extractor_.SetDebugLog(!extractor_.DebugLogOn());
  w_.toggleDebug.SetChecked(extractor_.DebugLogOn());
}

void RunExtraction::AddPad1Click() {
  extractor_.SetAddPad(!extractor_.AddPadOn());
  w_.addPad.SetChecked(extractor_.AddPadOn());
  w_.tab.LBAddPad.SetVisible(extractor_.AddPadOn());
}

}  // namespace qv
