#include "forms/Controls.h"

#include <algorithm>
#include <array>
#include <utility>

#include "forms/Text.h"

namespace valquor {
namespace {

struct TIdent {
  std::int64_t Value;
  const char* Name;
};

constexpr std::array<TIdent, 46> kColors = {{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {static_cast<std::int32_t>(0x80000000), "clScrollBar"},
    {static_cast<std::int32_t>(0x80000001), "clBackground"},
    {static_cast<std::int32_t>(0x80000002), "clActiveCaption"},
    {static_cast<std::int32_t>(0x80000003), "clInactiveCaption"},
    {static_cast<std::int32_t>(0x80000004), "clMenu"},
    {static_cast<std::int32_t>(0x80000005), "clWindow"},
    {static_cast<std::int32_t>(0x80000006), "clWindowFrame"},
    {static_cast<std::int32_t>(0x80000007), "clMenuText"},
    {static_cast<std::int32_t>(0x80000008), "clWindowText"},
    {static_cast<std::int32_t>(0x80000009), "clCaptionText"},
    {static_cast<std::int32_t>(0x8000000A), "clActiveBorder"},
    {static_cast<std::int32_t>(0x8000000B), "clInactiveBorder"},
    {static_cast<std::int32_t>(0x8000000C), "clAppWorkSpace"},
    {static_cast<std::int32_t>(0x8000000D), "clHighlight"},
    {static_cast<std::int32_t>(0x8000000E), "clHighlightText"},
    {static_cast<std::int32_t>(0x8000000F), "clBtnFace"},
    {static_cast<std::int32_t>(0x80000010), "clBtnShadow"},
    {static_cast<std::int32_t>(0x80000011), "clGrayText"},
    {static_cast<std::int32_t>(0x80000012), "clBtnText"},
    {static_cast<std::int32_t>(0x80000013), "clInactiveCaptionText"},
    {static_cast<std::int32_t>(0x80000014), "clBtnHighlight"},
    {static_cast<std::int32_t>(0x80000015), "cl3DDkShadow"},
    {static_cast<std::int32_t>(0x80000016), "cl3DLight"},
    {static_cast<std::int32_t>(0x80000017), "clInfoText"},
    {static_cast<std::int32_t>(0x80000018), "clInfoBk"},
    {0x1FFFFFFF, "clNone"},
}};

constexpr std::array<TIdent, 22> kCursors = {{
    {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},      {-3, "crCross"},
    {-4, "crIBeam"},      {-6, "crSizeNESW"}, {-7, "crSizeNS"},     {-8, "crSizeNWSE"},
    {-9, "crSizeWE"},     {-10, "crUpArrow"}, {-11, "crHourGlass"}, {-12, "crDrag"},
    {-13, "crNoDrop"},    {-14, "crHSplit"},  {-15, "crVSplit"},    {-16, "crMultiDrag"},
    {-17, "crSQLWait"},   {-18, "crNo"},      {-19, "crAppStart"},  {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"},
}};

template <std::size_t N>
std::optional<std::string> ToIdent(const std::array<TIdent, N>& table, std::int64_t value) {
  for (const TIdent& i : table) {
    if (i.Value == value) return std::string(i.Name);
  }
  return std::nullopt;
}

template <std::size_t N>
std::optional<std::int64_t> FromIdent(const std::array<TIdent, N>& table, std::string_view name) {
  for (const TIdent& i : table) {
    if (SameText(name, i.Name)) return i.Value;
  }
  return std::nullopt;
}

TProperty BoolProperty(std::string name, std::function<bool()> get, std::function<void(bool)> set) {
  TProperty p;
  p.Name = std::move(name);
  p.Kind = TPropKind::Enumeration;
  p.TypeName = "Boolean";
  p.GetOrd = [get = std::move(get)] { return static_cast<std::int64_t>(get() ? 1 : 0); };
  p.SetOrd = [set = std::move(set)](std::int64_t v) { set(v != 0); };
  return p;
}

TProperty IntProperty(std::string name, std::string typeName, std::function<std::int64_t()> get,
                      std::function<void(std::int64_t)> set) {
  TProperty p;
  p.Name = std::move(name);
  p.Kind = TPropKind::Integer;
  p.TypeName = std::move(typeName);
  p.GetOrd = std::move(get);
  p.SetOrd = std::move(set);
  return p;
}

TProperty StrProperty(std::string name, std::function<std::string()> get,
                      std::function<void(const std::string&)> set,
                      std::string typeName = "TCaption") {
  TProperty p;
  p.Name = std::move(name);
  p.Kind = TPropKind::String;
  p.TypeName = std::move(typeName);
  p.GetStr = std::move(get);
  p.SetStr = std::move(set);
  return p;
}

int ClampInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

std::optional<std::string> ColorToIdent(std::int64_t color) { return ToIdent(kColors, color); }
std::optional<std::int64_t> IdentToColor(std::string_view ident) {
  return FromIdent(kColors, ident);
}
std::optional<std::string> CursorToIdent(std::int64_t cursor) { return ToIdent(kCursors, cursor); }
std::optional<std::int64_t> IdentToCursor(std::string_view ident) {
  return FromIdent(kCursors, ident);
}

// ---------------------------------------------------------------------------------------------

TComponent::TComponent(TComponent* owner, std::string name, std::string className)
    : owner_(owner), name_(std::move(name)), className_(std::move(className)) {
  if (owner_ != nullptr) owner_->components_.push_back(this);
  TProperty nameProperty;
  nameProperty.Name = "Name";
  nameProperty.Kind = TPropKind::String;
  nameProperty.TypeName = "TComponentName";
  nameProperty.GetStr = [this] { return name_; };
  nameProperty.SetStr = [](const std::string&) {};  // names are fixed in this program
  Publish(std::move(nameProperty));
  TProperty tag;
  tag.Name = "Tag";
  tag.Kind = TPropKind::Integer;
  tag.TypeName = "Longint";
  tag.GetOrd = [this] { return tag_; };
  tag.SetOrd = [this](std::int64_t v) { tag_ = v; };
  Publish(std::move(tag));
}

const std::vector<TProperty>& TComponent::Properties() const {
  if (!sorted_) {
    std::stable_sort(
        properties_.begin(), properties_.end(),
        [](const TProperty& a, const TProperty& b) { return CompareText(a.Name, b.Name) < 0; });
    sorted_ = true;
  }
  return properties_;
}

const TProperty* TComponent::FindProperty(std::string_view name) const {
  for (const TProperty& p : Properties()) {
    if (SameText(p.Name, name)) return &p;
  }
  return nullptr;
}

void TComponent::Publish(TProperty property) {
  for (TProperty& p : properties_) {
    if (SameText(p.Name, property.Name)) {
      p = std::move(property);
      return;
    }
  }
  properties_.push_back(std::move(property));
  sorted_ = false;
}

void TComponent::PublishMethod(const std::string& name) {
  TProperty p;
  p.Name = name;
  p.Kind = TPropKind::Method;
  p.TypeName = "TNotifyEvent";
  Publish(std::move(p));
}

void TComponent::PublishClass(const std::string& name, const std::string& typeName) {
  TProperty p;
  p.Name = name;
  p.Kind = TPropKind::Class;
  p.TypeName = typeName;
  Publish(std::move(p));
}

// ---------------------------------------------------------------------------------------------

TControl::TControl(TComponent* owner, TWinControl* parent, std::string name, std::string className)
    : TComponent(owner, std::move(name), std::move(className)), parent_(parent) {
  if (parent_ != nullptr) parent_->children_.push_back(this);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

bool TControl::EffectivelyEnabled() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

void TControl::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  Changed();
}

void TControl::SetFont(const TFontSpec& font) {
  if (font_ == font) return;
  font_ = font;
  Changed();
}

void TControl::SetHelpContext(int topic) {
  if (helpContext_ == topic) return;
  helpContext_ = topic;
  Changed();
}

void TControl::PublishCommon(bool withColor) {
  if (withColor) {
    Publish(IntProperty(
        "Color", "TColor", [this] { return static_cast<std::int64_t>(color_); },
        [this](std::int64_t v) { SetColor(static_cast<TColor>(ClampInt(v))); }));
  }
  Publish(IntProperty(
      "Cursor", "TCursor", [] { return std::int64_t{0}; }, [](std::int64_t) {}));
  Publish(BoolProperty(
      "Enabled", [this] { return enabled_; }, [this](bool v) { SetEnabled(v); }));
  PublishClass("Font", "TFont");
  Publish(IntProperty(
      "HelpContext", "THelpContext", [this] { return std::int64_t{helpContext_}; },
      [this](std::int64_t v) { SetHelpContext(ClampInt(v)); }));
  Publish(StrProperty(
      "Hint", [this] { return WhatsThis; }, [this](const std::string& v) { WhatsThis = v; },
      "string"));
  Publish(BoolProperty(
      "Visible", [this] { return visible_; }, [this](bool v) { SetVisible(v); }));
}

// ---------------------------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent, std::string name, std::string caption)
    : TWinControl(owner, parent, std::move(name), "TGroupBox"), Caption(std::move(caption)) {
  PublishCommon();
  Publish(StrProperty(
      "Caption", [this] { return Caption; },
      [this](const std::string& v) {
        Caption = v;
        Changed();
      }));
}

TLabel::TLabel(TComponent* owner, TWinControl* parent, std::string name, std::string caption)
    : TControl(owner, parent, std::move(name), "TLabel"), caption_(std::move(caption)) {
  SetColor(clBtnFace);
  PublishCommon();
  Publish(StrProperty(
      "Caption", [this] { return caption_; }, [this](const std::string& v) { SetCaption(v); }));
}

void TLabel::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Changed();
}

TEdit::TEdit(TComponent* owner, TWinControl* parent, std::string name, std::string text)
    : TWinControl(owner, parent, std::move(name), "TEdit"), text_(std::move(text)) {
  PublishCommon();
  Publish(BoolProperty(
      "ReadOnly", [this] { return ReadOnly; },
      [this](bool v) {
        ReadOnly = v;
        Changed();
      }));
  Publish(StrProperty(
      "Text", [this] { return text_; }, [this](const std::string& v) { SetText(v); }));
  PublishMethod("OnChange");
}

void TEdit::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  Changed();
  if (OnChange) OnChange();
}

TComboBox::TComboBox(TComponent* owner, TWinControl* parent, std::string name, std::string text,
                     std::vector<std::string> items, int dropDownCount)
    : TWinControl(owner, parent, std::move(name), "TComboBox"),
      DropDownCount(dropDownCount),
      text_(std::move(text)),
      items_(std::move(items)) {
  const auto it = std::find(items_.begin(), items_.end(), text_);
  itemIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  stood_ = text_;
  PublishCommon();
  Publish(IntProperty(
      "DropDownCount", "Integer", [this] { return std::int64_t{DropDownCount}; },
      [this](std::int64_t v) { DropDownCount = ClampInt(v); }));
  PublishClass("Items", "TStrings");
  Publish(StrProperty(
      "Text", [this] { return text_; }, [this](const std::string& v) { SetText(v); }));
  PublishMethod("OnChange");
}

int TComboBox::MatchItem(std::string_view text) const {
  const auto exact = std::find(items_.begin(), items_.end(), text);
  if (exact != items_.end()) return static_cast<int>(exact - items_.begin());
  const std::string trimmed = Trim(text);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (SameText(items_[i], trimmed)) return static_cast<int>(i);
  }
  return -1;
}

