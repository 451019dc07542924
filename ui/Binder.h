// Puts the controls of the form models on screen: one widget (or action,
// timer, dialog) per control, kept like the model through the control's
// change listener, with the operator's actions fed back through the User*
// calls. Pushes into a widget run with its signals blocked, so only the
// operator's own actions reach the model.
#pragma once

#include <QMetaObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "forms/Form.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QObject;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;

namespace qv::ui {

class FormDialog;
class TimerDriver;
class UpDownBox;

class Binder {
 public:
  Binder();
  // Detaches from every control it bound; the models must outlive the binder.
  ~Binder();
  Binder(const Binder&) = delete;
  Binder& operator=(const Binder&) = delete;

  // Each makes the control's widget as a child of parent and binds it.
  QLabel* Make(forms::Label& c, QWidget* parent);
  // A label of tab-separated columns: each tab shown as spaces up to the
  // next of the given character columns (for a fixed-width font).
  QLabel* MakeColumns(forms::Label& c, QWidget* parent, std::vector<int> tabColumns);
  // A label that puts an ellipsis in the middle of a text too long for it,
  // with the whole text as its tooltip.
  QLabel* MakeElided(forms::Label& c, QWidget* parent);
  QLabel* Make(forms::Panel& c, QWidget* parent);
  QGroupBox* Make(forms::GroupBox& c, QWidget* parent);
  QPushButton* Make(forms::Button& c, QWidget* parent);
  QCheckBox* Make(forms::CheckBox& c, QWidget* parent);
  QGroupBox* Make(forms::RadioGroup& c, QWidget* parent);
  QLineEdit* Make(forms::Edit& c, QWidget* parent);  // Edit and MaskEdit
  QComboBox* Make(forms::ComboBox& c, QWidget* parent);
  // The up-down together with its associated edit, if it has one.
  UpDownBox* Make(forms::UpDown& c, QWidget* parent);
  QListWidget* Make(forms::ListBox& c, QWidget* parent);
  QProgressBar* Make(forms::ProgressBar& c, QWidget* parent);
  QPlainTextEdit* Make(forms::Memo& c, QWidget* parent);
  // A tab widget with one page per tab sheet; Page() is a sheet's content.
  QTabWidget* Make(forms::PageControl& c, QWidget* parent);
  QWidget* Page(const forms::TabSheet& sheet) const;
  // Timers live as long as the binder.
  TimerDriver* Make(forms::Timer& c);
  // The form's menu tree: items without a parent become the bar's menus.
  void MakeMenus(forms::Form& form, QMenuBar& bar);
  // Binds a window made by the caller: a FormDialog, or the main window,
  // which reports its own closing.
  void BindWindow(forms::Window& c, QWidget& window);
  // The main window also keeps its state (normal, minimised, maximised) and
  // its normal size like the model's, both ways.
  void BindMainWindow(forms::Window& c, QWidget& window);
  // The widget of the control's kind, for forms without a builder of their
  // own; nullptr for kinds that need a container (menu items, tab sheets).
  QWidget* MakeAny(forms::Control& c, QWidget* parent);

  QObject* ObjectOf(const forms::Control& c) const;
  bool IsBound(const forms::Control& c) const { return ObjectOf(c) != nullptr; }
  // The form's controls that have nothing on screen yet.
  std::vector<const forms::Control*> Unbound(const forms::Form& form) const;
  // Whether any control of the form is bound (a builder has taken it).
  bool Claimed(const forms::Form& form) const;

 private:
  void Attach(forms::Control& c, QObject* object, std::function<void()> push);
  QLabel* BindLabel(forms::Label& c, QLabel* w, std::function<QString(const QString&)> shown,
                    bool tip);
  template <class Sender, class Signal, class Slot>
  void Connect(Sender* sender, Signal signal, Slot slot);
  void MakeMenuItem(forms::MenuItem& item, QMenu& into);
  void BindAction(forms::MenuItem& item, QAction& action);

  std::map<const forms::Control*, QPointer<QObject>> objects_;
  std::vector<forms::Control*> attached_;
  std::vector<QMetaObject::Connection> connections_;
  std::vector<std::function<void()>> detachers_;
  std::map<const forms::TabSheet*, QPointer<QWidget>> pages_;
  std::unique_ptr<QObject> timerOwner_;
};

}  // namespace qv::ui
