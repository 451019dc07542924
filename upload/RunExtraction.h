// Extraction as the operator starts it: "Parse Run Files" and a click on
// "Extract File Types" pick a run file, and the two options of the factory
// menu ("Write Debug File", "Add Pad") with their check marks. The upload
// extracts each file it finishes through ExtractRunFile.
#pragma once

#include <string>

#include "common/Prompter.h"
#include "forms/Controls.h"
#include "upload/UploadForms.h"
#include "upload/extraction/RunFileExtractor.h"

namespace qv {

class RunExtraction {
 public:
  struct Wiring {
    UploadTab& tab;
    Prompter& prompter;
    forms::MenuItem& toggleDebug;  // "Write Debug File"
    forms::MenuItem& addPad;       // "Add Pad"
  };
  // Sets the click handlers of the button, the radio group and the two menu items.
  explicit RunExtraction(Wiring w);

  void BTExtractClick();
  void ExtractFilesRGClick() { BTExtractClick(); }
  void ToggleDebugClick();
  void AddPad1Click();

  // Extracts a run file beside itself; the choice is an item of ExtractFilesRG.
  void ExtractRunFile(const std::string& path, int extractChoice) {
    extractor_.ExtractRunFile(path, extractChoice);
  }
  int CurrentRun() const { return extractor_.CurrentRun(); }

 private:
  Wiring w_;
  RunFileExtractor extractor_;
};

}  // namespace qv