void TComboBox::Assign(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  const auto it = std::find(items_.begin(), items_.end(), text_);
  itemIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  Changed();
  if (OnChange) OnChange();
}

void TComboBox::SetText(const std::string& text) {
  const int item = MatchItem(text);
  if (item >= 0) {
    stood_ = items_[static_cast<std::size_t>(item)];
  } else if (!OnValidate || OnValidate(text)) {
    stood_ = text;
  }
  // A text that gave way to another may still show in the view: it follows the version.
  if (text != stood_ && text_ == stood_) Changed();
  Assign(stood_);
}

void TComboBox::TypeText(const std::string& text) {
  if (std::find(items_.begin(), items_.end(), text) != items_.end()) stood_ = text;
  Assign(text);
}

void TComboBox::CommitText() {
  const std::string typed = text_;
  SetText(typed);
}

void TComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    if (itemIndex_ != -1) {
      itemIndex_ = -1;
      Changed();
    }
    return;
  }
  itemIndex_ = index;
  text_ = items_[index];
  stood_ = text_;
  Changed();
}

TCheckBox::TCheckBox(TComponent* owner, TWinControl* parent, std::string name, std::string caption,
                     bool checked)
    : TWinControl(owner, parent, std::move(name), "TCheckBox"),
      Caption(std::move(caption)),
      checked_(checked) {
  SetColor(clBtnFace);
  PublishCommon();
  Publish(StrProperty(
      "Caption", [this] { return Caption; },
      [this](const std::string& v) {
        Caption = v;
        Changed();
      }));
  Publish(BoolProperty(
      "Checked", [this] { return checked_; }, [this](bool v) { SetChecked(v); }));
  PublishMethod("OnClick");
}

void TCheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Changed();
  if (OnClick) OnClick();
}

TRadioGroup::TRadioGroup(TComponent* owner, TWinControl* parent, std::string name,
                         std::string caption, std::vector<std::string> items, int itemIndex)
    : TWinControl(owner, parent, std::move(name), "TRadioGroup"),
      Caption(std::move(caption)),
      items_(std::move(items)),
      itemIndex_(itemIndex) {
  SetColor(clBtnFace);
  PublishCommon();
  Publish(StrProperty(
      "Caption", [this] { return Caption; },
      [this](const std::string& v) {
        Caption = v;
        Changed();
      }));
  Publish(IntProperty(
      "ItemIndex", "Integer", [this] { return std::int64_t{itemIndex_}; },
      [this](std::int64_t v) { SetItemIndex(ClampInt(v)); }));
  PublishClass("Items", "TStrings");
  PublishMethod("OnClick");
}

void TRadioGroup::SetItemIndex(int index) {
  const int last = static_cast<int>(items_.size()) - 1;
  index = std::clamp(index, -1, last);
  if (index == itemIndex_) return;
  itemIndex_ = index;
  Changed();
  if (OnClick) OnClick();
}

TSpinEdit::TSpinEdit(TComponent* owner, TWinControl* parent, std::string name, int value,
                     int minValue, int maxValue, int increment)
    : TWinControl(owner, parent, std::move(name), "TSpinEdit"),
      MinValue(minValue),
      MaxValue(maxValue),
      Increment(increment),
      text_(std::to_string(value)) {
  PublishCommon();
  Publish(IntProperty(
      "Increment", "Integer", [this] { return std::int64_t{Increment}; },
      [this](std::int64_t v) { Increment = ClampInt(v); }));
  Publish(IntProperty(
      "MaxValue", "Integer", [this] { return std::int64_t{MaxValue}; },
      [this](std::int64_t v) { MaxValue = ClampInt(v); }));
  Publish(IntProperty(
      "MinValue", "Integer", [this] { return std::int64_t{MinValue}; },
      [this](std::int64_t v) { MinValue = ClampInt(v); }));
  Publish(IntProperty(
      "Value", "Integer", [this] { return std::int64_t{Value()}; },
      [this](std::int64_t v) { SetValue(ClampInt(v)); }));
  PublishMethod("OnChange");
}

