#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "forms/IniProfile.h"
#include "forms/ScriptedPlatform.h"
#include "shell/PropertySaver.h"
#include "shell/TempFolder.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// A small window with one control of each stored kind, its saver created last.
class TTestWindow : public TForm {
 public:
  explicit TTestWindow(TPlatform& platform, const std::string& name = "FormPersonal")
      : TForm(name, "T" + name, "Valquor", 645, 472), csPropertySaver1(*this, platform) {}

  TEdit StrikeEdit{this, this, "StrikeEdit", "1000"};
  TEdit PriceEdit{this, this, "PriceEdit", "1000"};
  TEdit Unlisted{this, this, "Unlisted", "u"};
  TCheckBox UseTradingDays{this, this, "UseTradingDays", "Use trading days", true};
  TCheckBox Locked{this, this, "Locked", "Lock"};
  TRadioGroup DaysOption{this, this, "DaysOption", "Day counting", {"Trading days", "All days"}};
  TSpinEdit NumberOfSteps{this, this, "NumberOfSteps", 300, 10, 30000, 50};
  TLabel Label43{this, this, "Label43", "-"};
  TPageControl MainPageControl{this, this, "MainPageControl"};
  TComboBox Formula{
      this, this, "Formula", "Black-Scholes", {"Black-Scholes", "Cox-Ross-Rubenstein"}};
  TcsPropertySaver csPropertySaver1;
};

const std::vector<std::string> kItems = {
    "FormPersonal.Height", "FormPersonal.Width", "StrikeEdit.Text", "PriceEdit.Text",
    "UseTradingDays.Checked", "Locked.Checked", "DaysOption.ItemIndex", "NumberOfSteps.Value",
    "Label43.Caption", "Formula.Text", "MainPageControl.TabPosition",
    // These name nothing the window publishes.
    "Formula.ItemIndex", "CheckBox1.Checked", "Form1.WindowState"};

class PropertySaverTest : public ::testing::Test {
 protected:
  void SetUp() override { platform_.Folder = folder_.Path(); }

