// The control kinds with the event rules the program relies on: which changes
// made in code run a handler and which do not. User* methods stand for the
// operator's own actions and always run the handler the user would trigger.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/Control.h"

namespace qv::forms {

// Caption-only controls: setting the caption never runs a handler.
class Captioned : public Control {
 public:
  Captioned(Form* owner, std::string name, Kind kind, std::string caption)
      : Control(owner, std::move(name), kind), caption_(std::move(caption)) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string c);

 private:
  std::string caption_;
};

class Label : public Captioned {
 public:
  Label(Form* owner, std::string name, std::string caption = {})
      : Captioned(owner, std::move(name), Kind::Label, std::move(caption)) {}
};

class Panel : public Captioned {
 public:
  Panel(Form* owner, std::string name, std::string caption = {})
      : Captioned(owner, std::move(name), Kind::Panel, std::move(caption)) {}
};

class GroupBox : public Captioned {
 public:
  GroupBox(Form* owner, std::string name, std::string caption = {})
      : Captioned(owner, std::move(name), Kind::GroupBox, std::move(caption)) {}
};

class Button : public Captioned {
 public:
  Button(Form* owner, std::string name, std::string caption = {})
      : Captioned(owner, std::move(name), Kind::Button, std::move(caption)) {}
  Handler OnClick;
  // The operator's click; a disabled or hidden button cannot be clicked.
  void UserClick();
};

// Setting the state in code runs OnClick when the state changes.
class CheckBox : public Captioned {
 public:
  CheckBox(Form* owner, std::string name, std::string caption = {}, bool checked = false)
      : Captioned(owner, std::move(name), Kind::CheckBox, std::move(caption)), checked_(checked) {}
  bool Checked() const { return checked_; }
  void SetChecked(bool c);
  void UserClick();
  Handler OnClick;

 private:
  bool checked_;
};

// Setting the item index in code runs OnClick when the index changes.
class RadioGroup : public Captioned {
 public:
  RadioGroup(Form* owner, std::string name, std::string caption, std::vector<std::string> items)
      : Captioned(owner, std::move(name), Kind::RadioGroup, std::move(caption)),
        items_(std::move(items)) {}
  const std::vector<std::string>& Items() const { return items_; }
  int ItemIndex() const { return index_; }
  void SetItemIndex(int i);
  // Puts back a stored choice without the click that setting it would run.
  void RestoreItemIndex(int i);
  void UserSelect(int i);
  Handler OnClick;

 private:
  int Valid(int i) const;
  std::vector<std::string> items_;
  int index_ = -1;
};

class UpDown;

// Setting the text in code runs OnChange when the text changes.
class Edit : public Control {
 public:
  Edit(Form* owner, std::string name, std::string text = {}, Kind kind = Kind::Edit)
      : Control(owner, std::move(name), kind), text_(std::move(text)) {}
  const std::string& Text() const { return text_; }
  void SetText(std::string t);
  // The operator typed: the text is taken and OnChange runs; an up-down
  // bound to this edit takes the number, brought into its range.
  void UserType(std::string t);
  // The Enter key in the edit.
  void UserPressEnter();
  Handler OnChange;
  Handler OnEnterKey;
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool r);

 private:
  friend class UpDown;
  std::string text_;
  UpDown* upDown_ = nullptr;
  bool readOnly_ = false;
};

class MaskEdit : public Edit {
 public:
  MaskEdit(Form* owner, std::string name, std::string text = {})
      : Edit(owner, std::move(name), std::move(text), Kind::MaskEdit) {}
};

// Setting the item index or the items in code runs no handler; -1 is no selection.
class ComboBox : public Control {
 public:
  ComboBox(Form* owner, std::string name, std::vector<std::string> items = {})
      : Control(owner, std::move(name), Kind::ComboBox), items_(std::move(items)) {}
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  int ItemIndex() const { return index_; }
  // An index outside the items clears the selection.
  void SetItemIndex(int i);
  // The selected item's text, or the placeholder text when nothing is selected.
  std::string Text() const;
  const std::string& Placeholder() const { return placeholder_; }
  void SetPlaceholder(std::string p);
  // Notes shown beside the items (e.g. the device behind a COM item); never
  // part of the item text the program reads.
  const std::vector<std::string>& ItemHints() const { return hints_; }
  void SetItemHints(std::vector<std::string> hints);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int n) { dropDownCount_ = n; }
  void UserSelect(int i);
  Handler OnChange;

 private:
  std::vector<std::string> items_;
  int index_ = -1;
  std::string placeholder_;
  std::vector<std::string> hints_;
  int dropDownCount_ = 8;
};

// Setting the position in code clamps it and runs no handler of the up-down;
// the associated edit shows the number (and so runs its own OnChange).
class UpDown : public Control {
 public:
  UpDown(Form* owner, std::string name, int min, int max, int position, int increment = 1,
         bool wrap = false);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int Increment() const { return increment_; }
  bool Wrap() const { return wrap_; }
  void SetRange(int min, int max);
  void SetPosition(int p);
  void Associate(Edit& edit);
  Edit* Associated() const { return edit_; }
  // One click of the arrows: steps by the increment, clamps or wraps at the
  // ends, then runs OnClick.
  void UserClick(bool up);
  Handler OnClick;