void TSpinEdit::SetText(const std::string& text) {
  std::string kept = text;
  if (KeepWithinBounds && MaxValue != MinValue) {
    const std::optional<int> v = TryStrToInt(text);
    if (v && (*v < std::min(MinValue, MaxValue) || *v > MaxValue)) {
      kept = std::to_string(std::clamp(*v, std::min(MinValue, MaxValue), MaxValue));
    }
  }
  // A number that gave way to its bound may still show in the view: it follows the version.
  if (text_ == kept) {
    if (kept != text) Changed();
    return;
  }
  text_ = kept;
  Changed();
  if (OnChange) OnChange();
}

int TSpinEdit::Value() const {
  const std::optional<int> v = TryStrToInt(text_);
  return v ? *v : MinValue;
}

void TSpinEdit::SetValue(int value) {
  if (MaxValue != MinValue) value = std::clamp(value, std::min(MinValue, MaxValue), MaxValue);
  SetText(std::to_string(value));
}

TDateTimePicker::TDateTimePicker(TComponent* owner, TWinControl* parent, std::string name)
    : TWinControl(owner, parent, std::move(name), "TDateTimePicker") {
  PublishCommon();
  TProperty date;
  date.Name = "Date";
  date.Kind = TPropKind::Float;
  date.TypeName = "TDate";
  Publish(std::move(date));
  PublishMethod("OnChange");
}

