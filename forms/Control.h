// The base of every form control: name, visibility, enabled state, a named
// colour and one change listener through which the ui layer mirrors the model.
#pragma once

#include <functional>
#include <string>

namespace qv::forms {

enum class Colour {
  ButtonFace,
  Window,
  Yellow,
  Red,
  Lime,
  Green,
  Aqua,
  White,
  Black,
};

const char* ColourName(Colour c);

enum class Kind {
  Label,
  Panel,
  GroupBox,
  Button,
  CheckBox,
  RadioGroup,
  Edit,
  MaskEdit,
  ComboBox,
  UpDown,
  ListBox,
  ProgressBar,
  Memo,
  MenuItem,
  TabSheet,
  PageControl,
  Window,
  Timer,
};

const char* KindName(Kind k);

class Control;
class Form;

// A handler receives the control that raised the event, so one handler can
// serve a family of like controls and tell them apart.
using Handler = std::function<void(Control& sender)>;

class Control {
 public:
  // A control made with an owner is listed by that form, so the ui layer can
  // check that every control has a widget.
  Control(Form* owner, std::string name, Kind kind);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  Kind GetKind() const { return kind_; }

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  Colour GetColour() const { return colour_; }
  void SetColour(Colour c);

  // The ui layer's hook: called after any property of this control changed.
  void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }
  bool HasChangeListener() const { return static_cast<bool>(listener_); }

 protected:
  void Changed() {
    if (listener_) listener_();
  }
  static void Run(const Handler& h, Control& sender) {
    if (h) h(sender);
  }

 private:
  std::string name_;
  Kind kind_;
  bool visible_ = true;
  bool enabled_ = true;
  Colour colour_ = Colour::ButtonFace;
  std::function<void()> listener_;
};

}  // namespace qv::forms
