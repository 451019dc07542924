// The annotation dialog: a note or the start and end of a numbered water
// sample, stamped with the PC time and sent into the archive by the PC Logger.
#pragma once

#include "forms/Form.h"

namespace qv {

struct AnnotationForm : forms::Form {
  AnnotationForm();
  using Label = forms::Label;
  using Button = forms::Button;

  forms::Window window{this, "TAnnotationForm", "Annotate Archive File"};
  forms::Edit EDITAnnotation{this, "EDITAnnotation", "Annotate Here"};
  Button BTSend{this, "BTSend", "Insert Annotation"};
  Button BTStart{this, "BTStart", "Start Water Sample"};
  Button BTEnd{this, "BTEnd", "End Water Sample"};
  Button BTReset{this, "BTReset", "Reset Sample Count"};
  forms::UpDown UDNext{this, "UDNext", 1, 1000, 1};
  Label LBNext{this, "LBNext", "Next Water Sample:  1"};
  Label lbx{this, "lbx",
            "                                Last Annotation                             "};
  Label LBAnnotation{this, "LBAnnotation", "Last Annotation..."};
  Label AnnotateDANDT{this, "AnnotateDANDT", "Date and Time"};
  Button BTClose{this, "BTClose", "Close"};
};

}  // namespace qv
