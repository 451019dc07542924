#include "tests/support/ScriptedPrompter.h"

namespace qv {

void ScriptedPrompter::Open(const Box& box) {
  boxes.push_back(box);
  if (whileOpen) whileOpen(box);
}

void ScriptedPrompter::ShowMessage(const std::string& caption, const std::string& text) {
  Open({BoxKind::Notice, caption, text, Buttons::Ok, Icon::Exclamation});
}

Answer ScriptedPrompter::Ask(const std::string& caption, const std::string& text,
                             Buttons buttons, Icon icon) {
  Open({BoxKind::Question, caption, text, buttons, icon});
  if (!answers.empty()) {
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

std::optional<std::string> ScriptedPrompter::SaveFile(const FileDialogSpec& spec) {
  fileDialogs.push_back(spec);
  Open({BoxKind::SaveFile, spec.title, spec.initialName, Buttons::OkCancel, Icon::None});
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

std::optional<std::string> ScriptedPrompter::OpenFile(const FileDialogSpec& spec) {
  fileDialogs.push_back(spec);
  Open({BoxKind::OpenFile, spec.title, spec.initialName, Buttons::OkCancel, Icon::None});
  if (files.empty()) return std::nullopt;
  auto f = files.front();
  files.pop_front();
  return f;
}

std::vector<ScriptedPrompter::Box> ScriptedPrompter::Notices() const {
  std::vector<Box> out;
  for (const Box& b : boxes)
    if (b.kind == BoxKind::Notice) out.push_back(b);
  return out;
}

}  // namespace qv
