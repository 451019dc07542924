#include "ui/Binder.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/Look.h"
#include "ui/TimerDriver.h"
#include "ui/widgets/ElidingLabel.h"
#include "ui/widgets/FormDialog.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Tells of every resize of the widget it watches, until detached.
class ResizeWatcher : public QObject {
 public:
  ResizeWatcher(QWidget* watched, std::function<void()> onResize)
      : QObject(watched), onResize_(std::move(onResize)) {
    watched->installEventFilter(this);
  }
  void Detach() { onResize_ = nullptr; }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize && watched == parent() && onResize_) onResize_();
    return false;
  }

 private:
  std::function<void()> onResize_;
};

// Tells the model of the window's state and of its size while it is in the
// normal state, until detached.
class WindowWatcher : public QObject {
 public:
  WindowWatcher(QWidget* watched, forms::Window& model) : QObject(watched), model_(&model) {
    watched->installEventFilter(this);
  }
  void Detach() { model_ = nullptr; }
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!model_ || watched != parent() || !w) return false;
    if (event->type() == QEvent::WindowStateChange) model_->SetState(StateOf(*w));
    if (event->type() == QEvent::Resize && w->isVisible() &&
        StateOf(*w) == forms::WindowState::Normal && !w->isFullScreen())
      model_->SetSize(w->width(), w->height());
    return false;
  }
  static forms::WindowState StateOf(const QWidget& w) {
    if (w.isMinimized()) return forms::WindowState::Minimised;
    if (w.isMaximized()) return forms::WindowState::Maximised;
    return forms::WindowState::Normal;
  }

 private:
  forms::Window* model_;
};

void PushWindow(QWidget& w, const forms::Window& c) {
  QSignalBlocker block(&w);
  if (w.windowTitle() != Q(c.Caption())) w.setWindowTitle(Q(c.Caption()));
  if (w.isEnabled() != c.Enabled()) w.setEnabled(c.Enabled());
  if (w.isVisible() != c.Visible()) w.setVisible(c.Visible());
}

// The state, and the size while the window is in the normal state; a window
// that goes back to it from another state takes the model's size.
void PushWindowGeometry(QWidget& w, const forms::Window& c) {
  const QSize size(c.Width(), c.Height());
  const bool sized = !size.isEmpty();
  const forms::WindowState shown = WindowWatcher::StateOf(w);
  if (c.State() != shown) {
    const Qt::WindowStates others = w.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (c.State()) {
      case forms::WindowState::Normal: w.setWindowState(others); break;
      case forms::WindowState::Minimised: w.setWindowState(others | Qt::WindowMinimized); break;
      case forms::WindowState::Maximised: w.setWindowState(others | Qt::WindowMaximized); break;
    }
  }
  if (c.State() == forms::WindowState::Normal && sized && w.size() != size) w.resize(size);
}

// Visibility, enabled state and colour, touched only when they differ, so a
// push never repaints or re-polishes a widget for nothing.
void PushCommon(QWidget& w, const forms::Control& c, bool fill) {
  if (w.isHidden() == c.Visible()) w.setVisible(c.Visible());
  if (w.isEnabled() != c.Enabled()) w.setEnabled(c.Enabled());
  const int colour = static_cast<int>(c.GetColour());
  const QVariant shown = w.property("qvColour");
  if (!shown.isValid() || shown.toInt() != colour) {
    ApplyColour(w, c.GetColour(), fill);
    w.setProperty("qvColour", colour);
  }
}

void SetTextIfDiffers(QLabel& w, const QString& t) {
  if (w.text() != t) w.setText(t);
}

// The item as the operator sees it: the device behind a COM item beside it.
QStringList ComboTexts(const forms::ComboBox& c) {
  QStringList texts;
  const auto& items = c.Items();
  const auto& hints = c.ItemHints();
  for (size_t i = 0; i < items.size(); ++i) {
    QString t = Q(items[i]);
    if (i < hints.size() && !hints[i].empty()) t += QStringLiteral("   ") + Q(hints[i]);
    texts << t;
  }
  return texts;
}

QString JoinLines(const std::vector<std::string>& lines, size_t from) {
  QString text;
  for (size_t i = from; i < lines.size(); ++i) {
    if (i > from) text += QLatin1Char('\n');
    text += Q(lines[i]);
  }
  return text;
}

