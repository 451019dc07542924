// Marking the recorded data: the annotation dialog's handlers, the water
// sample numbering, and handing a stamped annotation to the PC Logger.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "common/Prompter.h"
#include "stream/AnnotationForm.h"
#include "stream/PendingAnnotation.h"

namespace qv {

class ArchiveAnnotation {
 public:
  // The most of the edit's text that one annotation takes.
  static constexpr std::size_t kMaxAnnotationChars = 199;

  struct Wiring {
    Prompter& prompter;
    PendingAnnotation& pending;
    // Reads the PC clock now and gives its time text (date, a tab, the time
    // with milliseconds).
    std::function<std::string()> readPcClock;
  };

  explicit ArchiveAnnotation(Wiring wiring);

  AnnotationForm form;

  // "Annotate Archive File" in the Commands menu.
  void MenuAnnotateFileClick() { form.window.Show(); }
  // Stamps `text` with the PC time and leaves it for the PC Logger's next
  // packet; one still waiting is dropped, and the operator told which.
  void InsertAnnotation(const std::string& text);

  void BTSendClick();
  void BTStartClick();
  void BTEndClick();
  void BTResetClick();
  void UDNextClick();
  void BTCloseClick() { form.window.Hide(); }

  // The number of the last started water sample.
  int CurrentSample() const { return currentSample_; }

 private:
  Wiring w_;
  int currentSample_ = 1;
};

}  // namespace qv
