// The binder on a form with one control of each kind that the operator can use.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/Form.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/TimerDriver.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {
namespace {

struct KindsForm : forms::Form {
  KindsForm() : Form("TKindsForm") { ud.Associate(udEdit); }
  forms::CheckBox check{this, "check", "Check"};
  forms::RadioGroup radio{this, "radio", "Radio", {"A", "B", "C"}};
  forms::Edit edit{this, "edit"};
  forms::ComboBox combo{this, "combo", {"x", "y"}};
  forms::Edit udEdit{this, "udEdit"};
  forms::UpDown ud{this, "ud", 0, 5, 4};
  forms::ListBox list{this, "list", true};
  forms::Memo memo{this, "memo"};
};

// Where the operator clicks a check box or radio button: on its indicator.
QPoint Indicator(const QWidget& w) { return {8, w.height() / 2}; }

struct Bound : ::testing::Test {
  KindsForm form;
  std::map<std::string, int> runs;
  QWidget parent;
  Binder binder;

  void SetUp() override {
    auto count = [this](forms::Control& c) { ++runs[c.Name()]; };
    form.check.OnClick = count;
    form.radio.OnClick = count;
    form.edit.OnChange = count;
    form.combo.OnChange = count;
    form.ud.OnClick = count;
    form.list.OnSelect = count;
    auto* layout = new QVBoxLayout(&parent);
    for (forms::Control* c : form.Controls())
      if (c != &form.udEdit) layout->addWidget(binder.MakeAny(*c, &parent));
    parent.show();
  }
  template <class W>
  W* Of(const forms::Control& c) {
    return qobject_cast<W*>(binder.ObjectOf(c));
  }
};

TEST_F(Bound, CodeChangesShowAsTheModelRulesSayAndTheOperatorsActionsRunHandlers) {
  EXPECT_TRUE(binder.Unbound(form).empty());

  // Combo: code runs no handler, the operator's choice does.
  auto* combo = Of<QComboBox>(form.combo);
  EXPECT_EQ(combo->currentIndex(), -1);
  form.combo.SetItemIndex(1);
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_EQ(runs["combo"], 0);
  QTest::keyClick(combo, Qt::Key_Up);
  EXPECT_EQ(form.combo.ItemIndex(), 0);
  EXPECT_EQ(runs["combo"], 1);

  // Check box: the model's own rule runs OnClick for code; the widget adds nothing.
  auto* check = Of<QCheckBox>(form.check);
  form.check.SetChecked(true);
  EXPECT_TRUE(check->isChecked());
  EXPECT_EQ(runs["check"], 1);
  QTest::mouseClick(check, Qt::LeftButton, {}, Indicator(*check));
  EXPECT_FALSE(form.check.Checked());
  EXPECT_EQ(runs["check"], 2);

  // Radio group, including no selection at all.
  auto* radio = Of<QGroupBox>(form.radio);
  auto buttons = radio->findChildren<QRadioButton*>();
  ASSERT_EQ(buttons.size(), 3);
  form.radio.SetItemIndex(2);
  EXPECT_TRUE(buttons[2]->isChecked());
  QTest::mouseClick(buttons[0], Qt::LeftButton, {}, Indicator(*buttons[0]));
  EXPECT_EQ(form.radio.ItemIndex(), 0);
  form.radio.SetItemIndex(-1);
  for (auto* b : buttons) EXPECT_FALSE(b->isChecked());

  // Edit: typing reaches the model keystroke by keystroke.
  auto* edit = Of<QLineEdit>(form.edit);
  form.edit.SetText("ab");
  EXPECT_EQ(edit->text(), "ab");
  const int before = runs["edit"];
  edit->setCursorPosition(2);
  QTest::keyClicks(edit, "cd");
  EXPECT_EQ(form.edit.Text(), "abcd");
  EXPECT_EQ(runs["edit"], before + 2);

  // Visibility and colour follow the model.
  form.check.SetVisible(false);
  EXPECT_FALSE(check->isVisible());
  form.edit.SetColour(forms::Colour::Red);
  EXPECT_EQ(edit->palette().color(QPalette::Base), ColourOf(forms::Colour::Red));
  form.edit.SetColour(forms::Colour::Window);
  EXPECT_EQ(edit->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

TEST_F(Bound, UpDownArrowsClickTheModelAndTypingGoesToItsEdit) {
  auto* box = dynamic_cast<UpDownBox*>(binder.ObjectOf(form.ud));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(binder.ObjectOf(form.udEdit), box);
  EXPECT_EQ(box->Editor()->text(), "4");
  QTest::keyClick(box, Qt::Key_Up);
  EXPECT_EQ(form.ud.Position(), 5);
  EXPECT_EQ(box->Editor()->text(), "5");
  EXPECT_EQ(runs["ud"], 1);
  QTest::keyClick(box, Qt::Key_Up);  // at the top: no click
  EXPECT_EQ(runs["ud"], 1);

  box->Editor()->selectAll();
  QTest::keyClicks(box->Editor(), "2");
  EXPECT_EQ(form.udEdit.Text(), "2");
  EXPECT_EQ(form.ud.Position(), 2);
  QTest::keyClick(box, Qt::Key_Down);
  EXPECT_EQ(form.ud.Position(), 1);
  EXPECT_EQ(box->Editor()->text(), "1");

  // The edit may hold text that is no number; the box shows it as it is.
  form.udEdit.SetText("fast");
  EXPECT_EQ(box->Editor()->text(), "fast");
}

TEST_F(Bound, ListSelectionByTheOperatorReachesTheModel) {
  auto* list = Of<QListWidget>(form.list);
  for (const char* line : {"run 1", "run 2", "run 3"}) form.list.AddLine(line);
  ASSERT_EQ(list->count(), 3);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  EXPECT_TRUE(form.list.Selected(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    list->visualItemRect(list->item(2)).center());
  EXPECT_TRUE(form.list.Selected(1) && form.list.Selected(2));
  EXPECT_GE(runs["list"], 2);
  form.list.SetSelected(1, false);  // code
  EXPECT_FALSE(list->item(1)->isSelected());
  form.list.Clear();
  EXPECT_EQ(list->count(), 0);
}

TEST_F(Bound, MemoFollowsAddedAndDroppedLines) {
  auto* memo = Of<QPlainTextEdit>(form.memo);
  auto shows = [&] {
    QStringList lines;
    for (const auto& l : form.memo.Lines()) lines << QString::fromStdString(l);
    return memo->toPlainText() == lines.join('\n');
  };
  for (int i = 0; i < 5; ++i) form.memo.AddLine("line " + std::to_string(i));
  EXPECT_TRUE(shows());
  form.memo.DeleteFirstLine();
  form.memo.DeleteFirstLine();
  form.memo.AddLine("line 5");
  EXPECT_TRUE(shows());
  EXPECT_EQ(memo->document()->blockCount(), 4);
  for (int i = 0; i < 4; ++i) form.memo.DeleteFirstLine();
  EXPECT_TRUE(shows());
  form.memo.AddLine("after empty");
  EXPECT_TRUE(shows());
  EXPECT_EQ(memo->document()->blockCount(), 1);
  form.memo.Clear();
  form.memo.AddLine("a");
  form.memo.AddLine("b");
  EXPECT_TRUE(shows());
  // A long run keeps the view equal to the model while it scrolls lines out.
  for (int i = 0; i < 500; ++i) {
    form.memo.AddLine(std::to_string(i));
    if (form.memo.Lines().size() > 100) form.memo.DeleteFirstLine();
  }
  EXPECT_TRUE(shows());
  EXPECT_EQ(memo->document()->blockCount(), 100);
}

TEST(TimerDriverTest, KeepsTickingWhileATickWaitsInAModalLoopAndStopsWhenDisabled) {
  forms::Form form("TTimerForm");
  forms::Timer timer(&form, "timer", 10, false);
  int ticks = 0, inside = 0;
  bool busy = false;
  timer.OnTimer = [&](forms::Control&) {
    ++ticks;
    if (busy) {
      ++inside;  // what the fast tick's busy flag turns away
      return;
    }
    busy = true;
    if (ticks == 1) {
      // Like a message box: a nested loop for a while.
      QEventLoop loop;
      QTimer::singleShot(200, &loop, &QEventLoop::quit);
      loop.exec();
    }
    busy = false;
  };
  Binder binder;
  auto* driver = binder.Make(timer);
  QTest::qWait(50);
  EXPECT_EQ(ticks, 0);  // disabled
  timer.SetEnabled(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > 1 && !busy; }, 2000));
  EXPECT_GE(inside, 5);
  EXPECT_EQ(driver->Depth(), 0);
  const int after = ticks;
  QTest::qWait(60);
  EXPECT_GT(ticks, after);  // ticking on after the loop
  timer.SetEnabled(false);
  const int stopped = ticks;
  QTest::qWait(60);
  EXPECT_EQ(ticks, stopped);
}

}  // namespace
}  // namespace qv::ui