  std::unique_ptr<TTestWindow> NewWindow() {
    auto window = std::make_unique<TTestWindow>(platform_);
    window->csPropertySaver1.SetAppCompany("Kestrane");
    window->csPropertySaver1.SetAppName("valqor11");
    window->csPropertySaver1.SetStorage(TcsStorage::stIniFile);
    window->csPropertySaver1.SetItems(kItems);
    window->csPropertySaver1.Loaded();
    return window;
  }
  fs::path IniFile() const { return folder_.Path() / "valqor11.ini"; }
  void WriteIni(const std::string& text) const {
    std::ofstream out(IniFile(), std::ios::binary);
    out << text;
  }
  std::string ReadIni() const {
    std::ifstream in(IniFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  TTempFolder folder_;
  TScriptedPlatform platform_;
};

TEST_F(PropertySaverTest, PropertiesBecomeTextsByTheirKind) {
  TTestWindow w(platform_);
  w.SetColor(clBlack);
  w.StrikeEdit.SetColor(0x123456);
  w.MainPageControl.SetTabPosition(TTabPosition::tpLeft);
  w.Locked.SetChecked(true);
  struct Row {
    const TComponent* Component;
    const char* Property;
    const char* Expected;
  };
  const Row rows[] = {
      {&w, "Color", "clBlack"},                // a colour with an identifier
      {&w.StrikeEdit, "Color", "1193046"},     // a colour without one
      {&w.Label43, "Color", "clBtnFace"},      // a system colour
      {&w.StrikeEdit, "Cursor", "crDefault"},  // a cursor
      {&w, "Height", "472"},                   // any other integer
      {&w.UseTradingDays, "Checked", "TRUE"},  // Booleans
      {&w.StrikeEdit, "ReadOnly", "FALSE"},
      {&w.MainPageControl, "TabPosition", "2"},  // another enumeration: its ordinal
      {&w.StrikeEdit, "Text", "1000"},           // texts
      {&w.Label43, "Caption", "-"},
      {&w.StrikeEdit, "Font", ""},  // objects are never stored
      {&w.StrikeEdit, "OnChange", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Component->Name() + "." + row.Property);
    const TProperty* p = row.Component->FindProperty(row.Property);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(TcsPropertySaver::PropertyToText(*p), row.Expected);
  }
}

TEST_F(PropertySaverTest, TextsBecomePropertiesByTheirKind) {
  struct Row {
    const char* Component;
    const char* Property;
    const char* Text;
    const char* Expected;  // PropertyToText afterwards
    bool Refused;          // EConvertError
  };
  const Row rows[] = {
      {"StrikeEdit", "Color", "clNavy", "clNavy", false},
      {"StrikeEdit", "Color", "clnavy", "clNavy", false},
      {"StrikeEdit", "Color", "255", "clRed", false},
      {"StrikeEdit", "Color", "$FF", "clRed", false},
      {"StrikeEdit", "Color", "pink", "clWindow", true},
      {"NumberOfSteps", "Value", "450", "450", false},
      {"NumberOfSteps", "Value", "4.5", "300", true},
      {"UseTradingDays", "Checked", "FALSE", "FALSE", false},
      {"UseTradingDays", "Checked", "false", "TRUE", false},  // only exact texts count
      {"UseTradingDays", "Checked", "0", "TRUE", false},
      {"Locked", "Checked", "TRUE", "TRUE", false},
      {"Locked", "Checked", "True", "FALSE", false},
      {"MainPageControl", "TabPosition", "1", "1", false},
      {"MainPageControl", "TabPosition", "bottom", "0", true},
      {"DaysOption", "ItemIndex", "1", "1", false},
      {"DaysOption", "ItemIndex", "-1", "-1", false},
      {"DaysOption", "ItemIndex", "abc", "0", true},
      {"StrikeEdit", "Text", "", "", false},
      {"StrikeEdit", "Text", "  9,5 ", "  9,5 ", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Component) + "." + row.Property + "=" + row.Text);
    TTestWindow w(platform_);
    TComponent* c = w.FindComponent(row.Component);
    ASSERT_NE(c, nullptr);
    const TProperty* p = c->FindProperty(row.Property);
    ASSERT_NE(p, nullptr);
    if (row.Refused) {
      EXPECT_THROW(w.csPropertySaver1.TextToProperty(*p, row.Text), EConvertError);
    } else {
      w.csPropertySaver1.TextToProperty(*p, row.Text);
    }
    EXPECT_EQ(TcsPropertySaver::PropertyToText(*p), row.Expected);
  }
}

TEST_F(PropertySaverTest, ItemsMatchPathsWithoutRegardToLetterCase) {
  TTestWindow w(platform_);
  struct Row {
    std::vector<std::string> Items;
    const TComponent* Component;
    const char* Property;
    bool Listed;
  };
  const Row rows[] = {
      {{"strikeedit.text"}, &w.StrikeEdit, "Text", true},
      {{"STRIKEEDIT.TEXT"}, &w.StrikeEdit, "text", true},
      {{"StrikeEdit.Text"}, &w.PriceEdit, "Text", false},
      {{"TEdit.Text"}, &w.PriceEdit, "Text", true},  // by class name
      {{"Text"}, &w.Unlisted, "Text", true},         // the property name alone
      {{"TForm.Height"}, &w, "Height", true},        // any window
      {{"TForm.Height"}, &w.NumberOfSteps, "Height", false},
      {{"FormPersonal.Height"}, &w, "Height", true},
      {{"TFormPersonal.Height"}, &w, "Height", true},
      {{"Formula.ItemIndex"}, &w.Formula, "ItemIndex", true},  // listed, though not published
      {{"StrikeEdit.Text "}, &w.StrikeEdit, "Text", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Items[0] + " ? " + row.Component->Name() + "." + row.Property);
    w.csPropertySaver1.SetItems(row.Items);
    EXPECT_EQ(w.csPropertySaver1.IsListed(*row.Component, row.Property), row.Listed);
  }
  w.csPropertySaver1.SetItems({"b.Text", "A.Text", "a.text", "B.TEXT", "c.Text"});
  EXPECT_THAT(w.csPropertySaver1.Items(), ElementsAre("A.Text", "b.Text", "c.Text"));
}

TEST_F(PropertySaverTest, AppNameGivesTheFileName) {
  struct Row {
    const char* AppName;
    TcsStorage Storage;
    bool UseWinPath;
    const char* ExpectedAppName;
    const char* ExpectedFile;  // relative to the settings folder
  };
  const Row rows[] = {
      {"valqor11", TcsStorage::stIniFile, false, "valqor11", "valqor11.ini"},
      {"a/b", TcsStorage::stIniFile, false, "a_b", "a_b.ini"},
      {"a\"*/:<>?\\|b", TcsStorage::stIniFile, false, "a_________b", "a_________b.ini"},
      {"a/b", TcsStorage::stRegistry, false, "a/b", "a_b.ini"},  // no registry: the INI file
      {"   ", TcsStorage::stIniFile, false, "valquor", "valquor.ini"},
      {"", TcsStorage::stIniFile, true, "valquor", "system/valquor.ini"},
      {"valqor", TcsStorage::stIniFile, true, "valqor", "system/valqor.ini"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.AppName);
    TTestWindow w(platform_);
    TcsPropertySaver& saver = w.csPropertySaver1;
    saver.SetStorage(row.Storage);
    saver.SetAppName(row.AppName);
    saver.UseWinPath = row.UseWinPath;
    EXPECT_EQ(saver.IniPath(), folder_.Path() / row.ExpectedFile);
    EXPECT_EQ(saver.AppName(), row.ExpectedAppName);
  }
  // Changing the storage applies the file-name rule to the name already set.
  TTestWindow w(platform_);
  w.csPropertySaver1.SetAppName("x:y");
  EXPECT_EQ(w.csPropertySaver1.AppName(), "x:y");
  w.csPropertySaver1.SetStorage(TcsStorage::stIniFile);
  EXPECT_EQ(w.csPropertySaver1.AppName(), "x_y");
  w.csPropertySaver1.SetAppName(std::string(300, 'n'));
  EXPECT_EQ(w.csPropertySaver1.AppName().size(), 255u);
}

TEST_F(PropertySaverTest, AFirstStartKeepsTheDefaultsAndTheFirstCloseWritesTheListedValues) {
  auto w = NewWindow();
  w->Show();
  EXPECT_EQ(w->StrikeEdit.Text(), "1000");
  EXPECT_TRUE(w->UseTradingDays.Checked());
  EXPECT_FALSE(fs::exists(IniFile()));
  w->Close();
  EXPECT_EQ(ReadIni(),
            "[FormPersonal]\n"
            "Height=472\n"
            "Width=645\n"
            "[FormPersonal\\StrikeEdit]\n"
            "Text=1000\n"
            "[FormPersonal\\PriceEdit]\n"
            "Text=1000\n"
            "[FormPersonal\\UseTradingDays]\n"
            "Checked=TRUE\n"
            "[FormPersonal\\Locked]\n"
            "Checked=FALSE\n"
            "[FormPersonal\\DaysOption]\n"
            "ItemIndex=0\n"
            "[FormPersonal\\NumberOfSteps]\n"
            "Value=300\n"
            "[FormPersonal\\Label43]\n"
            "Caption=-\n"
            "[FormPersonal\\MainPageControl]\n"
            "TabPosition=0\n"
            "[FormPersonal\\Formula]\n"
            "Text=Black-Scholes\n");
  EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(PropertySaverTest, StoredValuesComeBackAtTheNextStartThroughTheSetters) {
  {
    auto w = NewWindow();
    w->Show();
    w->StrikeEdit.SetText("1050");
    w->Locked.SetChecked(true);
    w->UseTradingDays.SetChecked(false);
    w->DaysOption.SetItemIndex(1);
    w->NumberOfSteps.SetValue(450);
    w->Label43.SetCaption("Cox-Ross-Rubenstein");
    w->MainPageControl.SetTabPosition(TTabPosition::tpBottom);
    w->Formula.SetText("Cox-Ross-Rubenstein");
    w->Height = 600;
    w->Unlisted.SetText("changed");
    w->Close();
  }
  auto w = NewWindow();
  int changes = 0;
  int clicks = 0;
  w->StrikeEdit.OnChange = [&] { ++changes; };
  w->Locked.OnClick = [&] { ++clicks; };
  w->Show();
  EXPECT_EQ(w->StrikeEdit.Text(), "1050");
  EXPECT_EQ(changes, 1);  // the change handler ran as for the user's typing
  // Set to true (one click), then the handler run twice after the restore.
  EXPECT_EQ(clicks, 3);
  EXPECT_TRUE(w->Locked.Checked());
  EXPECT_FALSE(w->UseTradingDays.Checked());
  EXPECT_EQ(w->DaysOption.ItemIndex(), 1);
  EXPECT_EQ(w->NumberOfSteps.Value(), 450);
  EXPECT_EQ(w->Label43.Caption(), "Cox-Ross-Rubenstein");
  EXPECT_EQ(w->MainPageControl.TabPosition(), TTabPosition::tpBottom);
  EXPECT_EQ(w->Formula.Text(), "Cox-Ross-Rubenstein");
  EXPECT_EQ(w->Height, 600);
  EXPECT_EQ(w->Unlisted.Text(), "u");

  // Restored once per lifetime: showing again after a close restores nothing.
  w->Close();
  w->StrikeEdit.SetText("1");
  w->Show();
  EXPECT_EQ(w->StrikeEdit.Text(), "1");
}

TEST_F(PropertySaverTest, AnEmptiedFieldKeepsItsStoredText) {
  WriteIni("[FormPersonal\\StrikeEdit]\nText=1050\n");
  {
    auto w = NewWindow();
    w->Show();
    EXPECT_EQ(w->StrikeEdit.Text(), "1050");
    w->StrikeEdit.SetText("");
    w->Close();
  }
  EXPECT_EQ(TIniProfile(IniFile()).ReadString("FormPersonal\\StrikeEdit", "Text", ""), "1050");
  auto w = NewWindow();
  w->Show();
  EXPECT_EQ(w->StrikeEdit.Text(), "1050");
}

TEST_F(PropertySaverTest, StoredTextsThatDoNotFitLeaveOnlyTheirOwnPropertyAlone) {
  WriteIni(
      "[formpersonal\\usetradingdays]\nchecked=false\n"  // letter case of a Boolean counts
      "[FormPersonal\\Locked]\nChecked=TRUE\n"
      "[FormPersonal\\DaysOption]\nItemIndex=abc\n"
      "[FormPersonal\\NumberOfSteps]\nValue=1e3\n"
      "[FormPersonal\\StrikeEdit]\nText=1050\n"
      "[FormPersonal\\Formula]\nText=Cox-Ross-Rubenstein\n");
  auto w = NewWindow();
  int loaded = 0;
  w->csPropertySaver1.OnLoaded = [&](TcsPropertySaver&) { ++loaded; };
  w->Show();
  EXPECT_THAT(platform_.Messages, ElementsAre("'abc' is not a valid integer value",
                                              "'1e3' is not a valid integer value"));
  EXPECT_TRUE(w->UseTradingDays.Checked());
  EXPECT_TRUE(w->Locked.Checked());
  EXPECT_EQ(w->DaysOption.ItemIndex(), 0);
  EXPECT_EQ(w->NumberOfSteps.Value(), 300);
  EXPECT_EQ(w->StrikeEdit.Text(), "1050");  // restored after the refused ones
  EXPECT_EQ(w->Formula.Text(), "Cox-Ross-Rubenstein");
  EXPECT_EQ(loaded, 1);

  // The close writes the values in force; the bad texts are replaced.
  w->Close();
  const TIniProfile ini(IniFile());
  EXPECT_EQ(ini.ReadString("FormPersonal\\DaysOption", "ItemIndex", ""), "0");
  EXPECT_EQ(ini.ReadString("FormPersonal\\UseTradingDays", "Checked", ""), "TRUE");
}

TEST_F(PropertySaverTest, AFaultInAHandlerFiredByTheRestoreDoesNotStopIt) {
  WriteIni("[FormPersonal\\PriceEdit]\nText=1e39\n[FormPersonal\\Formula]\nText=Cox\n");
  auto w = NewWindow();
  w->PriceEdit.OnChange = [] { throw EConvertError("'x' is not a valid integer value"); };
  w->Locked.OnClick = [] { throw ArithmeticFault("ln of 0"); };  // swallowed, as clicks are
  w->Show();
  EXPECT_THAT(platform_.Messages, ElementsAre("'x' is not a valid integer value"));
  EXPECT_EQ(w->PriceEdit.Text(), "1e39");
  EXPECT_EQ(w->Formula.Text(), "Cox");

  // With a runner the window's own event loop decides what a fault shows.
  WriteIni("[FormPersonal\\PriceEdit]\nText=7\n[FormPersonal\\Formula]\nText=Bla\n");
  auto other = NewWindow();
  std::vector<std::string> ran;
  other->csPropertySaver1.HandlerRunner = [&](const std::function<void()>& handler) {
    try {
      handler();
    } catch (const std::exception& e) {
      ran.push_back(e.what());
    }
  };
  other->PriceEdit.OnChange = [] { throw ArithmeticFault("overflow"); };
  other->Show();
  EXPECT_THAT(ran, ElementsAre("overflow"));
  EXPECT_EQ(other->Formula.Text(), "Bla");
}

TEST_F(PropertySaverTest, TheWindowsOwnHandlersRunAroundTheHooks) {
  TTestWindow w(platform_);
  std::vector<std::string> events;
  w.OnShow = [&] { events.push_back("show " + w.StrikeEdit.Text()); };
  w.OnClose = [&](TCloseAction& action) {
    events.push_back(std::string("close ") + (action == TCloseAction::caHide ? "hide " : "other ") +
                     (fs::exists(IniFile()) ? "stored" : "not stored"));
  };
  w.csPropertySaver1.SetStorage(TcsStorage::stIniFile);
  w.csPropertySaver1.SetAppName("valqor11");
  w.csPropertySaver1.SetItems({"StrikeEdit.Text"});
  w.csPropertySaver1.OnLoaded = [&](TcsPropertySaver&) { events.push_back("loaded"); };
  w.csPropertySaver1.OnStore = [&](TcsPropertySaver&) { events.push_back("store"); };
  WriteIni("[FormPersonal\\StrikeEdit]\nText=990\n");
  w.csPropertySaver1.Loaded();
  w.Show();
  w.Close();
  w.Show();
  w.Close();
  EXPECT_THAT(events, ElementsAre("show 1000", "loaded", "store", "close hide stored", "show 990",
                                  "store", "close hide stored"));
  EXPECT_FALSE(w.Visible());
}

TEST_F(PropertySaverTest, OtherMomentsOfRestoreAndStore) {
  WriteIni("[FormPersonal\\StrikeEdit]\nText=990\n");
  {  // alOnLoaded restores at once; asNone never stores.
    TTestWindow w(platform_);
    w.csPropertySaver1.SetStorage(TcsStorage::stIniFile);
    w.csPropertySaver1.SetAppName("valqor11");
    w.csPropertySaver1.SetItems({"StrikeEdit.Text"});
    w.csPropertySaver1.AutoLoad = TcsAutoLoad::alOnLoaded;
    w.csPropertySaver1.AutoStore = TcsAutoSave::asNone;
    w.csPropertySaver1.Loaded();
    EXPECT_EQ(w.StrikeEdit.Text(), "990");
    w.StrikeEdit.SetText("991");
    w.Close();
    EXPECT_EQ(TIniProfile(IniFile()).ReadString("FormPersonal\\StrikeEdit", "Text", ""), "990");
  }
  {  // asOnDestroy stores when the window's destroy event fires; the window's handler runs.
    TTestWindow w(platform_);
    int destroyed = 0;
    w.OnDestroy = [&] { ++destroyed; };
    w.csPropertySaver1.SetStorage(TcsStorage::stIniFile);
    w.csPropertySaver1.SetAppName("valqor11");
    w.csPropertySaver1.SetItems({"StrikeEdit.Text"});
    w.csPropertySaver1.AutoLoad = TcsAutoLoad::alNone;
    w.csPropertySaver1.AutoStore = TcsAutoSave::asOnDestroy;
    w.csPropertySaver1.Loaded();
    w.Show();
    EXPECT_EQ(w.StrikeEdit.Text(), "1000");
    w.Close();
    EXPECT_EQ(TIniProfile(IniFile()).ReadString("FormPersonal\\StrikeEdit", "Text", ""), "990");
    w.OnDestroy();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(TIniProfile(IniFile()).ReadString("FormPersonal\\StrikeEdit", "Text", ""), "1000");
  }
  {  // A saver that goes first leaves the window with its own handlers, not with dangling hooks.
    TForm w("FormPersonal", "TFormPersonal", "Valquor", 645, 472);
    int shown = 0;
    w.OnShow = [&] { ++shown; };
    auto saver = std::make_unique<TcsPropertySaver>(w, platform_);
    saver->Loaded();
    saver.reset();
    EXPECT_FALSE(static_cast<bool>(w.OnClose));
    w.Show();
    EXPECT_EQ(shown, 1);
  }
}

TEST_F(PropertySaverTest, TwoWindowsShareOneFileWithoutTouchingEachOthersSections) {
  const auto configure = [](TTestWindow& w) {
    w.csPropertySaver1.SetStorage(TcsStorage::stIniFile);
    w.csPropertySaver1.SetAppName("valqor");
    w.csPropertySaver1.SetItems({"StrikeEdit.Text", "DaysOption.ItemIndex"});
    w.csPropertySaver1.Loaded();
  };
  TTestWindow first(platform_, "FormWiz");
  TTestWindow second(platform_, "FormWiz2");
  configure(first);
  configure(second);
  first.Show();
  first.StrikeEdit.SetText("105");
  first.Close();
  second.Show();
  second.StrikeEdit.SetText("95");
  second.Close();
  second.StrikeEdit.SetText("96");
  second.Close();
  const fs::path file = folder_.Path() / "valqor.ini";
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            "[FormWiz\\StrikeEdit]\nText=105\n[FormWiz\\DaysOption]\nItemIndex=0\n"
            "[FormWiz2\\StrikeEdit]\nText=96\n[FormWiz2\\DaysOption]\nItemIndex=0\n");
}

TEST_F(PropertySaverTest, AFileThatCannotBeWrittenStopsTheStoreWithAMessage) {
  fs::create_directory(IniFile());  // the file's place is taken
  auto w = NewWindow();
  bool closed = false;
  w->csPropertySaver1.SavedOnClose = [&](TCloseAction&) { closed = true; };
  w->Show();
  w->Close();
  EXPECT_THAT(platform_.Messages, ElementsAre("Unable to write to " + IniFile().string()));
  EXPECT_TRUE(closed);  // the window still closes
}

TEST_F(PropertySaverTest, LongStoredTextsComeBackCutAt1023Characters) {
  WriteIni("[FormPersonal\\StrikeEdit]\nText=" + std::string(1500, '7') + "\n");
  auto w = NewWindow();
  w->Show();
  EXPECT_EQ(w->StrikeEdit.Text(), std::string(1023, '7'));
}

}  // namespace
}  // namespace valquor
