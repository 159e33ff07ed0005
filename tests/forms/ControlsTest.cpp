#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Controls.h"
#include "forms/FormPersonalControls.h"
#include "forms/FormWiz2Controls.h"
#include "forms/FormWizControls.h"
#include "forms/Text.h"

namespace valquor {
namespace {

TEST(ControlsTest, SettersFireEventsOnlyOnChange) {
  TForm form("F", "TF", "F", 10, 10);
  TEdit edit(&form, &form, "E", "1");
  TCheckBox check(&form, &form, "C", "c");
  TRadioGroup radio(&form, &form, "R", "r", {"a", "b"});
  int changes = 0, clicks = 0, radioClicks = 0;
  edit.OnChange = [&] { ++changes; };
  check.OnClick = [&] { ++clicks; };
  radio.OnClick = [&] { ++radioClicks; };

  edit.SetText("1");
  edit.SetText("2");
  check.SetChecked(false);
  check.SetChecked(true);
  check.Click();
  radio.SetItemIndex(0);
  radio.SetItemIndex(7);  // past the last item: the last item
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(check.Checked());
  EXPECT_EQ(radio.ItemIndex(), 1);
  EXPECT_EQ(radioClicks, 1);
  radio.SetItemIndex(-5);
  EXPECT_EQ(radio.ItemIndex(), -1);
}

TEST(ControlsTest, SpinEditKeptWithinBoundsTakesTheNearerBoundForATypedNumber) {
  TForm form("F", "TF", "F", 10, 10);
  TSpinEdit steps(&form, &form, "S", 300, 1, 9999, 50);
  steps.KeepWithinBounds = true;
  int changes = 0;
  steps.OnChange = [&] { ++changes; };
  const struct {
    const char* Typed;
    const char* Text;
    int Value;
  } kRows[] = {
      {"10000", "9999", 9999}, {"30000", "9999", 9999}, {"9999", "9999", 9999},
      {"1", "1", 1},           {"0", "1", 1},           {"-5", "1", 1},
      {"450", "450", 450},     {"abc", "abc", 1},       {"", "", 1},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Typed);
    steps.SetText(row.Typed);
    EXPECT_EQ(steps.Text(), row.Text);
    EXPECT_EQ(steps.Value(), row.Value);
  }
  // Only a new text fires: 10000 (as 9999), 1, 450, abc and the empty text.
  EXPECT_EQ(changes, 5);
  steps.SetValue(30000);
  EXPECT_EQ(steps.Text(), "9999");
  steps.StepUp();
  EXPECT_EQ(steps.Value(), 9999);
}

TEST(ControlsTest, SpinEditReadsTypedTextAndKeepsItsBoundsWhenSet) {
  TForm form("F", "TF", "F", 10, 10);
  TSpinEdit steps(&form, &form, "S", 300, 10, 30000, 50);
  TSpinEdit adjust(&form, &form, "A", 0, 0, 0, 5);
  steps.SetText("50000");
  EXPECT_EQ(steps.Value(), 50000);  // typed values are not capped
  steps.SetText("1.5");
  EXPECT_EQ(steps.Value(), 10);  // not an integer: the minimum
  steps.SetValue(40000);
  EXPECT_EQ(steps.Text(), "30000");
  adjust.SetValue(-35);
  EXPECT_EQ(adjust.Value(), -35);  // no bounds
  adjust.StepUp();
  EXPECT_EQ(adjust.Value(), -30);
}

TEST(ControlsTest, ComboBoxFollowsItsItemsWithoutFiringOnProgramSelection) {
  TForm form("F", "TF", "F", 10, 10);
  TComboBox combo(&form, &form, "C", "b", {"a", "b"});
  int changes = 0;
  combo.OnChange = [&] { ++changes; };
  EXPECT_EQ(combo.ItemIndex(), 1);
  combo.SetText("c");
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.SetItemIndex(0);
  EXPECT_EQ(combo.Text(), "a");
  EXPECT_EQ(changes, 1);
}

TEST(ControlsTest, ComboBoxTextsMatchTheirItemWhateverCaseAndBlanks) {
  TForm form("F", "TF", "F", 10, 10);
  TComboBox combo(&form, &form, "C", "Call", {"Call", "Call spread", "2*", "2.5"});
  int changes = 0;
  combo.OnChange = [&] { ++changes; };
  const struct {
    const char* Set;
    const char* Text;
    int Index;
    int Changes;  // OnChange calls for this row
  } kRows[] = {
      {"call spread", "Call spread", 1, 1},
      {"  CALL ", "Call", 0, 1},
      {"Call", "Call", 0, 0},                   // the same item: nothing fires
      {" call", "Call", 0, 0},                  // another spelling of the same item
      {"\t2* ", "2*", 2, 1},                    // tabs count as blanks
      {"2.50", "2.50", -1, 1},                  // no item: kept as typed
      {"Call  spread", "Call  spread", -1, 1},  // blanks inside are not surrounding blanks
      {"", "", -1, 1},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(std::string("'") + row.Set + "'");
    changes = 0;
    combo.SetText(row.Set);
    EXPECT_EQ(combo.Text(), row.Text);
    EXPECT_EQ(combo.ItemIndex(), row.Index);
    EXPECT_EQ(changes, row.Changes);
  }
  EXPECT_EQ(combo.MatchItem(" call SPREAD\t"), 1);
  EXPECT_EQ(combo.MatchItem("call spreads"), -1);
}

TEST(ControlsTest, ComboBoxTypingIsMatchedAndCheckedOnlyWhenItEnds) {
  TForm form("F", "TF", "F", 10, 10);
  TComboBox combo(&form, &form, "C", "Alpha", {"Alpha", "Beta"});
  std::vector<std::string> asked;
  combo.OnValidate = [&](const std::string& text) {
    asked.push_back(text);
    return text == "Gamma";
  };
  int changes = 0;
  combo.OnChange = [&] { ++changes; };

  // Keystrokes keep the text as it stands, trailing blank included; the end of typing matches.
  for (const char* typed : {"b", "be", "bet", "beta", "beta "}) combo.TypeText(typed);
  EXPECT_EQ(combo.Text(), "beta ");
  EXPECT_EQ(changes, 5);
  EXPECT_TRUE(asked.empty());
  combo.CommitText();
  EXPECT_EQ(combo.Text(), "Beta");
  EXPECT_EQ(combo.ItemIndex(), 1);
  EXPECT_TRUE(asked.empty());  // an item needs no check

  // A refused text gives way to the last text that stood, typed or set.
  combo.TypeText("Delta");
  combo.CommitText();
  EXPECT_EQ(combo.Text(), "Beta");
  combo.SetText("Epsilon");
  EXPECT_EQ(combo.Text(), "Beta");
  combo.SetText("Gamma");  // accepted
  EXPECT_EQ(combo.Text(), "Gamma");
  combo.SetText("Zeta");
  EXPECT_EQ(combo.Text(), "Gamma");
  // An item typed exactly (a choice from the list) stands without the end of typing.
  combo.TypeText("Alpha");
  combo.TypeText("Alphas");
  combo.CommitText();
  EXPECT_EQ(combo.Text(), "Alpha");
  EXPECT_EQ(asked, (std::vector<std::string>{"Delta", "Epsilon", "Gamma", "Zeta", "Alphas"}));
  // Program selection counts as a text that stood.
  combo.SetItemIndex(1);
  combo.SetText("Theta");
  EXPECT_EQ(combo.Text(), "Beta");
}

TEST(ControlsTest, PublishedPropertiesAreFoundByNameInAlphabeticalOrder) {
  TFormPersonalControls form;
  const std::vector<TProperty>& properties = form.StrikeEdit.Properties();
  for (std::size_t i = 1; i < properties.size(); ++i) {
    EXPECT_LT(CompareText(properties[i - 1].Name, properties[i].Name), 0);
  }
  const TProperty* text = form.StrikeEdit.FindProperty("text");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Kind, TPropKind::String);
  text->SetStr("1200");
  EXPECT_EQ(form.StrikeEdit.Text(), "1200");