 private:
  friend class Edit;
  void TakeFromEdit();
  int Clamp(int p) const;
  int min_, max_, position_, increment_;
  bool wrap_;
  Edit* edit_ = nullptr;
};

class ListBox : public Control {
 public:
  ListBox(Form* owner, std::string name, bool multiSelect = false)
      : Control(owner, std::move(name), Kind::ListBox), multiSelect_(multiSelect) {}
  const std::vector<std::string>& Lines() const { return lines_; }
  void AddLine(std::string line);
  void Clear();
  bool MultiSelect() const { return multiSelect_; }
  bool Selected(int i) const;
  void SetSelected(int i, bool s);
  void UserSetSelected(int i, bool s);
  Handler OnSelect;

 private:
  std::vector<std::string> lines_;
  std::vector<bool> selected_;
  bool multiSelect_;
};

class ProgressBar : public Control {
 public:
  ProgressBar(Form* owner, std::string name, int min = 0, int max = 100)
      : Control(owner, std::move(name), Kind::ProgressBar), min_(min), max_(max) {}
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetRange(int min, int max);
  void SetPosition(int p);

 private:
  int min_, max_, position_ = 0;
};

class Memo : public Control {
 public:
  Memo(Form* owner, std::string name) : Control(owner, std::move(name), Kind::Memo) {}
  const std::vector<std::string>& Lines() const { return lines_; }
  void AddLine(std::string line);
  void DeleteFirstLine();
  void Clear();
  // How many lines were added and dropped in all, so a view can follow the
  // memo without copying every line on each change.
  std::uint64_t AddedCount() const { return added_; }
  std::uint64_t DroppedCount() const { return dropped_; }

 private:
  std::vector<std::string> lines_;
  std::uint64_t added_ = 0;
  std::uint64_t dropped_ = 0;
};

// Setting the check mark in code runs no handler.
class MenuItem : public Captioned {
 public:
  MenuItem(Form* owner, std::string name, std::string caption, MenuItem* parent = nullptr);
  bool Checked() const { return checked_; }
  void SetChecked(bool c);
  MenuItem* Parent() const { return parent_; }
  const std::vector<MenuItem*>& Children() const { return children_; }
  bool IsSeparatorBefore() const { return separatorBefore_; }
  void SetSeparatorBefore(bool s) { separatorBefore_ = s; }
  void UserClick();
  Handler OnClick;

 private:
  bool checked_ = false;
  MenuItem* parent_;
  std::vector<MenuItem*> children_;
  bool separatorBefore_ = false;
};

// Visible() is the tab's visibility in its page control.
class TabSheet : public Captioned {
 public:
  TabSheet(Form* owner, std::string name, std::string caption)
      : Captioned(owner, std::move(name), Kind::TabSheet, std::move(caption)) {}
};

// Where a control stands in its window, in pixels.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

// Setting the active page in code runs no handler; the operator's change does.
class PageControl : public Control {
 public:
  PageControl(Form* owner, std::string name) : Control(owner, std::move(name), Kind::PageControl) {}
  const Bounds& GetBounds() const { return bounds_; }
  void SetBounds(const Bounds& b);
  void AddPage(TabSheet& page) { pages_.push_back(&page); }
  const std::vector<TabSheet*>& Pages() const { return pages_; }
  TabSheet* ActivePage() const { return active_; }
  void SetActivePage(TabSheet* page);
  void UserChangePage(TabSheet* page);
  // The ui layer tells of every change of the control's size.
  void Resized() { Run(OnResize, *this); }
  Handler OnChange;
  Handler OnResize;

 private:
  std::vector<TabSheet*> pages_;
  TabSheet* active_ = nullptr;
  Bounds bounds_;
};

enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

// A window or dialog; Visible() is whether it is shown. Its size is the size
// it has, or would have again, in the normal state; a change of the size,
// made in code or by the operator, runs OnResize, as the window's contents
// are laid out anew either way. A size of no pixels is no size: it is ignored.
class Window : public Captioned {
 public:
  Window(Form* owner, std::string name, std::string caption)
      : Captioned(owner, std::move(name), Kind::Window, std::move(caption)) {
    SetVisible(false);
  }
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Shown() const { return Visible(); }
  // The operator closed the window: OnClose runs, then it is hidden.
  void UserClose();
  Handler OnClose;

  WindowState State() const { return state_; }
  void SetState(WindowState s);
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int width, int height);
  Handler OnResize;

 private:
  WindowState state_ = WindowState::Normal;
  int width_ = 0;
  int height_ = 0;
};

// Fired by the ui layer at its interval while enabled.
class Timer : public Control {
 public:
  Timer(Form* owner, std::string name, int intervalMs, bool enabled)
      : Control(owner, std::move(name), Kind::Timer), interval_(intervalMs) {
    SetEnabled(enabled);
  }
  int Interval() const { return interval_; }
  void Fire();
  Handler OnTimer;

 private:
  int interval_;
};

}  // namespace qv::forms
