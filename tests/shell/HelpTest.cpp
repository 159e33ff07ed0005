#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "shell/FormTestSupport.h"
#include "shell/HelpTopics.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class HelpTest : public ::testing::Test, protected TFormFixture {};

// The manual's folder in the source tree.
fs::path ManualFolder() {
  return fs::path(__FILE__).parent_path().parent_path().parent_path() / "docs" / "manual";
}

std::string ReadManual(const std::string& page) {
  std::ifstream in(ManualFolder() / page, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(HelpTest, EveryControlOfTheThreeWindowsHasItsTextAndItsOwnTopic) {
  TFormPersonal& form = Start();
  std::map<int, std::string> owners;
  for (TForm* window : {static_cast<TForm*>(&form), static_cast<TForm*>(&form.FormWiz),
                        static_cast<TForm*>(&form.FormWiz2)}) {
    for (TComponent* component : window->Components()) {
      auto* control = dynamic_cast<TControl*>(component);
      if (control == nullptr) continue;  // the settings saver
      const std::string name = window->Name() + "." + control->Name();
      SCOPED_TRACE(name);
      EXPECT_GE(control->WhatsThis.size(), 20u);
      EXPECT_TRUE(control->WhatsThis.back() == '.' || control->WhatsThis.back() == '"');
      const int topic = control->HelpContext();
      EXPECT_GT(topic, 0);
      const auto [it, inserted] = owners.emplace(topic, name);
      EXPECT_TRUE(inserted) << "topic " << topic << " is also " << it->second << "'s";
    }
  }
  // No help text names a control that is not there.
  EXPECT_EQ(owners.size(), HelpEntries().size());
}

TEST_F(HelpTest, ThePositionListsTopicFollowsTheChosenPosition) {
  TFormPersonal& form = Start();
  struct Row {
    const char* Text;
    int Topic;
  };
  const Row rows[] = {{"Put", 48},           {"Call", 45},        {"Short butterfly", 72},
                      {"Not a position", 0}, {" put spread", 49}, {"Call spread", 46}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Text);
    form.PositionName.SetText(row.Text);
    EXPECT_EQ(form.PositionName.HelpContext(), row.Topic);
  }
  // A stored text in other letter case is selected at the first activation.
  form.PositionName.SetText("put spread");
  Stop();
  TFormPersonal& again = Start();
  EXPECT_EQ(again.PositionName.Text(), "Put spread");
  EXPECT_EQ(again.PositionName.HelpContext(), 49);
  // A stored text that is no position stays, with nothing selected and no topic.
  again.PositionName.SetText("Strangle");
  Stop();
  TFormPersonal& third = Start();
  EXPECT_EQ(third.PositionName.Text(), "Strangle");
  EXPECT_EQ(third.PositionName.ItemIndex(), -1);
  EXPECT_EQ(third.PositionName.HelpContext(), 0);
}

TEST_F(HelpTest, TheHelpButtonsOpenTheContentsAndTheWhatsThisMode) {
  TFormPersonal& form = Start();
  form.RunHandler([&] { form.SpeedButton1.Click(); });
  form.RunHandler([&] { form.HelpContext.Click(); });
  EXPECT_THAT(Platform.HelpTopics, ElementsAre(0));
  EXPECT_EQ(Platform.WhatsThisRequests, 1);
}

// The caption a user reads beside a control: its label, its own caption, or for a field in a
// group box without a label of its own, the group's title. Empty for none. The accelerator
// marks are left out.
std::string CaptionOf(const TControl& control) {
  std::string caption = control.LabelCaption;
  if (caption.empty()) {
    if (const auto* c = dynamic_cast<const TCheckBox*>(&control)) caption = c->Caption;
    if (const auto* c = dynamic_cast<const TButton*>(&control)) caption = c->Caption;
    if (const auto* c = dynamic_cast<const TSpeedButton*>(&control)) caption = c->Caption;
    if (const auto* c = dynamic_cast<const TRadioGroup*>(&control)) caption = c->Caption;
    if (const auto* c = dynamic_cast<const TGroupBox*>(&control)) caption = c->Caption;
    if (const auto* c = dynamic_cast<const TTabSheet*>(&control)) caption = c->Caption;
    const auto* group = dynamic_cast<const TGroupBox*>(control.Parent());
    if (caption.empty() && group != nullptr && dynamic_cast<const TLabel*>(&control) == nullptr) {
      caption = group->Caption;
    }
  }
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

// A text as the manual's HTML writes it.
std::string Html(const std::string& text) {
  std::string html;
  for (const char c : text) {
    if (c == '&') {
      html += "&amp;";
    } else if (c == '<') {
      html += "&lt;";
    } else if (c == '>') {
      html += "&gt;";
    } else {
      html += c;
    }
  }
  return html;
}

TEST_F(HelpTest, TheManualNamesEveryFieldByItsCaptionThenItsName) {
  TFormPersonal& form = Start();
  int checked = 0;
  for (const THelpEntry& entry : HelpEntries()) {
    if (std::string(entry.Window) != "FormPersonal") continue;
    const auto* control = dynamic_cast<const TControl*>(form.FindComponent(entry.Control));
    ASSERT_NE(control, nullptr) << entry.Control;
    const std::string caption = Html(CaptionOf(*control));
    if (caption.empty()) continue;  // panes, grids, page controls and notes
    SCOPED_TRACE(std::string(entry.Page) + " " + entry.Control);
    const std::string name = entry.Control;
    // The position list's topics lead to the positions; the list itself is one of the panel's.
    const std::string page = name == "PositionName" ? "pricing.html" : entry.Page;
    EXPECT_NE(ReadManual(page).find("<dt id=\"" + name + "\">" + caption + " (<code>" + name +
                                    "</code>)</dt>"),
              std::string::npos)
        << caption;
    ++checked;
  }
  EXPECT_GT(checked, 100);
}

TEST(ManualTest, EveryTopicLeadsToAnAnchorOfTheManual) {
  std::map<std::string, std::string> pages;
  const auto anchors = [&](const std::string& page) -> const std::string& {
    auto it = pages.find(page);
    if (it == pages.end()) it = pages.emplace(page, ReadManual(page)).first;
    return it->second;
  };
  ASSERT_FALSE(anchors("index.html").empty()) << ManualFolder();
  std::vector<int> topics = {0};
  for (int i = 0; i < kPositionCount; ++i) topics.push_back(kPositionHelpBase + i);
  for (const THelpEntry& entry : HelpEntries()) topics.push_back(entry.Topic);
  for (const int topic : topics) {
    const std::string location = ManualLocation(topic);
    SCOPED_TRACE(std::to_string(topic) + " " + location);
    const std::size_t hash = location.find('#');
    const std::string page = location.substr(0, hash);
    const std::string& text = anchors(page);
    ASSERT_FALSE(text.empty());
    if (hash != std::string::npos) {
      EXPECT_NE(text.find("id=\"" + location.substr(hash + 1) + "\""), std::string::npos);
    }
  }
  EXPECT_EQ(ManualLocation(7), "index.html");
  EXPECT_EQ(ManualLocation(46), "positions.html#position-2");
}

TEST(ManualTest, TheContentsLeadToEveryPageAndThePagesNameTheirSubjects) {
  const std::string index = ReadManual("index.html");
  struct Row {
    const char* Page;
    std::vector<const char*> Mentions;
  };
  const Row rows[] = {
      {"pricing.html", {"Fair value", "Delta", "Compute", "Copy"}},
      {"positions.html", {"Call calendar spread**", "Short butterfly", "Collars"}},
      {"analysis.html", {"Probabilities", "Payoff", "True volatility"}},
      {"volatility.html", {"D;O;H;L;C;V;S", "EndOfWeek", "IV Calculator"}},
      {"calculator.html", {"P(gain)", "O/U Calculator", "Risk Calculator"}},
      {"options.html", {"Black-Scholes", "Cox-Ross-Rubenstein", "Use trading days"}},
      {"dialogs.html", {"Money at risk", "Days in position", "Get data from calculator"}},
      {"reports.html",
       {"Impl.f.", "Impl.p.", "Medium prices", "Premium change", "-39%", "Money at risk",
        "example-prices.txt"}},
      {"settings.html",
       {"valqor11.ini", "valqor.ini", "valquor.ini", "system/valquor.ini", "CurrentTab",
        "XDG_CONFIG_HOME", "--settings-dir"}},
      {"cli.html",
       {"valquor-cli", "--save", "print", "paste", "copied", "open", "font", "FormWiz2.OKBtn",
        "message: "}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Page);
    EXPECT_NE(index.find(std::string("href=\"") + row.Page), std::string::npos);
    const std::string text = ReadManual(row.Page);
    ASSERT_FALSE(text.empty());
    for (const char* mention : row.Mentions) {
      EXPECT_NE(text.find(mention), std::string::npos) << mention;
    }
  }
}

}  // namespace
}  // namespace valquor
