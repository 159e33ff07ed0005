#pragma once
// The controls of the form model as plain data: edits, lists, check boxes, radio groups, spin
// edits, labels, date pickers, string grids, report panes, page controls and buttons. Each
// control has a name, a class name, an owner (the form) and a parent (the page or group it sits
// on), its published properties reachable by name (what the settings saver walks) and its
// events. Setting a value through a setter fires the control's change or click event, as a
// user's typing or clicking would; setting a value equal to the current one fires nothing.
// Every change bumps a version counter, which the window's view compares to stay in step.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Platform.h"

namespace valquor {

// Kinds of published properties, after the run-time type information the saver reads.
enum class TPropKind { Integer, Char, Enumeration, Float, String, Set, Class, Method };

// One published property: its name, kind and type name, and how to read and write it as an
// ordinal (Integer, Char, Enumeration) or as text (String). Other kinds have no accessors.
struct TProperty {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  std::string TypeName;  // "Integer", "TColor", "TCursor", "Boolean", "TCaption", "TTabPosition"
  std::function<std::int64_t()> GetOrd;
  std::function<void(std::int64_t)> SetOrd;
  std::function<std::string()> GetStr;
  std::function<void(const std::string&)> SetStr;
};

// Colours as 0x00BBGGRR, system colours with the high bit set.
using TColor = std::int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clWindow = static_cast<TColor>(0x80000005);
inline constexpr TColor clWindowText = static_cast<TColor>(0x80000008);
inline constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
inline constexpr TColor clInfoBk = static_cast<TColor>(0x80000018);
inline constexpr TColor clReportPane = 0xE1FFFF;  // pale yellow of the report panes
// The identifier of a colour or cursor ("clBlack", "crDefault"), or nothing when it has none.
[[nodiscard]] std::optional<std::string> ColorToIdent(std::int64_t color);
[[nodiscard]] std::optional<std::int64_t> IdentToColor(std::string_view ident);
[[nodiscard]] std::optional<std::string> CursorToIdent(std::int64_t cursor);
[[nodiscard]] std::optional<std::int64_t> IdentToCursor(std::string_view ident);

class TWinControl;

class TComponent {
 public:
  TComponent(TComponent* owner, std::string name, std::string className);
  virtual ~TComponent() = default;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  [[nodiscard]] const std::string& Name() const { return name_; }
  [[nodiscard]] const std::string& ClassName() const { return className_; }
  [[nodiscard]] TComponent* Owner() const { return owner_; }
  // The components this one owns, in the order they were created.
  [[nodiscard]] const std::vector<TComponent*>& Components() const { return components_; }
  [[nodiscard]] virtual bool IsWindow() const { return false; }

  // Published properties in alphabetical order of name (letter case ignored).
  [[nodiscard]] const std::vector<TProperty>& Properties() const;
  // A published property by name, letter case ignored; nullptr when there is none.
  [[nodiscard]] const TProperty* FindProperty(std::string_view name) const;

  // The click handler the settings saver may run after a restore: only check boxes, radio
  // buttons and speed buttons (and menu and tool buttons, which this program has none of)
  // offer one. nullptr for every other component.
  [[nodiscard]] virtual std::function<void()>* SaverClickHandler() { return nullptr; }

  // Increases with every change of state; the view compares it.
  [[nodiscard]] std::uint64_t Version() const { return version_; }

 protected:
  void Publish(TProperty property);
  void PublishMethod(const std::string& name);  // an event property (never stored)
  void PublishClass(const std::string& name, const std::string& typeName);
  void Changed() { ++version_; }

 private:
  friend class TWinControl;
  TComponent* owner_;
  std::string name_;
  std::string className_;
  std::vector<TComponent*> components_;
  mutable std::vector<TProperty> properties_;
  mutable bool sorted_ = true;
  std::uint64_t version_ = 1;
  std::int64_t tag_ = 0;
};

// Anything visible on a form.
class TControl : public TComponent {
 public:
  TControl(TComponent* owner, TWinControl* parent, std::string name, std::string className);

  [[nodiscard]] TWinControl* Parent() const { return parent_; }
  // The controls that sit on this one (for containers), in creation order.
  [[nodiscard]] const std::vector<TControl*>& Children() const { return children_; }

  [[nodiscard]] bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  [[nodiscard]] bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Enabled, and so are all its parents up to the form: a user could change it now.
  [[nodiscard]] bool EffectivelyEnabled() const;