  // A list's index is not published; a radio group's is; page controls publish TabPosition.
  EXPECT_EQ(form.Formula.FindProperty("ItemIndex"), nullptr);
  ASSERT_NE(form.ExpirationStyle.FindProperty("ItemIndex"), nullptr);
  const TProperty* tabs = form.MainPageControl.FindProperty("TabPosition");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->Kind, TPropKind::Enumeration);
  EXPECT_EQ(tabs->GetOrd(), 0);
  const TProperty* checked = form.UseTradingDays.FindProperty("Checked");
  ASSERT_NE(checked, nullptr);
  EXPECT_EQ(checked->TypeName, "Boolean");
  EXPECT_EQ(form.FindProperty("Width")->GetOrd(), 645);
  EXPECT_EQ(form.StartDate.FindProperty("Date")->Kind, TPropKind::Float);
}

TEST(ControlsTest, FormsFindTheirComponentsWhateverTheLetterCase) {
  TFormPersonalControls main;
  TFormWizControls wiz;
  TFormWiz2Controls wiz2;
  EXPECT_EQ(main.FindComponent("strikeedit"), &main.StrikeEdit);
  EXPECT_EQ(main.FindComponent("Nothing"), nullptr);
  EXPECT_EQ(wiz.FindComponent("ForwardPrice"), &wiz.ForwardPrice);
  EXPECT_EQ(wiz2.FindComponent("ForwardPrice"), nullptr);
  EXPECT_EQ(wiz2.PageControl1.ActivePage(), &wiz2.TabSheet5);
  EXPECT_EQ(wiz.PageControl1.ActivePage(), &wiz.Tab);
  // Names are unique within a window.
  for (TComponent* a : main.Components()) {
    EXPECT_EQ(main.FindComponent(a->Name()), a) << a->Name();
  }
}

TEST(ControlsTest, ColourAndCursorIdentifiers) {
  EXPECT_EQ(ColorToIdent(0), "clBlack");
  EXPECT_EQ(ColorToIdent(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToIdent(0x123456), std::nullopt);
  EXPECT_EQ(IdentToColor("clwindow"), clWindow);
  EXPECT_EQ(CursorToIdent(-11), "crHourGlass");
  EXPECT_EQ(IdentToCursor("crDefault"), 0);
}

}  // namespace
}  // namespace valquor
