#include <gtest/gtest.h>

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
  combo.SetText("A");
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.SetItemIndex(0);
  EXPECT_EQ(combo.Text(), "a");
  EXPECT_EQ(changes, 1);
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