  [[nodiscard]] TColor Color() const { return color_; }
  void SetColor(TColor color);
  // The font of the control; Name empty means the toolkit's own font. Bold and Color are the
  // look the layout asks for ("bold blue").
  [[nodiscard]] const TFontSpec& Font() const { return font_; }
  void SetFont(const TFontSpec& font);
  [[nodiscard]] int HelpContext() const { return helpContext_; }
  void SetHelpContext(int topic);
  // Caption of the label the layout places beside the control ("Strike"); an '&' marks the
  // keyboard accelerator. Empty when the control has no label of its own.
  std::string LabelCaption;
  // "What's this?" text: what the field means, its unit and its default.
  std::string WhatsThis;

 protected:
  void PublishCommon(bool withColor = true);

 private:
  friend class TWinControl;
  TWinControl* parent_;
  std::vector<TControl*> children_;
  bool enabled_ = true;
  bool visible_ = true;
  TColor color_ = clWindow;
  TFontSpec font_{"", 8, false, false, false, false, 0};
  int helpContext_ = 0;
};

class TWinControl : public TControl {
 public:
  using TControl::TControl;
};

// A group box or panel: a container with a caption.
class TGroupBox : public TWinControl {
 public:
  TGroupBox(TComponent* owner, TWinControl* parent, std::string name, std::string caption);
  std::string Caption;
};

// A static text: field labels, notes and the output labels (Label43, DevLabel, CompDays).
class TLabel : public TControl {
 public:
  TLabel(TComponent* owner, TWinControl* parent, std::string name, std::string caption);
  [[nodiscard]] const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 private:
  std::string caption_;
};

// A one-line edit field.
class TEdit : public TWinControl {
 public:
  TEdit(TComponent* owner, TWinControl* parent, std::string name, std::string text);
  [[nodiscard]] const std::string& Text() const { return text_; }
  // Sets the text; fires OnChange when it differs from the current text.
  void SetText(const std::string& text);
  bool ReadOnly = false;
  bool Border = true;  // false for the borderless output fields
  std::function<void()> OnChange;

 private:
  std::string text_;
};

// A drop-down list whose text can also be typed.
class TComboBox : public TWinControl {
 public:
  TComboBox(TComponent* owner, TWinControl* parent, std::string name, std::string text,
            std::vector<std::string> items, int dropDownCount = 8);
  [[nodiscard]] const std::string& Text() const { return text_; }
  // Sets the text as a finished entry (chosen, typed and confirmed, restored, scripted): a text
  // that is an item apart from letter case and surrounding blanks becomes that item as listed
  // ("call spread " gives "Call spread"); any other text is put to OnValidate and, refused,
  // gives way to the last text that stood. Fires OnChange when the text changes. The item
  // index follows the item (or -1).
  void SetText(const std::string& text);
  // One keystroke of typing: the text as it stands, neither matched nor checked until
  // CommitText; fires OnChange when it differs. An exact item counts as a text that stood.
  void TypeText(const std::string& text);
  // The end of typing (Enter, leaving the field): the typed text is set as SetText sets it.
  void CommitText();
  // The item a text names, letter case and surrounding blanks aside; -1 for none.
  [[nodiscard]] int MatchItem(std::string_view text) const;
  [[nodiscard]] const std::vector<std::string>& Items() const { return items_; }
  // The selected item, -1 for none. Not a published property.
  [[nodiscard]] int ItemIndex() const { return itemIndex_; }
  // Selects an item (its text becomes the text) without firing OnChange, as a program does;
  // an index outside the items keeps the text and selects nothing.
  void SetItemIndex(int index);
  int DropDownCount;
  std::function<void()> OnChange;
  // Asked whether a text that names no item may stand; shows its own message when not. Empty:
  // every text stands.
  std::function<bool(const std::string& text)> OnValidate;

 private:
  void Assign(const std::string& text);

  std::string text_;
  std::string stood_;  // the last text that stood, for a refused one to give way to
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

// A check box; setting Checked to a new value fires OnClick, as clicking does.
class TCheckBox : public TWinControl {
 public:
  TCheckBox(TComponent* owner, TWinControl* parent, std::string name, std::string caption,
            bool checked = false);
  [[nodiscard]] bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // A user's click: toggles and fires OnClick.
  void Click() { SetChecked(!checked_); }
  std::string Caption;
  bool LabelOnLeft = false;
  std::function<void()> OnClick;
  std::function<void()>* SaverClickHandler() override { return OnClick ? &OnClick : nullptr; }