// What a memo view has taken of its model so far.
struct MemoFollower {
  std::uint64_t added = 0;
  std::uint64_t dropped = 0;
  size_t shown = 0;
};

void FollowMemo(QPlainTextEdit& w, const forms::Memo& c, MemoFollower& f) {
  const std::uint64_t adds = c.AddedCount() - f.added;
  const std::uint64_t drops = c.DroppedCount() - f.dropped;
  f.added = c.AddedCount();
  f.dropped = c.DroppedCount();
  if (adds == 0 && drops == 0) return;
  const auto& lines = c.Lines();
  // Only the lines that came and went are touched, unless the counts do not
  // add up (a drop of lines never shown), then the view starts over.
  if (drops > f.shown || adds > lines.size() || f.shown - drops + adds != lines.size()) {
    w.setPlainText(JoinLines(lines, 0));
    f.shown = lines.size();
    w.verticalScrollBar()->setValue(w.verticalScrollBar()->maximum());
    return;
  }
  if (drops == f.shown) {
    w.clear();
  } else if (drops > 0) {
    QTextCursor cursor(w.document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, static_cast<int>(drops));
    cursor.removeSelectedText();
  }
  f.shown -= static_cast<size_t>(drops);
  if (adds > 0) w.appendPlainText(JoinLines(lines, lines.size() - static_cast<size_t>(adds)));
  f.shown += static_cast<size_t>(adds);
}

}  // namespace

Binder::Binder() : timerOwner_(std::make_unique<QObject>()) {}

Binder::~Binder() {
  for (auto& connection : connections_) QObject::disconnect(connection);
  for (auto& detach : detachers_) detach();
  for (forms::Control* c : attached_) c->SetChangeListener(nullptr);
  timerOwner_.reset();
}

template <class Sender, class Signal, class Slot>
void Binder::Connect(Sender* sender, Signal signal, Slot slot) {
  connections_.push_back(QObject::connect(sender, signal, sender, std::move(slot)));
}

void Binder::Attach(forms::Control& c, QObject* object, std::function<void()> push) {
  objects_[&c] = object;
  attached_.push_back(&c);
  c.SetChangeListener(push);
  push();
}

QObject* Binder::ObjectOf(const forms::Control& c) const {
  auto it = objects_.find(&c);
  return it == objects_.end() ? nullptr : it->second.data();
}

std::vector<const forms::Control*> Binder::Unbound(const forms::Form& form) const {
  std::vector<const forms::Control*> missing;
  for (const forms::Control* c : form.Controls())
    if (!IsBound(*c)) missing.push_back(c);
  return missing;
}

bool Binder::Claimed(const forms::Form& form) const {
  return std::any_of(form.Controls().begin(), form.Controls().end(),
                     [this](const forms::Control* c) { return IsBound(*c); });
}

QLabel* Binder::BindLabel(forms::Label& c, QLabel* w,
                          std::function<QString(const QString&)> shown, bool tip) {
  w->setTextFormat(Qt::PlainText);
  Attach(c, w, [&c, w = QPointer<QLabel>(w), shown = std::move(shown), tip] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, true);
    const QString caption = Q(c.Caption());
    SetTextIfDiffers(*w, shown ? shown(caption) : caption);
    if (tip && w->toolTip() != caption) w->setToolTip(caption);
  });
  return w;
}

QLabel* Binder::Make(forms::Label& c, QWidget* parent) {
  return BindLabel(c, new QLabel(parent), nullptr, false);
}

QLabel* Binder::MakeColumns(forms::Label& c, QWidget* parent, std::vector<int> tabColumns) {
  return BindLabel(
      c, new QLabel(parent),
      [columns = std::move(tabColumns)](const QString& t) { return ExpandTabs(t, columns); },
      false);
}

QLabel* Binder::MakeElided(forms::Label& c, QWidget* parent) {
  return BindLabel(c, new ElidingLabel(Qt::ElideMiddle, parent), nullptr, true);
}

QLabel* Binder::Make(forms::Panel& c, QWidget* parent) {
  auto* w = new QLabel(parent);
  w->setTextFormat(Qt::PlainText);
  w->setFrameStyle(QFrame::Panel | QFrame::Raised);
  w->setAlignment(Qt::AlignCenter);
  w->setWordWrap(true);
  Attach(c, w, [&c, w = QPointer<QLabel>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, true);
    SetTextIfDiffers(*w, Q(c.Caption()));
  });
  return w;
}

