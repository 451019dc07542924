// The Qt prompter's boxes: modal, answered by their buttons, with the
// program's timers still firing while one is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "forms/Form.h"
#include "ui/Binder.h"
#include "ui/QtPrompter.h"

namespace qv::ui {
namespace {

// Runs `act` on the modal box as soon as it is open.
template <class Box, class Act>
void WhenOpen(Act act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    if (auto* box = qobject_cast<Box*>(QApplication::activeModalWidget())) {
      poll->deleteLater();
      act(*box);
    }
  });
  poll->start(20);
}

TEST(QtPrompterTest, QuestionsAnswerByTheirButtonsWhileTimersKeepFiring) {
  forms::Form form("TTimerForm");
  forms::Timer timer(&form, "timer", 25, true);
  int ticks = 0;
  timer.OnTimer = [&](forms::Control&) { ++ticks; };
  Binder binder;
  binder.Make(timer);

  QtPrompter prompter;
  const std::tuple<Buttons, QMessageBox::StandardButton, Answer> cases[] = {
      {Buttons::OkCancel, QMessageBox::Cancel, Answer::Cancel},
      {Buttons::OkCancel, QMessageBox::Ok, Answer::Ok},
      {Buttons::YesNoCancel, QMessageBox::No, Answer::No},
      {Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
  };
  for (const auto& [buttons, press, answer] : cases) {
    WhenOpen<QMessageBox>([press = press, &ticks](QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), "Caption");
      EXPECT_EQ(box.text(), "<b>Text</b>");  // shown as it stands, not as markup
      const int before = ticks;
      QTest::qWait(150);
      EXPECT_GT(ticks, before + 2);
      box.button(press)->click();
    });
    EXPECT_EQ(prompter.Ask("Caption", "<b>Text</b>", buttons, Icon::Question), answer);
  }

  // The notice box: one OK button.
  WhenOpen<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.buttons().size(), 1);
    box.button(QMessageBox::Ok)->click();
  });
  prompter.ShowNotice("Notice", "Something happened");
  EXPECT_EQ(prompter.OpenNotices(), 0);
}

TEST(QtPrompterTest, FileDialogsTakeTitleFilterExtensionAndInitialName) {
  QtPrompter prompter;
  WhenOpen<QFileDialog>([](QFileDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Save Raw File");
    EXPECT_EQ(d.nameFilters(), QStringList({"Raw Files (*.raw)", "All Files (*.*)"}));
    EXPECT_EQ(d.defaultSuffix(), "raw");
    EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(d.testOption(QFileDialog::DontConfirmOverwrite));
    d.reject();
  });
  EXPECT_EQ(prompter.SaveFile({"Save Raw File", "raw", "Raw Files|*.raw|All Files|*.*", "x.raw", true}),
            std::nullopt);

  WhenOpen<QFileDialog>([](QFileDialog& d) {
    EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(d.fileMode(), QFileDialog::ExistingFile);
    d.reject();
  });
  EXPECT_EQ(prompter.OpenFile({"Open Setup File", "lst", "Setup Files|*.lst", "", false}),
            std::nullopt);
}

}  // namespace
}  // namespace qv::ui
