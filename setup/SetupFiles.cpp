// Logger setup files (.lst): the 192 bytes of the setup record as held,
// with no header of their own.
#include "common/Prompter.h"
#include "common/RecordFileDialogs.h"
#include "setup/LoggerSetup.h"

namespace qv {

void LoggerSetup::SaveSetupFileClick() {
  if (!setupCurrent_) {
    w_.prompter.Sound(Beep::Warning);
    const Answer a = w_.prompter.Ask(
        "**** Warning ****",
        "The Setup shown on the Host Program may not match the Setup in the Data Logger.\n\n"
        "Do you still want to save the current Setup?",
        Buttons::OkCancel, Icon::Exclamation);
    if (a != Answer::Ok) return;
  }
  w_.recordFiles.WriteRecordFile(kLoggerSetupFile, w_.record.data());
  SetupFileName = w_.recordFiles.SaveDialogName();
}

void LoggerSetup::OpenSetupFileClick() {
  if (w_.recordFiles.ReadRecordFile(kLoggerSetupFile, w_.record.data()) <= 0) return;
  ShowSetup();
  // A setup from a file is not the logger's.
  SetSetupCurrent(false);
  SetupFileName = w_.recordFiles.OpenDialogName();
}

}  // namespace qv
