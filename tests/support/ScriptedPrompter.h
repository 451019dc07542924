// A prompter for tests: records every box, answers questions and file
// dialogs from queues, and can run a callback while a box is open.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/Prompter.h"

namespace qv {

class ScriptedPrompter : public Prompter {
 public:
  enum class BoxKind { Notice, Question, SaveFile, OpenFile };
  struct Box {
    BoxKind kind;
    std::string caption;
    std::string text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
  };

  Answer Ask(const std::string& caption, const std::string& text, Buttons buttons,
             Icon icon) override;
  void Sound(Beep beep) override { beeps.push_back(beep); }
  std::optional<std::string> SaveFile(const FileDialogSpec& spec) override;
  std::optional<std::string> OpenFile(const FileDialogSpec& spec) override;

  // Answers for the next questions; an empty queue answers Ok or Yes.
  std::deque<Answer> answers;
  // Paths for the next file dialogs; an empty queue cancels.
  std::deque<std::optional<std::string>> files;
  // Runs inside every box while it is open (for re-entry tests).
  std::function<void(const Box&)> whileOpen;

  std::vector<Box> boxes;
  std::vector<Beep> beeps;
  std::vector<FileDialogSpec> fileDialogs;

  std::vector<Box> Notices() const;
  const Box* Last() const { return boxes.empty() ? nullptr : &boxes.back(); }
  void Clear() {
    boxes.clear();
    beeps.clear();
    fileDialogs.clear();
  }

 protected:
  void ShowMessage(const std::string& caption, const std::string& text) override;

 private:
  void Open(const Box& box);
};

}  // namespace qv