QGroupBox* Binder::Make(forms::GroupBox& c, QWidget* parent) {
  auto* w = new QGroupBox(parent);
  Attach(c, w, [&c, w = QPointer<QGroupBox>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, false);
    if (w->title() != Q(c.Caption())) w->setTitle(Q(c.Caption()));
  });
  return w;
}

QPushButton* Binder::Make(forms::Button& c, QWidget* parent) {
  auto* w = new QPushButton(parent);
  w->setAutoDefault(false);
  Attach(c, w, [&c, w = QPointer<QPushButton>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, false);
    if (w->text() != Q(c.Caption())) w->setText(Q(c.Caption()));
  });
  Connect(w, &QPushButton::clicked, [&c] { c.UserClick(); });
  return w;
}

QCheckBox* Binder::Make(forms::CheckBox& c, QWidget* parent) {
  auto* w = new QCheckBox(parent);
  auto push = [&c, w = QPointer<QCheckBox>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, true);
    if (w->text() != Q(c.Caption())) w->setText(Q(c.Caption()));
    if (w->isChecked() != c.Checked()) w->setChecked(c.Checked());
  };
  Attach(c, w, push);
  // The model toggles itself and may be set back by its handler.
  Connect(w, &QCheckBox::clicked, [&c, push] {
    c.UserClick();
    push();
  });
  return w;
}

QGroupBox* Binder::Make(forms::RadioGroup& c, QWidget* parent) {
  auto* w = new QGroupBox(parent);
  auto* layout = new QVBoxLayout(w);
  auto* group = new QButtonGroup(w);
  for (size_t i = 0; i < c.Items().size(); ++i) {
    auto* radio = new QRadioButton(Q(c.Items()[i]), w);
    group->addButton(radio, static_cast<int>(i));
    layout->addWidget(radio);
  }
  auto push = [&c, w = QPointer<QGroupBox>(w), group = QPointer<QButtonGroup>(group)] {
    if (!w || !group) return;
    QSignalBlocker block(w);
    QSignalBlocker blockGroup(group);
    PushCommon(*w, c, true);
    if (w->title() != Q(c.Caption())) w->setTitle(Q(c.Caption()));
    if (group->checkedId() == c.ItemIndex()) return;
    if (QAbstractButton* b = group->button(c.ItemIndex())) {
      b->setChecked(true);
    } else {
      // An exclusive group cannot be emptied by unchecking its checked button.
      group->setExclusive(false);
      for (QAbstractButton* any : group->buttons()) any->setChecked(false);
      group->setExclusive(true);
    }
  };
  Attach(c, w, push);
  Connect(group, &QButtonGroup::idClicked, [&c, push](int id) {
    c.UserSelect(id);
    push();
  });
  return w;
}

QLineEdit* Binder::Make(forms::Edit& c, QWidget* parent) {
  auto* w = new QLineEdit(parent);
  Attach(c, w, [&c, w = QPointer<QLineEdit>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, false);
    if (w->text() != Q(c.Text())) w->setText(Q(c.Text()));
    if (w->isReadOnly() != c.ReadOnly()) w->setReadOnly(c.ReadOnly());
  });
  Connect(w, &QLineEdit::textEdited, [&c](const QString& t) { c.UserType(t.toStdString()); });
  Connect(w, &QLineEdit::returnPressed, [&c] { c.UserPressEnter(); });
  return w;
}

QComboBox* Binder::Make(forms::ComboBox& c, QWidget* parent) {
  auto* w = new QComboBox(parent);
  w->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  Attach(c, w, [&c, w = QPointer<QComboBox>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, false);
    const QStringList texts = ComboTexts(c);
    bool same = w->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i) same = w->itemText(i) == texts[i];
    if (!same) {
      w->clear();
      w->addItems(texts);
    }
    if (w->currentIndex() != c.ItemIndex()) w->setCurrentIndex(c.ItemIndex());
    if (w->placeholderText() != Q(c.Placeholder())) w->setPlaceholderText(Q(c.Placeholder()));
    if (w->maxVisibleItems() != c.DropDownCount()) w->setMaxVisibleItems(c.DropDownCount());
  });
  Connect(w, &QComboBox::activated, [&c](int index) { c.UserSelect(index); });
  return w;
}