void TDateTimePicker::SetDate(int dayNumber) {
  if (date_ == dayNumber) return;
  date_ = dayNumber;
  Changed();
  if (OnChange) OnChange();
}

TStringGrid::TStringGrid(TComponent* owner, TWinControl* parent, std::string name, int colCount,
                         int rowCount)
    : TWinControl(owner, parent, std::move(name), "TStringGrid"),
      ColWidths(static_cast<std::size_t>(colCount), 64),
      colCount_(colCount),
      rowCount_(rowCount),
      cells_(static_cast<std::size_t>(colCount) * static_cast<std::size_t>(rowCount)) {
  PublishCommon();
  Publish(IntProperty(
      "ColCount", "Integer", [this] { return std::int64_t{colCount_}; }, [](std::int64_t) {}));
  Publish(IntProperty(
      "DefaultColWidth", "Integer", [this] { return std::int64_t{DefaultColWidth}; },
      [this](std::int64_t v) { DefaultColWidth = ClampInt(v); }));
  Publish(IntProperty(
      "FixedCols", "Integer", [this] { return std::int64_t{FixedCols}; }, [](std::int64_t) {}));
  Publish(IntProperty(
      "FixedRows", "Integer", [this] { return std::int64_t{FixedRows}; }, [](std::int64_t) {}));
  Publish(IntProperty(
      "RowCount", "Integer", [this] { return std::int64_t{rowCount_}; }, [](std::int64_t) {}));
}

std::string TStringGrid::Cell(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return {};
  return cells_[static_cast<std::size_t>(row) * colCount_ + col];
}

void TStringGrid::SetCell(int col, int row, const std::string& text) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return;
  std::string& cell = cells_[static_cast<std::size_t>(row) * colCount_ + col];
  if (cell == text) return;
  cell = text;
  Changed();
}

TRichEdit::TRichEdit(TComponent* owner, TWinControl* parent, std::string name, bool wordWrap)
    : TWinControl(owner, parent, std::move(name), "TRichEdit"), WordWrap(wordWrap) {
  SetColor(clReportPane);
  PublishCommon();
  PublishClass("Lines", "TStrings");
  Publish(BoolProperty(
      "ReadOnly", [this] { return ReadOnly; },
      [this](bool v) {
        ReadOnly = v;
        Changed();
      }));
  Publish(BoolProperty(
      "WordWrap", [this] { return WordWrap; },
      [this](bool v) {
        WordWrap = v;
        Changed();
      }));
}

void TRichEdit::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  Changed();
}

void TRichEdit::Add(std::string line) {
  lines_.push_back(std::move(line));
  Changed();
}

void TRichEdit::SetText(std::string_view text) {
  lines_ = SplitLines(text);
  Changed();
}

std::string TRichEdit::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += '\n';
  }
  return text;
}

TChart::TChart(TComponent* owner, TWinControl* parent, std::string name)
    : TWinControl(owner, parent, std::move(name), "TChart") {
  SetColor(clWhite);
  PublishCommon();
}

void TChart::SetData(TChartData data) {
  if (data == data_) return;
  data_ = std::move(data);
  Changed();
}

void TChart::Clear() {
  if (data_.Series.empty() && data_.Marks.empty()) return;
  data_.Series.clear();
  data_.Marks.clear();
  Changed();
}

TTabSheet::TTabSheet(TComponent* owner, TPageControl* pageControl, std::string name,
                     std::string caption)
    : TWinControl(owner, pageControl, std::move(name), "TTabSheet"),
      Caption(std::move(caption)),
      pageControl_(pageControl) {
  SetColor(clBtnFace);
  PublishCommon(false);
  Publish(StrProperty(
      "Caption", [this] { return Caption; },
      [this](const std::string& v) {
        Caption = v;
        Changed();
      }));
  pageControl_->pages_.push_back(this);
  if (pageControl_->active_ == nullptr) pageControl_->active_ = this;
}

