// The annotation dialog: the PC time stamp, the water sample numbering,
// an annotation that replaces one still waiting, and the length taken.
#include <gtest/gtest.h>

#include "stream/ArchiveAnnotation.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv::testing {
namespace {

class AnnotationTest : public ::testing::Test {
 public:
  ScriptedPrompter prompter;
  PendingAnnotation pending;
  int readings = 0;
  ArchiveAnnotation annotation{{prompter, pending, [this] {
                                  ++readings;
                                  return "09-12-26\t13:40:05.120";
                                }}};
  AnnotationForm& form = annotation.form;

  std::string Taken() { return pending.Take().value_or("(none)"); }
};

TEST_F(AnnotationTest, AnAnnotationIsStampedWithThePcTimeAndWaits) {
  form.EDITAnnotation.UserType("Net in the water");
  form.BTSend.UserClick();
  EXPECT_EQ(form.EDITAnnotation.Text(), "");
  EXPECT_EQ(form.LBAnnotation.Caption(), "Net in the water");
  EXPECT_EQ(form.AnnotateDANDT.Caption(), "09-12-26\t13:40:05.120");
  EXPECT_EQ(readings, 1);
  EXPECT_EQ(Taken(), "09-12-26\t13:40:05.120 Net in the water");
  EXPECT_EQ(Taken(), "(none)");
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(AnnotationTest, WaterSamplesAreNumberedFromTheNextSampleControl) {
  EXPECT_EQ(form.LBNext.Caption(), "Next Water Sample:  1");
  for (int i = 0; i < 4; ++i) form.UDNext.UserClick(true);
  EXPECT_EQ(form.LBNext.Caption(), "Next Water Sample: 5");  // one space after a click

  form.BTStart.UserClick();
  EXPECT_EQ(Taken(), "09-12-26\t13:40:05.120 Start Sample 5");
  EXPECT_EQ(form.LBAnnotation.Caption(), "Start Sample 5");
  EXPECT_EQ(form.UDNext.Position(), 6);
  EXPECT_EQ(form.LBNext.Caption(), "Next Water Sample:  6");
  // Ending twice ends the same sample twice.
  for (int i = 0; i < 2; ++i) {
    form.BTEnd.UserClick();
    EXPECT_EQ(Taken(), "09-12-26\t13:40:05.120 End Sample 5");
  }
  EXPECT_EQ(annotation.CurrentSample(), 5);

  form.BTReset.UserClick();
  EXPECT_EQ(form.UDNext.Position(), 1);
  EXPECT_EQ(form.LBNext.Caption(), "Next Water Sample:  1");
  form.BTEnd.UserClick();
  EXPECT_EQ(Taken(), "09-12-26\t13:40:05.120 End Sample 1");

  // At the last sample number the next one offered is the last again.
  form.UDNext.SetPosition(1000);
  form.BTStart.UserClick();
  EXPECT_EQ(form.LBNext.Caption(), "Next Water Sample:  1000");
}

TEST_F(AnnotationTest, ASecondAnnotationReplacesTheFirstAndTellsWhichWasLost) {
  form.BTStart.UserClick();
  // While the warning is open nothing of either waits for the PC Logger.
  prompter.whileOpen = [this](const ScriptedPrompter::Box&) { EXPECT_FALSE(pending.pending); };
  form.EDITAnnotation.UserType("second");
  form.BTSend.UserClick();
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption,
            "Error - Unable to insert this record into the Archive File");
  EXPECT_EQ(prompter.Notices()[0].text, "09-12-26\t13:40:05.120 Start Sample 1");
  EXPECT_EQ(Taken(), "09-12-26\t13:40:05.120 second");
}

TEST_F(AnnotationTest, AtMost199CharactersAreTaken) {
  const std::string text = std::string(199, 'a') + "bcd";
  form.EDITAnnotation.UserType(text);
  form.BTSend.UserClick();
  EXPECT_EQ(form.LBAnnotation.Caption(), std::string(199, 'a'));
  EXPECT_EQ(Taken(), "09-12-26\t13:40:05.120 " + std::string(199, 'a'));
}

TEST_F(AnnotationTest, TheDialogOpensFromTheMenuAndCloseLeavesTheAnnotationWaiting) {
  EXPECT_FALSE(form.window.Shown());
  annotation.MenuAnnotateFileClick();
  EXPECT_TRUE(form.window.Shown());
  form.BTStart.UserClick();
  form.BTClose.UserClick();
  EXPECT_FALSE(form.window.Shown());
  EXPECT_TRUE(pending.pending);
}

}  // namespace
}  // namespace qv::testing