 private:
  bool checked_;
};

// A group of radio buttons; ItemIndex is published. A new index fires OnClick.
class TRadioGroup : public TWinControl {
 public:
  TRadioGroup(TComponent* owner, TWinControl* parent, std::string name, std::string caption,
              std::vector<std::string> items, int itemIndex = 0);
  [[nodiscard]] int ItemIndex() const { return itemIndex_; }
  // Values below -1 become -1, values past the last item the last item.
  void SetItemIndex(int index);
  [[nodiscard]] const std::vector<std::string>& Items() const { return items_; }
  std::string Caption;
  std::function<void()> OnClick;

 private:
  std::vector<std::string> items_;
  int itemIndex_;
};

// A numeric spin box. The user types any text; Value reads it as an integer, or MinValue when
// it is not one (no upper cap). Setting Value keeps it within MinValue..MaxValue unless both
// are 0 (no bounds).
class TSpinEdit : public TWinControl {
 public:
  TSpinEdit(TComponent* owner, TWinControl* parent, std::string name, int value, int minValue,
            int maxValue, int increment);
  [[nodiscard]] const std::string& Text() const { return text_; }
  void SetText(const std::string& text);  // fires OnChange when it differs
  [[nodiscard]] int Value() const;
  void SetValue(int value);
  // The arrow buttons: Value plus or minus Increment.
  void StepUp() { SetValue(Value() + Increment); }
  void StepDown() { SetValue(Value() - Increment); }
  int MinValue;
  int MaxValue;
  int Increment;
  // When set, a whole number typed outside MinValue..MaxValue becomes the nearer bound as it is
  // set (10000 in a box of 1 to 9999 reads 9999), as the box keeps its value within its bounds.
  bool KeepWithinBounds = false;
  std::function<void()> OnChange;

 private:
  std::string text_;
};

// A date picker, date only. The date is a day number (see models/Dates.h).
class TDateTimePicker : public TWinControl {
 public:
  TDateTimePicker(TComponent* owner, TWinControl* parent, std::string name);
  [[nodiscard]] int Date() const { return date_; }
  void SetDate(int dayNumber);  // fires OnChange when it differs
  std::function<void()> OnChange;

 private:
  int date_ = 0;
};

// An editable grid of texts; column 0 and row 0 are the fixed headings.
class TStringGrid : public TWinControl {
 public:
  TStringGrid(TComponent* owner, TWinControl* parent, std::string name, int colCount, int rowCount);
  [[nodiscard]] int ColCount() const { return colCount_; }
  [[nodiscard]] int RowCount() const { return rowCount_; }
  // The text of a cell; empty outside the grid.
  [[nodiscard]] std::string Cell(int col, int row) const;
  // Sets a cell; ignored outside the grid.
  void SetCell(int col, int row, const std::string& text);
  int DefaultColWidth = 64;  // pixels
  int FixedCols = 1;
  int FixedRows = 1;
  std::vector<int> ColWidths;  // per column, pixels
  bool ScrollBars = true;
  bool FixedPitch = false;

 private:
  int colCount_;
  int rowCount_;
  std::vector<std::string> cells_;
};

// A multi-line report pane. A report clears it and adds its lines.
class TRichEdit : public TWinControl {
 public:
  TRichEdit(TComponent* owner, TWinControl* parent, std::string name, bool wordWrap);
  [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }
  void Clear();
  void Add(std::string line);
  // Replaces all lines (the user's own edits, a paste): the text is split at LF, CR LF or CR.
  void SetText(std::string_view text);
  // The lines joined, each followed by a line feed: what a copy puts on the clipboard.
  [[nodiscard]] std::string Text() const;
  bool WordWrap;
  bool ReadOnly = true;

