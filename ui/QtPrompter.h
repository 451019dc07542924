// The prompter on screen: message boxes and file dialogs, modal with their
// own event loop, so the program's timers keep firing while one is open.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "common/Prompter.h"

namespace qv::ui {

// "Raw Files|*.raw|All Files|*.*" as Qt writes it: "Raw Files (*.raw);;All Files (*.*)".
QString QtFileFilter(const std::string& filter);

class QtPrompter : public Prompter {
 public:
  // Boxes are centred on this window; before it exists, on the screen.
  void SetOwner(QWidget* owner) { owner_ = owner; }

  Answer Ask(const std::string& caption, const std::string& text, Buttons buttons,
             Icon icon) override;
  void Sound(Beep beep) override;
  std::optional<std::string> SaveFile(const FileDialogSpec& spec) override;
  std::optional<std::string> OpenFile(const FileDialogSpec& spec) override;

 protected:
  void ShowMessage(const std::string& caption, const std::string& text) override;

 private:
  std::optional<std::string> RunFileDialog(const FileDialogSpec& spec, bool save);
  QPointer<QWidget> owner_;
};

}  // namespace qv::ui
