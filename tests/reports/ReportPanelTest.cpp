#include <gtest/gtest.h>

#include "forms/ScriptedPlatform.h"
#include "shell/ReportPanel.h"

namespace valquor {
namespace {

using Messages = std::vector<std::string>;

struct PanelFixture : ::testing::Test {
  TScriptedPlatform platform;
  TFormPersonalControls form;
  bool american = false;
  TReportPanel panel{form, platform, american};
};

TEST_F(PanelFixture, DayStepsGiveTheirColumnsAndFactor) {
  struct Case {
    const char* Text;
    int Index, Factor, First, Last;
  };
  const Case kCases[] = {
      {"1", 1, 1, 10, 0},        {"2", 2, 2, 20, 0},     {"2*", 3, 4, 40, 20},
      {"5*", 5, 10, 100, 50},    {"11", 7, 11, 110, 0},  {"11*", 8, 22, 220, 110},
      {"44*", 11, 88, 880, 440}, {"65", 12, 65, 650, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Text);
    form.DaysCombo.SetText(c.Text);
    EXPECT_EQ(panel.DayStepIndex(), c.Index);
    EXPECT_EQ(panel.DayStepFactor(), c.Factor);
    EXPECT_EQ(panel.DayColumn(c.Index, 1), c.First);
    EXPECT_EQ(panel.DayColumn(c.Index, 11), c.Last);
    EXPECT_EQ(panel.DayColumn(c.Index, 1), 10 * c.Factor);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(PanelFixture, DayStepsOutsideTheListAreRefused) {
  form.MainForwardLock.SetChecked(true);  // keep the refresh out of it
  form.DaysCombo.SetText("7");
  EXPECT_EQ(panel.DayStepFactor(), 7);
  EXPECT_EQ(panel.ColumnDays(1), -1);
  EXPECT_EQ(platform.TakeMessages(), (Messages{"DaysStep error", "Error 33"}));
  form.DaysCombo.SetText("7.5");
  EXPECT_THROW((void)panel.DayStepFactor(), EConvertError);
  form.DaysCombo.SetText("*");
  EXPECT_THROW((void)panel.DayStepFactor(), EConvertError);
}

TEST_F(PanelFixture, AxisRowsRunFiveStepsEitherSideOfTheBase) {
  form.Steps.SetText("2.5");
  panel.RefreshReportInputs();
  EXPECT_FLOAT_EQ(panel.AxisValue(1, 1000), 1012.5f);
  EXPECT_FLOAT_EQ(panel.AxisValue(6, 1000), 1000.0f);
  EXPECT_FLOAT_EQ(panel.AxisValue(11, 1000), 987.5f);
  form.Steps.SetText("");
  panel.RefreshReportInputs();
  EXPECT_FLOAT_EQ(panel.Inputs.StrikeStep, 10.0f);
}

TEST_F(PanelFixture, TheForwardFollowsThePriceUnlessLocked) {
  panel.RefreshReportInputs();
  EXPECT_EQ(form.ForwardEdit.Text(), "1002.31");
  form.DaysCombo.SetText("2*");  // the change handler is not connected here
  panel.RefreshReportInputs();
  EXPECT_EQ(form.ForwardEdit.Text(), "1004.63");
  form.MainForwardLock.SetChecked(true);
  form.ForwardEdit.SetText("1010");
  form.PriceEdit.SetText("900");
  panel.RefreshReportInputs();
  EXPECT_EQ(form.ForwardEdit.Text(), "1010");
  EXPECT_FLOAT_EQ(panel.Inputs.Forward, 1010.0f);
  EXPECT_FLOAT_EQ(panel.Inputs.Price, 900.0f);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(PanelFixture, ForwardChecksResetToTheStrike) {
  struct Case {
    const char* Forward;
    float Used;
    Messages Shown;
  };
  const Case kCases[] = {
      {"1500", 1500, {}},
      {"1500.01", 1000, {"Calculator cannot handle such a large difference ... forward is reset"}},
      {"10", 10, {}},
      {"-1", 1000, {"Calculator cannot handle such a large difference ... forward is rest"}},
  };
  form.MainForwardLock.SetChecked(true);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Forward);
    form.ForwardEdit.SetText(c.Forward);
    panel.RefreshReportInputs();
    EXPECT_FLOAT_EQ(panel.Inputs.Forward, c.Used);
    EXPECT_EQ(form.ForwardEdit.Text(), c.Forward);  // a locked field keeps its text
    EXPECT_EQ(platform.TakeMessages(), c.Shown);
  }
  // Unlocked, the reset is written back with two decimals.
  form.MainForwardLock.SetChecked(false);
  form.PriceEdit.SetText("1600");
  panel.RefreshReportInputs();
  EXPECT_EQ(form.ForwardEdit.Text(), "1000.00");
  EXPECT_EQ(platform.TakeMessages().size(), 1u);
}

TEST_F(PanelFixture, ChangeHandlersShowTheirMessagesAndStopNothing) {
  // Read twice, for the forward and for the snapshot; the forward grown from -999 is negative.
  form.PriceEdit.SetText("10oo");
  panel.PriceEditChange();
  EXPECT_EQ(platform.TakeMessages(),
            (Messages{"'StrToFloat' error2: 10oo", "'StrToFloat' error2: 10oo",
                      "Calculator cannot handle such a large difference ... forward is rest"}));
  EXPECT_FLOAT_EQ(panel.Inputs.Price, -999.0f);
  EXPECT_EQ(form.ForwardEdit.Text(), "1000.00");

  // A command stops at the text instead, after its one message, and writes nothing.
  form.ForwardEdit.SetText("999");
  EXPECT_THROW((void)panel.ReadReportInputs(platform, true), EAbort);
  EXPECT_EQ(platform.TakeMessages(), Messages{"'StrToFloat' error2: 10oo"});
  EXPECT_EQ(form.ForwardEdit.Text(), "999");
}

TEST_F(PanelFixture, LockRestylesTheTwoPriceFieldsAndClearResetsAdjust) {
  panel.MainForwardLockClick();
  EXPECT_EQ(form.PriceEdit.Color(), clWindow);
  EXPECT_EQ(form.ForwardEdit.Color(), clBtnFace);
  form.MainForwardLock.SetChecked(true);
  panel.MainForwardLockClick();
  EXPECT_EQ(form.PriceEdit.Color(), clBtnFace);
  EXPECT_EQ(form.ForwardEdit.Color(), clWindow);
  form.Adjust.SetValue(-15);
  panel.Button7Click();
  EXPECT_EQ(form.Adjust.Value(), 0);
}

}  // namespace
}  // namespace valquor