UpDownBox* Binder::Make(forms::UpDown& c, QWidget* parent) {
  forms::Edit* edit = c.Associated();
  auto* w = new UpDownBox(parent);
  w->setKeyboardTracking(false);
  w->onStep = [&c](bool up) { c.UserClick(up); };
  w->canStep = [&c](bool up) {
    if (!c.Enabled() || !c.Visible()) return false;
    if (c.Wrap()) return c.Max() > c.Min();
    return up ? c.Position() < c.Max() : c.Position() > c.Min();
  };
  w->textOf = [&c, edit] { return edit ? Q(edit->Text()) : QString::number(c.Position()); };
  detachers_.push_back([w = QPointer<UpDownBox>(w)] {
    if (!w) return;
    w->onStep = nullptr;
    w->canStep = nullptr;
    w->textOf = nullptr;
  });
  auto push = [&c, edit, w = QPointer<UpDownBox>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    QSignalBlocker blockEditor(w->Editor());
    // The two models share one widget: it shows while either is visible.
    const forms::Control& face = edit ? static_cast<const forms::Control&>(*edit) : c;
    PushCommon(*w, face, false);
    if (w->isHidden() == (c.Visible() || face.Visible())) w->setVisible(c.Visible() || face.Visible());
    w->setRange(std::min(c.Min(), c.Max()), std::max(c.Min(), c.Max()));
    w->setValue(c.Position());
    const QString text = edit ? Q(edit->Text()) : QString::number(c.Position());
    if (w->Editor()->text() != text) w->Editor()->setText(text);
    const bool readOnly = !edit || edit->ReadOnly();
    if (w->Editor()->isReadOnly() != readOnly) w->Editor()->setReadOnly(readOnly);
    w->update();
  };
  Attach(c, w, push);
  if (edit) {
    Attach(*edit, w, push);
    Connect(w->Editor(), &QLineEdit::textEdited,
            [edit](const QString& t) { edit->UserType(t.toStdString()); });
    Connect(w->Editor(), &QLineEdit::returnPressed, [edit] { edit->UserPressEnter(); });
  }
  return w;
}

QListWidget* Binder::Make(forms::ListBox& c, QWidget* parent) {
  auto* w = new QListWidget(parent);
  w->setFont(FixedFont());
  w->setSelectionMode(c.MultiSelect() ? QAbstractItemView::ExtendedSelection
                                      : QAbstractItemView::SingleSelection);
  auto push = [&c, w = QPointer<QListWidget>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    QSignalBlocker blockSelection(w->selectionModel());
    PushCommon(*w, c, false);
    const auto& lines = c.Lines();
    bool same = w->count() == static_cast<int>(lines.size());
    for (int i = 0; same && i < w->count(); ++i)
      same = w->item(i)->text() == Q(lines[static_cast<size_t>(i)]);
    if (!same) {
      w->clear();
      for (const auto& line : lines) w->addItem(Q(line));
    }
    for (int i = 0; i < w->count(); ++i)
      if (w->item(i)->isSelected() != c.Selected(i)) w->item(i)->setSelected(c.Selected(i));
    w->viewport()->update();
  };
  Attach(c, w, push);
  Connect(w, &QListWidget::itemSelectionChanged, [&c, w = QPointer<QListWidget>(w), push] {
    if (!w) return;
    std::vector<int> on, off;
    for (int i = 0; i < w->count(); ++i) {
      const bool s = w->item(i)->isSelected();
      if (s != c.Selected(i)) (s ? on : off).push_back(i);
    }
    for (int i : off) c.UserSetSelected(i, false);
    for (int i : on) c.UserSetSelected(i, true);
    push();
  });
  return w;
}

QProgressBar* Binder::Make(forms::ProgressBar& c, QWidget* parent) {
  auto* w = new QProgressBar(parent);
  w->setTextVisible(false);
  Attach(c, w, [&c, w = QPointer<QProgressBar>(w)] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, false);
    w->setRange(c.Min(), std::max(c.Min(), c.Max()));
    w->setValue(c.Position());
  });
  return w;
}