TPageControl::TPageControl(TComponent* owner, TWinControl* parent, std::string name)
    : TWinControl(owner, parent, std::move(name), "TPageControl") {
  PublishCommon(false);
  PublishClass("ActivePage", "TTabSheet");
  TProperty tabPosition;
  tabPosition.Name = "TabPosition";
  tabPosition.Kind = TPropKind::Enumeration;
  tabPosition.TypeName = "TTabPosition";
  tabPosition.GetOrd = [this] { return static_cast<std::int64_t>(tabPosition_); };
  tabPosition.SetOrd = [this](std::int64_t v) {
    if (v >= 0 && v <= 3) SetTabPosition(static_cast<TTabPosition>(v));
  };
  Publish(std::move(tabPosition));
  PublishMethod("OnChange");
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == nullptr || page == active_ || page->PageControl() != this) return;
  active_ = page;
  Changed();
  if (OnChange) OnChange();
}

int TPageControl::ActivePageIndex() const {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i] == active_) return static_cast<int>(i);
  }
  return -1;
}

void TPageControl::SetTabPosition(TTabPosition position) {
  if (tabPosition_ == position) return;
  tabPosition_ = position;
  Changed();
}

TButton::TButton(TComponent* owner, TWinControl* parent, std::string name, std::string caption,
                 std::string className)
    : TWinControl(owner, parent, std::move(name), std::move(className)),
      Caption(std::move(caption)) {
  SetColor(clBtnFace);
  PublishCommon(false);
  Publish(BoolProperty(
      "Cancel", [this] { return Cancel; }, [this](bool v) { Cancel = v; }));
  Publish(StrProperty(
      "Caption", [this] { return Caption; },
      [this](const std::string& v) {
        Caption = v;
        Changed();
      }));
  Publish(BoolProperty(
      "Default", [this] { return Default; }, [this](bool v) { Default = v; }));
  PublishMethod("OnClick");
}

void TButton::Click() {
  if (OnClick) OnClick();
}

TSpeedButton::TSpeedButton(TComponent* owner, TWinControl* parent, std::string name,
                           std::string caption)
    : TControl(owner, parent, std::move(name), "TSpeedButton"), Caption(std::move(caption)) {
  PublishCommon(false);
  Publish(StrProperty(
      "Caption", [this] { return Caption; },
      [this](const std::string& v) {
        Caption = v;
        Changed();
      }));
  PublishMethod("OnClick");
}

void TSpeedButton::Click() {
  if (OnClick) OnClick();
}

TForm::TForm(std::string name, std::string className, std::string caption, int clientWidth,
             int clientHeight)
    : TWinControl(nullptr, nullptr, std::move(name), std::move(className)),
      Caption(std::move(caption)),
      Width(clientWidth),
      Height(clientHeight) {
  SetColor(clBtnFace);
  SetVisible(false);
  PublishCommon();
  Publish(StrProperty(
      "Caption", [this] { return Caption; },
      [this](const std::string& v) {
        Caption = v;
        Changed();
      }));
  auto geometry = [this](const char* name, int TForm::*field) {
    Publish(IntProperty(
        name, "Integer", [this, field] { return std::int64_t{this->*field}; },
        [this, field](std::int64_t v) {
          this->*field = ClampInt(v);
          Changed();
        }));
  };
  geometry("Height", &TForm::Height);
  geometry("Left", &TForm::Left);
  geometry("Top", &TForm::Top);
  geometry("Width", &TForm::Width);
  for (const char* event : {"OnActivate", "OnClose", "OnCreate", "OnDestroy", "OnShow"}) {
    PublishMethod(event);
  }
}

TComponent* TForm::FindComponent(std::string_view name) const {
  for (TComponent* c : Components()) {
    if (SameText(c->Name(), name)) return c;
  }
  return nullptr;
}

void TForm::Show() {
  if (Visible()) return;
  SetVisible(true);
  if (OnShow) OnShow();
}

void TForm::Activate() {
  if (OnActivate) OnActivate();
}

void TForm::Close() {
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(action);
  if (action == TCloseAction::caHide || action == TCloseAction::caFree) SetVisible(false);
}

}  // namespace valquor
