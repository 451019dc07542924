#include "ui/PlainLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <set>

#include "ui/Binder.h"

namespace qv::ui {

namespace {

bool IsInput(forms::Kind k) {
  using forms::Kind;
  return k == Kind::ComboBox || k == Kind::Edit || k == Kind::MaskEdit || k == Kind::UpDown ||
         k == Kind::ProgressBar;
}

bool IsPlaced(forms::Kind k) {
  using forms::Kind;
  return k != Kind::Window && k != Kind::MenuItem && k != Kind::TabSheet;
}

// Whether a label is the caption of the control after it: it stands before
// an input, or ends in a colon before a value label.
bool Names(const forms::Label& label, const forms::Control& next) {
  if (IsInput(next.GetKind())) return true;
  const std::string& caption = label.Caption();
  const size_t end = caption.find_last_not_of(' ');
  return next.GetKind() == forms::Kind::Label && end != std::string::npos && caption[end] == ':';
}

// A family: like controls numbered in their names, one after the other.
struct Run {
  size_t begin, end;
};

std::string BaseName(const std::string& name) {
  std::string base;
  for (char ch : name)
    if (ch < '0' || ch > '9') base += ch;
  return base;
}

std::vector<Run> Runs(const std::vector<forms::Control*>& todo) {
  std::vector<Run> runs;
  for (size_t i = 0; i < todo.size();) {
    size_t j = i + 1;
    while (j < todo.size() && todo[j]->GetKind() == todo[i]->GetKind() &&
           BaseName(todo[j]->Name()) == BaseName(todo[i]->Name()) &&
           todo[j]->Name() != todo[i]->Name())
      ++j;
    runs.push_back({i, j});
    i = j;
  }
  return runs;
}

}  // namespace

void LayOutPlainly(Binder& binder, forms::Form& form, QWidget& into) {
  // Edits that belong to an up-down come with it.
  std::set<const forms::Control*> withUpDown;
  for (forms::Control* c : form.Controls())
    if (c->GetKind() == forms::Kind::UpDown)
      if (auto* edit = static_cast<forms::UpDown*>(c)->Associated()) withUpDown.insert(edit);

  std::vector<forms::Control*> todo;
  for (forms::Control* c : form.Controls())
    if (IsPlaced(c->GetKind()) && !withUpDown.count(c) && !binder.IsBound(*c)) todo.push_back(c);

  auto* grid = new QGridLayout(&into);
  grid->setContentsMargins(12, 12, 12, 12);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(6);
  int row = 0;
  auto place = [&](forms::Control& c, int column, int span) {
    QWidget* w = binder.MakeAny(c, &into);
    if (!w) return false;  // a timer: no place on screen
    // Without the controls it frames, a group box is a section heading.
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
      group->setFlat(true);
      group->setFixedHeight(group->fontMetrics().height() + 6);
    }
    grid->addWidget(w, row, column, 1, span, Qt::AlignLeft);
    return true;
  };

  const std::vector<Run> runs = Runs(todo);
  for (size_t r = 0; r < runs.size(); ++r) {
    const size_t length = runs[r].end - runs[r].begin;
    if (length >= 2) {
      // Families of equal length side by side make a table, one row per number.
      size_t last = r;
      while (last + 1 < runs.size() && runs[last + 1].end - runs[last + 1].begin == length) ++last;
      auto* table = new QGridLayout;
      table->setHorizontalSpacing(12);
      table->setVerticalSpacing(4);
      for (size_t column = 0; column <= last - r; ++column) {
        const Run& run = runs[r + column];
        for (size_t i = run.begin; i < run.end; ++i)
          if (QWidget* w = binder.MakeAny(*todo[i], &into))
            table->addWidget(w, static_cast<int>(i - run.begin), static_cast<int>(column));
      }
      table->setColumnStretch(static_cast<int>(last - r) + 1, 1);
      grid->addLayout(table, row++, 0, 1, 2);
      r = last;
      continue;
    }
    forms::Control& c = *todo[runs[r].begin];
    if (c.GetKind() == forms::Kind::Label && r + 1 < runs.size() &&
        runs[r + 1].end - runs[r + 1].begin == 1 &&
        Names(static_cast<forms::Label&>(c), *todo[runs[r + 1].begin])) {
      place(c, 0, 1);
      place(*todo[runs[++r].begin], 1, 1);
      ++row;
    } else if (place(c, 0, 2)) {
      ++row;
    }
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row, 1);
}

}  // namespace qv::ui