QPlainTextEdit* Binder::Make(forms::Memo& c, QWidget* parent) {
  auto* w = new QPlainTextEdit(parent);
  w->setReadOnly(true);
  w->setUndoRedoEnabled(false);  // an undo history would keep every line ever shown
  w->setLineWrapMode(QPlainTextEdit::NoWrap);
  w->setFont(FixedFont());
  auto follower = std::make_shared<MemoFollower>();
  Attach(c, w, [&c, w = QPointer<QPlainTextEdit>(w), follower] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, false);
    FollowMemo(*w, c, *follower);
  });
  return w;
}

QTabWidget* Binder::Make(forms::PageControl& c, QWidget* parent) {
  auto* w = new QTabWidget(parent);
  // Every tab stays in view: a caption too long for the row (the recording
  // status, which changes each second during a replay) is cut short, as the
  // row would otherwise scroll and lose the other tabs.
  w->setUsesScrollButtons(false);
  w->setElideMode(Qt::ElideRight);
  // Each page scrolls, so a large tab stays usable in a small window; a
  // hidden tab's page is hidden too, so no hidden tab's content is ever seen.
  auto areas = std::make_shared<std::vector<QPointer<QWidget>>>();
  for (forms::TabSheet* sheet : c.Pages()) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* area = new QScrollArea(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->setObjectName(Q(sheet->Name()));
    area->setWidget(content);
    layout->addWidget(area);
    w->addTab(page, Q(sheet->Caption()));
    pages_[sheet] = content;
    areas->push_back(area);
  }
  auto push = [&c, w = QPointer<QTabWidget>(w), areas] {
    if (!w) return;
    QSignalBlocker block(w);
    PushCommon(*w, c, false);
    const auto& pages = c.Pages();
    for (size_t i = 0; i < pages.size(); ++i) {
      const int index = static_cast<int>(i);
      const forms::TabSheet& sheet = *pages[i];
      if (w->tabText(index) != Q(sheet.Caption())) w->setTabText(index, Q(sheet.Caption()));
      if (w->isTabVisible(index) != sheet.Visible()) w->setTabVisible(index, sheet.Visible());
      if (w->isTabEnabled(index) != sheet.Enabled()) w->setTabEnabled(index, sheet.Enabled());
      if (QWidget* area = (*areas)[i]; area && area->isHidden() == sheet.Visible())
        area->setVisible(sheet.Visible());
    }
    const auto it = std::find(pages.begin(), pages.end(), c.ActivePage());
    if (it != pages.end() && (*it)->Visible())
      w->setCurrentIndex(static_cast<int>(it - pages.begin()));
  };
  for (size_t i = 0; i < c.Pages().size(); ++i)
    Attach(*c.Pages()[i], w->widget(static_cast<int>(i)), push);
  Attach(c, w, push);
  auto choose = [&c](int index) {
    if (index < 0 || index >= static_cast<int>(c.Pages().size())) return;
    c.UserChangePage(c.Pages()[static_cast<size_t>(index)]);
  };
  Connect(w, &QTabWidget::currentChanged, choose);
  // A click on the tab shown while the model's active page is hidden.
  Connect(w, &QTabWidget::tabBarClicked, choose);
  auto* watcher = new ResizeWatcher(w, [&c] { c.Resized(); });
  detachers_.push_back([watcher = QPointer<ResizeWatcher>(watcher)] {
    if (watcher) watcher->Detach();
  });
  return w;
}

QWidget* Binder::Page(const forms::TabSheet& sheet) const {
  auto it = pages_.find(&sheet);
  return it == pages_.end() ? nullptr : it->second.data();
}

TimerDriver* Binder::Make(forms::Timer& c) {
  auto* driver = new TimerDriver(c, timerOwner_.get());
  detachers_.push_back([driver = QPointer<TimerDriver>(driver)] {
    if (driver) driver->Detach();
  });
  Attach(c, driver, [driver = QPointer<TimerDriver>(driver)] {
    if (driver) driver->Sync();
  });
  return driver;
}

void Binder::BindAction(forms::MenuItem& item, QAction& action) {
  auto push = [&item, a = QPointer<QAction>(&action)] {
    if (!a) return;
    QSignalBlocker block(a);
    if (a->text() != Q(item.Caption())) a->setText(Q(item.Caption()));
    if (a->isVisible() != item.Visible()) a->setVisible(item.Visible());
    if (a->isEnabled() != item.Enabled()) a->setEnabled(item.Enabled());
    // Only an item that shows a check mark is drawn checkable.
    if (a->isCheckable() != item.Checked()) a->setCheckable(item.Checked());
    if (a->isChecked() != item.Checked()) a->setChecked(item.Checked());
  };
  Attach(item, &action, push);
  // The handler decides the check mark; Qt's own toggle is put right after.
  Connect(&action, &QAction::triggered, [&item, push] {
    item.UserClick();
    push();
  });
}

