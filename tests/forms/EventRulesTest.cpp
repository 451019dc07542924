// Which changes run a handler: the program's behaviour depends on these rules.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "forms/Form.h"

namespace qv::forms {
namespace {

struct Fixture : Form {
  Fixture() : Form("Fixture") {}
  Label label{this, "Label1", "a"};
  Button button{this, "Button1", "Go"};
  CheckBox check{this, "CheckBox1", "c"};
  RadioGroup radio{this, "RadioGroup1", "r", {"A", "B", "C"}};
  Edit edit{this, "Edit1", "x"};
  MaskEdit mask{this, "MaskEdit1", "HH:MM:SS"};
  ComboBox combo{this, "ComboBox1", {"OFF", "600", "1200"}};
  Edit upEdit{this, "UpEdit"};
  UpDown upDown{this, "UpDown1", 1, 4, 2};
  UpDown wrapping{this, "UpDown2", 0, 3, 3, 1, true};
  MenuItem item{this, "MenuItem1", "Item"};
  TabSheet tabA{this, "TabA", "A"};
  TabSheet tabB{this, "TabB", "B"};
  PageControl pages{this, "PageControl1"};
  Window window{this, "Window1", "W"};
  Timer timer{this, "Timer1", 25, true};
};

struct Case {
  const char* what;
  std::function<void(Fixture&)> act;
  int expectedRuns;
};

TEST(EventRules, WhichChangesRunAHandler) {
  const Case cases[] = {
      {"button click", [](Fixture& f) { f.button.UserClick(); }, 1},
      {"disabled button click", [](Fixture& f) { f.button.SetEnabled(false); f.button.UserClick(); }, 0},
      {"check box set in code to a new state", [](Fixture& f) { f.check.SetChecked(true); }, 1},
      {"check box set in code to its state", [](Fixture& f) { f.check.SetChecked(false); }, 0},
      {"check box clicked", [](Fixture& f) { f.check.UserClick(); }, 1},
      {"radio index set in code, new", [](Fixture& f) { f.radio.SetItemIndex(1); }, 1},
      {"radio index set in code, same", [](Fixture& f) { f.radio.SetItemIndex(-1); }, 0},
      {"radio clicked", [](Fixture& f) { f.radio.UserSelect(2); }, 1},
      {"radio index restored", [](Fixture& f) { f.radio.RestoreItemIndex(1); }, 0},
      {"edit text set in code, new", [](Fixture& f) { f.edit.SetText("y"); }, 1},
      {"edit text set in code, same", [](Fixture& f) { f.edit.SetText("x"); }, 0},
      {"edit typed", [](Fixture& f) { f.edit.UserType("z"); }, 1},
      {"mask edit set in code, new", [](Fixture& f) { f.mask.SetText("12:00:00"); }, 1},
      {"combo index set in code", [](Fixture& f) { f.combo.SetItemIndex(2); }, 0},
      {"combo items set in code", [](Fixture& f) { f.combo.SetItems({"a"}); }, 0},
      {"combo chosen", [](Fixture& f) { f.combo.UserSelect(1); }, 1},
      {"up-down position set in code", [](Fixture& f) { f.upDown.SetPosition(3); }, 0},
      {"up-down clicked", [](Fixture& f) { f.upDown.UserClick(true); }, 1},
      {"menu check set in code", [](Fixture& f) { f.item.SetChecked(true); }, 0},
      {"menu item clicked", [](Fixture& f) { f.item.UserClick(); }, 1},
      {"hidden menu item clicked", [](Fixture& f) { f.item.SetVisible(false); f.item.UserClick(); }, 0},
      {"active page set in code", [](Fixture& f) { f.pages.SetActivePage(&f.tabB); }, 0},
      {"page changed by the user", [](Fixture& f) { f.pages.UserChangePage(&f.tabB); }, 1},
      {"window shown and hidden in code", [](Fixture& f) { f.window.Show(); f.window.Hide(); }, 0},
      {"window closed by the user", [](Fixture& f) { f.window.Show(); f.window.UserClose(); }, 1},
      {"window sized, new", [](Fixture& f) { f.window.SetSize(800, 600); }, 1},
      {"window sized, same", [](Fixture& f) { f.window.SetSize(800, 600); f.window.SetSize(800, 600); }, 1},
      {"window sized to nothing", [](Fixture& f) { f.window.SetSize(0, 600); f.window.SetSize(800, -5); }, 0},
      {"window state set", [](Fixture& f) { f.window.SetState(WindowState::Maximised); }, 0},
      {"timer fired while enabled", [](Fixture& f) { f.timer.Fire(); }, 1},
      {"timer fired while disabled", [](Fixture& f) { f.timer.SetEnabled(false); f.timer.Fire(); }, 0},
      {"caption set in code", [](Fixture& f) { f.label.SetCaption("b"); }, 0},
  };
  for (const Case& c : cases) {
    Fixture f;
    int runs = 0;
    Handler count = [&](Control&) { ++runs; };
    f.button.OnClick = f.check.OnClick = f.radio.OnClick = count;
    f.edit.OnChange = f.mask.OnChange = f.combo.OnChange = count;
    f.upDown.OnClick = f.item.OnClick = f.pages.OnChange = count;
    f.window.OnClose = f.window.OnResize = f.timer.OnTimer = count;
    c.act(f);
    EXPECT_EQ(runs, c.expectedRuns) << c.what;
  }
}

TEST(EventRules, HandlerReceivesItsSender) {
  Fixture f;
  Control* seen = nullptr;
  Handler h = [&](Control& s) { seen = &s; };
  f.button.OnClick = h;
  f.check.OnClick = h;
  f.button.UserClick();
  EXPECT_EQ(seen, &f.button);
  f.check.UserClick();
  EXPECT_EQ(seen, &f.check);
}

TEST(EventRules, UpDownClampsWrapsAndFeedsItsEdit) {
  Fixture f;
  f.upDown.Associate(f.upEdit);
  int editChanges = 0;
  f.upEdit.OnChange = [&](Control&) { ++editChanges; };
  EXPECT_EQ(f.upEdit.Text(), "2");

  // Code sets the position: clamped, the edit follows and raises its own change.
  f.upDown.SetPosition(99);
  EXPECT_EQ(f.upDown.Position(), 4);
  EXPECT_EQ(f.upEdit.Text(), "4");
  EXPECT_EQ(editChanges, 1);

  f.upDown.UserClick(true);  // at the top without wrap: stays
  EXPECT_EQ(f.upDown.Position(), 4);
  f.wrapping.UserClick(true);  // at the top with wrap: to the bottom
  EXPECT_EQ(f.wrapping.Position(), 0);
  f.wrapping.UserClick(false);
  EXPECT_EQ(f.wrapping.Position(), 3);

  // Typing a number into the edit moves the up-down, brought into range.
  f.upEdit.UserType("0");
  EXPECT_EQ(f.upDown.Position(), 1);
  f.upEdit.UserType("3");
  EXPECT_EQ(f.upDown.Position(), 3);
  f.upEdit.UserType("abc");
  EXPECT_EQ(f.upDown.Position(), 3);
}

TEST(EventRules, ComboSelectionAndPlaceholder) {
  Fixture f;
  f.combo.SetPlaceholder("Select Data Source");
  EXPECT_EQ(f.combo.ItemIndex(), -1);
  EXPECT_EQ(f.combo.Text(), "Select Data Source");
  f.combo.SetItemIndex(7);  // no such item: no selection
  EXPECT_EQ(f.combo.ItemIndex(), -1);
  f.combo.SetItemIndex(1);
  EXPECT_EQ(f.combo.Text(), "600");
  f.combo.SetItems({"only"});
  EXPECT_EQ(f.combo.ItemIndex(), -1);
}

TEST(FormModel, ListsItsControlsAndNotifiesTheUiOfChanges) {
  Fixture f;
  EXPECT_EQ(f.Find("ComboBox1"), &f.combo);
  EXPECT_EQ(f.Find("NoSuchControl"), nullptr);
  EXPECT_EQ(f.Controls().front(), &f.label);

  int notices = 0;
  f.label.SetChangeListener([&] { ++notices; });
  f.label.SetCaption("new");
  f.label.SetCaption("new");  // no change, no notice
  f.label.SetColour(Colour::Yellow);
  f.label.SetVisible(false);
  f.label.SetEnabled(false);
  EXPECT_EQ(notices, 4);
}

struct Families : Form {
  Families() : Form("Families") {}
  Family<Label> rows{this, "M%dLabel", 1, 8, "0"};
};

TEST(FormModel, FamiliesAreNamedAndAddressedByNumber) {
  Families f;
  EXPECT_EQ(f.rows[1].Name(), "M1Label");
  EXPECT_EQ(f.rows[8].Name(), "M8Label");
  EXPECT_EQ(f.rows[8].Caption(), "0");
  EXPECT_EQ(f.Controls().size(), 8u);
  EXPECT_THROW(f.rows[9], std::out_of_range);
}

}  // namespace
}  // namespace qv::forms
