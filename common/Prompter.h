// Every modal box and file dialog of the program goes through this interface,
// so behaviour can be tested with a scripted prompter instead of windows.
#pragma once

#include <optional>
#include <string>

namespace qv {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Exclamation, Question, Error };
enum class Answer { Ok, Cancel, Yes, No };
enum class Beep { Warning, Question };

struct FileDialogSpec {
  std::string title;
  std::string defaultExtension;  // without the dot; empty for none
  std::string filter;            // "Raw Files|*.raw|All Files|*.*"
  std::string initialName;
  bool overwritePrompt = false;
};

class Prompter {
 public:
  static constexpr int kMaxOpenNotices = 10;

  virtual ~Prompter() = default;

  // The notice box: warning beep, then a modal box with one OK button.
  // While ten notices are open a further one is dropped.
  void ShowNotice(const std::string& caption, const std::string& text);
  int OpenNotices() const { return openNotices_; }

  // A question box; the caller sounds any beep it wants first.
  virtual Answer Ask(const std::string& caption, const std::string& text, Buttons buttons,
                     Icon icon) = 0;
  virtual void Sound(Beep beep) = 0;
  // The chosen path, or nothing when the operator cancelled.
  virtual std::optional<std::string> SaveFile(const FileDialogSpec& spec) = 0;
  virtual std::optional<std::string> OpenFile(const FileDialogSpec& spec) = 0;

 protected:
  // Shows one modal OK box and returns when it is closed.
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;

 private:
  int openNotices_ = 0;
};

}  // namespace qv
