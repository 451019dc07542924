#include <algorithm>
#include <cstdlib>

#include "forms/Form.h"

namespace qv::forms {

const char* ColourName(Colour c) {
  switch (c) {
    case Colour::ButtonFace: return "ButtonFace";
    case Colour::Window: return "Window";
    case Colour::Yellow: return "Yellow";
    case Colour::Red: return "Red";
    case Colour::Lime: return "Lime";
    case Colour::Green: return "Green";
    case Colour::Aqua: return "Aqua";
    case Colour::White: return "White";
    case Colour::Black: return "Black";
  }
  return "?";
}

const char* KindName(Kind k) {
  switch (k) {
    case Kind::Label: return "Label";
    case Kind::Panel: return "Panel";
    case Kind::GroupBox: return "GroupBox";
    case Kind::Button: return "Button";
    case Kind::CheckBox: return "CheckBox";
    case Kind::RadioGroup: return "RadioGroup";
    case Kind::Edit: return "Edit";
    case Kind::MaskEdit: return "MaskEdit";
    case Kind::ComboBox: return "ComboBox";
    case Kind::UpDown: return "UpDown";
    case Kind::ListBox: return "ListBox";
    case Kind::ProgressBar: return "ProgressBar";
    case Kind::Memo: return "Memo";
    case Kind::MenuItem: return "MenuItem";
    case Kind::TabSheet: return "TabSheet";
    case Kind::PageControl: return "PageControl";
    case Kind::Window: return "Window";
    case Kind::Timer: return "Timer";
  }
  return "?";
}

Control::Control(Form* owner, std::string name, Kind kind) : name_(std::move(name)), kind_(kind) {
  if (owner) owner->controls_.push_back(this);
}

Control* Form::Find(const std::string& name) const {
  for (Control* c : controls_)
    if (c->Name() == name) return c;
  return nullptr;
}

void Control::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  Changed();
}

void Control::SetEnabled(bool e) {
  if (enabled_ == e) return;
  enabled_ = e;
  Changed();
}

void Control::SetColour(Colour c) {
  if (colour_ == c) return;
  colour_ = c;
  Changed();
}

void Captioned::SetCaption(std::string c) {
  if (caption_ == c) return;
  caption_ = std::move(c);
  Changed();
}

void Button::UserClick() {
  if (!Enabled() || !Visible()) return;
  Run(OnClick, *this);
}

void CheckBox::SetChecked(bool c) {
  if (checked_ == c) return;
  checked_ = c;
  Changed();
  Run(OnClick, *this);
}

void CheckBox::UserClick() {
  checked_ = !checked_;
  Changed();
  Run(OnClick, *this);
}

int RadioGroup::Valid(int i) const {
  return i < -1 || i >= static_cast<int>(items_.size()) ? -1 : i;
}

void RadioGroup::SetItemIndex(int i) {
  i = Valid(i);
  if (index_ == i) return;
  index_ = i;
  Changed();
  Run(OnClick, *this);
}

void RadioGroup::RestoreItemIndex(int i) {
  i = Valid(i);
  if (index_ == i) return;
  index_ = i;
  Changed();
}

void RadioGroup::UserSelect(int i) {
  if (i < 0 || i >= static_cast<int>(items_.size())) return;
  if (index_ != i) {
    index_ = i;
    Changed();
  }
  Run(OnClick, *this);
}

void Edit::SetText(std::string t) {
  if (text_ == t) return;
  text_ = std::move(t);
  Changed();
  Run(OnChange, *this);
}

void Edit::UserType(std::string t) {
  bool differs = text_ != t;
  text_ = std::move(t);
  if (differs) Changed();
  Run(OnChange, *this);
  if (upDown_) upDown_->TakeFromEdit();
}

void Edit::UserPressEnter() { Run(OnEnterKey, *this); }

void Edit::SetReadOnly(bool r) {
  if (readOnly_ == r) return;
  readOnly_ = r;
  Changed();
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (index_ >= static_cast<int>(items_.size())) index_ = -1;
  Changed();
}

void ComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= static_cast<int>(items_.size())) i = -1;
  if (index_ == i) return;
  index_ = i;
  Changed();
}

std::string ComboBox::Text() const {
  if (index_ >= 0) return items_[static_cast<size_t>(index_)];
  return placeholder_;
}

void ComboBox::SetPlaceholder(std::string p) {
  placeholder_ = std::move(p);
  Changed();
}

void ComboBox::SetItemHints(std::vector<std::string> hints) {
  hints_ = std::move(hints);
  Changed();
}