void Binder::MakeMenuItem(forms::MenuItem& item, QMenu& into) {
  if (item.IsSeparatorBefore()) into.addSeparator();
  if (item.Children().empty()) {
    BindAction(item, *into.addAction(Q(item.Caption())));
    return;
  }
  QMenu* sub = into.addMenu(Q(item.Caption()));
  BindAction(item, *sub->menuAction());
  // Opening an item with children is its click.
  Connect(sub, &QMenu::aboutToShow, [&item] { item.UserClick(); });
  for (forms::MenuItem* child : item.Children()) MakeMenuItem(*child, *sub);
}

void Binder::MakeMenus(forms::Form& form, QMenuBar& bar) {
  for (forms::Control* c : form.Controls()) {
    if (c->GetKind() != forms::Kind::MenuItem) continue;
    auto& item = static_cast<forms::MenuItem&>(*c);
    if (item.Parent()) continue;
    if (item.Children().empty()) {
      BindAction(item, *bar.addAction(Q(item.Caption())));
      continue;
    }
    QMenu* menu = bar.addMenu(Q(item.Caption()));
    BindAction(item, *menu->menuAction());
    Connect(menu, &QMenu::aboutToShow, [&item] { item.UserClick(); });
    for (forms::MenuItem* child : item.Children()) MakeMenuItem(*child, *menu);
  }
}

void Binder::BindWindow(forms::Window& c, QWidget& window) {
  if (auto* dialog = dynamic_cast<FormDialog*>(&window)) {
    dialog->onUserClose = [&c] { c.UserClose(); };
    detachers_.push_back([d = QPointer<FormDialog>(dialog)] {
      if (d) d->onUserClose = nullptr;
    });
  }
  Attach(c, &window, [&c, w = QPointer<QWidget>(&window)] {
    if (w) PushWindow(*w, c);
  });
}

void Binder::BindMainWindow(forms::Window& c, QWidget& window) {
  auto* watcher = new WindowWatcher(&window, c);
  detachers_.push_back([watcher = QPointer<WindowWatcher>(watcher)] {
    if (watcher) watcher->Detach();
  });
  Attach(c, &window, [&c, w = QPointer<QWidget>(&window)] {
    if (!w) return;
    // Sized before it is shown, so it never shows at another size.
    PushWindowGeometry(*w, c);
    PushWindow(*w, c);
  });
}

QWidget* Binder::MakeAny(forms::Control& c, QWidget* parent) {
  using forms::Kind;
  switch (c.GetKind()) {
    case Kind::Label: return Make(static_cast<forms::Label&>(c), parent);
    case Kind::Panel: return Make(static_cast<forms::Panel&>(c), parent);
    case Kind::GroupBox: return Make(static_cast<forms::GroupBox&>(c), parent);
    case Kind::Button: return Make(static_cast<forms::Button&>(c), parent);
    case Kind::CheckBox: return Make(static_cast<forms::CheckBox&>(c), parent);
    case Kind::RadioGroup: return Make(static_cast<forms::RadioGroup&>(c), parent);
    case Kind::Edit:
    case Kind::MaskEdit: return Make(static_cast<forms::Edit&>(c), parent);
    case Kind::ComboBox: return Make(static_cast<forms::ComboBox&>(c), parent);
    case Kind::UpDown: return Make(static_cast<forms::UpDown&>(c), parent);
    case Kind::ListBox: return Make(static_cast<forms::ListBox&>(c), parent);
    case Kind::ProgressBar: return Make(static_cast<forms::ProgressBar&>(c), parent);
    case Kind::Memo: return Make(static_cast<forms::Memo&>(c), parent);
    case Kind::PageControl: return Make(static_cast<forms::PageControl&>(c), parent);
    case Kind::Timer: Make(static_cast<forms::Timer&>(c)); return nullptr;
    case Kind::MenuItem:
    case Kind::TabSheet:
    case Kind::Window: return nullptr;
  }
  return nullptr;
}

}  // namespace qv::ui