 private:
  std::vector<std::string> lines_;
};

// Chart data: named series of points and marks (vertical lines at a value of the x axis,
// horizontal lines at a value of the y axis), with the titles of the axes. Values are single
// precision; an x axis of dates holds day numbers (see models/Dates.h).
enum class TChartSeriesStyle { Line, Points };
enum class TChartMarkKind { XLine, YLine };
enum class TChartMarkStyle { Solid, Dashed, Dotted };
enum class TChartAxisKind { Number, Date };

struct TChartPoint {
  float X = 0.0f;
  float Y = 0.0f;
  bool operator==(const TChartPoint&) const = default;
};

struct TChartSeries {
  std::string Name;  // the legend's text
  TChartSeriesStyle Style = TChartSeriesStyle::Line;
  std::vector<TChartPoint> Points;
  bool operator==(const TChartSeries&) const = default;
};

struct TChartMark {
  TChartMarkKind Kind = TChartMarkKind::XLine;
  TChartMarkStyle Style = TChartMarkStyle::Solid;
  std::string Label;
  float Value = 0.0f;
  bool operator==(const TChartMark&) const = default;
};

struct TChartData {
  std::string XTitle;
  std::string YTitle;
  TChartAxisKind XKind = TChartAxisKind::Number;
  std::vector<TChartSeries> Series;
  std::vector<TChartMark> Marks;
  bool operator==(const TChartData&) const = default;
};

// A chart: the view draws its data; a program writes it whole.
class TChart : public TWinControl {
 public:
  TChart(TComponent* owner, TWinControl* parent, std::string name);
  [[nodiscard]] const TChartData& Data() const { return data_; }
  // Replaces the data; nothing changes when it is equal to the current data.
  void SetData(TChartData data);
  // Removes every series and mark (the titles stay).
  void Clear();
  // Nothing to draw: no series.
  [[nodiscard]] bool Empty() const { return data_.Series.empty(); }

 private:
  TChartData data_;
};

class TPageControl;

// One page of a page control.
class TTabSheet : public TWinControl {
 public:
  TTabSheet(TComponent* owner, TPageControl* pageControl, std::string name, std::string caption);
  [[nodiscard]] TPageControl* PageControl() const { return pageControl_; }
  std::string Caption;

 private:
  TPageControl* pageControl_;
};

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TPageControl : public TWinControl {
 public:
  TPageControl(TComponent* owner, TWinControl* parent, std::string name);
  [[nodiscard]] const std::vector<TTabSheet*>& Pages() const { return pages_; }
  [[nodiscard]] TTabSheet* ActivePage() const { return active_; }
  // Brings a page into view; fires OnChange when it is a different page.
  void SetActivePage(TTabSheet* page);
  [[nodiscard]] int ActivePageIndex() const;
  [[nodiscard]] TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition position);
  std::function<void()> OnChange;

 private:
  friend class TTabSheet;
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
  TTabPosition tabPosition_ = TTabPosition::tpTop;
};

// A push button (also the picture buttons TBitBtn). Click fires OnClick.
class TButton : public TWinControl {
 public:
  TButton(TComponent* owner, TWinControl* parent, std::string name, std::string caption,
          std::string className = "TButton");
  void Click();
  std::string Caption;
  bool Default = false;  // Enter presses it while its page is in view
  bool Cancel = false;   // Escape presses it
  std::function<void()> OnClick;
};

// A flat picture button; its click handler is one the settings saver may run.
class TSpeedButton : public TControl {
 public:
  TSpeedButton(TComponent* owner, TWinControl* parent, std::string name, std::string caption);
  void Click();
  std::string Caption;
  std::function<void()> OnClick;
  std::function<void()>* SaverClickHandler() override { return OnClick ? &OnClick : nullptr; }
};

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// A window. It owns every component created with it as owner and finds them by name.
class TForm : public TWinControl {
 public:
  TForm(std::string name, std::string className, std::string caption, int clientWidth,
        int clientHeight);
  [[nodiscard]] bool IsWindow() const override { return true; }

  // A component owned by this form, by name, letter case ignored; nullptr when there is none.
  [[nodiscard]] TComponent* FindComponent(std::string_view name) const;

  std::string Caption;
  int Left = 0;
  int Top = 0;
  int Width;
  int Height;
  // Set when the settings restore a stored width or height: the view then keeps the size
  // instead of choosing a first size of its own.
  bool SizeStored = false;

  // Window events; the settings saver replaces some of them with its own hooks.
  std::function<void()> OnCreate;
  std::function<void()> OnShow;
  std::function<void()> OnActivate;
  std::function<void(TCloseAction&)> OnClose;
  std::function<void()> OnDestroy;

  // Shows the window: fires OnShow when it was hidden.
  void Show();
  // The window becomes the active one: fires OnActivate.
  void Activate();
  // The user closes the window: fires OnClose; hides it unless the action says otherwise.
  void Close();
  [[nodiscard]] bool Showing() const { return Visible(); }
  // Asks the view to bring the shown window to the front.
  void BringToFront() {
    ++RaiseRequests;
    Changed();
  }
  std::uint64_t RaiseRequests = 0;
};

}  // namespace valquor