void ComboBox::UserSelect(int i) {
  if (i < 0 || i >= static_cast<int>(items_.size())) return;
  if (index_ != i) {
    index_ = i;
    Changed();
  }
  Run(OnChange, *this);
}

UpDown::UpDown(Form* owner, std::string name, int min, int max, int position, int increment,
               bool wrap)
    : Control(owner, std::move(name), Kind::UpDown),
      min_(min),
      max_(max),
      position_(position),
      increment_(increment),
      wrap_(wrap) {
  position_ = Clamp(position_);
}

int UpDown::Clamp(int p) const { return std::clamp(p, min_, max_); }

void UpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  SetPosition(position_);
  Changed();
}

void UpDown::SetPosition(int p) {
  p = Clamp(p);
  bool differs = p != position_;
  position_ = p;
  if (differs) Changed();
  if (edit_) edit_->SetText(std::to_string(position_));
}

void UpDown::Associate(Edit& edit) {
  edit_ = &edit;
  edit.upDown_ = this;
  edit.text_ = std::to_string(position_);
}

void UpDown::UserClick(bool up) {
  long next = static_cast<long>(position_) + (up ? increment_ : -increment_);
  if (next > max_) next = wrap_ ? min_ : max_;
  if (next < min_) next = wrap_ ? max_ : min_;
  SetPosition(static_cast<int>(next));
  Run(OnClick, *this);
}

void UpDown::TakeFromEdit() {
  // Text that is no number leaves the position; a number is brought into range.
  const std::string& t = edit_->Text();
  char* end = nullptr;
  long v = std::strtol(t.c_str(), &end, 10);
  if (end == t.c_str()) return;
  v = std::clamp<long>(v, min_, max_);
  if (v != position_) {
    position_ = static_cast<int>(v);
    Changed();
  }
}

void ListBox::AddLine(std::string line) {
  lines_.push_back(std::move(line));
  selected_.push_back(false);
  Changed();
}

void ListBox::Clear() {
  lines_.clear();
  selected_.clear();
  Changed();
}

bool ListBox::Selected(int i) const {
  return i >= 0 && i < static_cast<int>(selected_.size()) && selected_[static_cast<size_t>(i)];
}

void ListBox::SetSelected(int i, bool s) {
  if (i < 0 || i >= static_cast<int>(selected_.size())) return;
  if (!multiSelect_ && s) std::fill(selected_.begin(), selected_.end(), false);
  selected_[static_cast<size_t>(i)] = s;
  Changed();
}

void ListBox::UserSetSelected(int i, bool s) {
  SetSelected(i, s);
  Run(OnSelect, *this);
}

void ProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  Changed();
}

void ProgressBar::SetPosition(int p) {
  p = std::clamp(p, min_, max_);
  if (p == position_) return;
  position_ = p;
  Changed();
}

void Memo::AddLine(std::string line) {
  lines_.push_back(std::move(line));
  ++added_;
  Changed();
}

void Memo::DeleteFirstLine() {
  if (lines_.empty()) return;
  lines_.erase(lines_.begin());
  ++dropped_;
  Changed();
}

void Memo::Clear() {
  dropped_ += lines_.size();
  lines_.clear();
  Changed();
}

MenuItem::MenuItem(Form* owner, std::string name, std::string caption, MenuItem* parent)
    : Captioned(owner, std::move(name), Kind::MenuItem, std::move(caption)), parent_(parent) {
  if (parent_) parent_->children_.push_back(this);
}

void MenuItem::SetChecked(bool c) {
  if (checked_ == c) return;
  checked_ = c;
  Changed();
}

void MenuItem::UserClick() {
  if (!Enabled() || !Visible()) return;
  Run(OnClick, *this);
}

void PageControl::SetActivePage(TabSheet* page) {
  if (active_ == page) return;
  active_ = page;
  Changed();
}

void PageControl::UserChangePage(TabSheet* page) {
  if (page == active_) return;
  active_ = page;
  Changed();
  Run(OnChange, *this);
}

void PageControl::SetBounds(const Bounds& b) {
  if (bounds_ == b) return;
  bounds_ = b;
  Changed();
}

void Window::SetState(WindowState s) {
  if (state_ == s) return;
  state_ = s;
  Changed();
}

void Window::SetSize(int width, int height) {
  if (width < 1 || height < 1 || (width_ == width && height_ == height)) return;
  width_ = width;
  height_ = height;
  Changed();
  Run(OnResize, *this);
}

void Window::UserClose() {
  Run(OnClose, *this);
  Hide();
}

void Timer::Fire() {
  if (Enabled()) Run(OnTimer, *this);
}

}  // namespace qv::forms
