#include "shell/PropertySaver.h"

#include <algorithm>
#include <utility>

#include "forms/SettingsFiles.h"
#include "forms/Text.h"

namespace valquor {

// The hooks are named types so that the saver can tell its own hook in a window's slot from a
// handler someone put there after it.
struct TcsPropertySaver::TCreateHook {
  TcsPropertySaver* Saver;
  void operator()() const { Saver->HookedShow(); }
};
struct TcsPropertySaver::TShowHook {
  TcsPropertySaver* Saver;
  void operator()() const { Saver->HookedShow(); }
};
struct TcsPropertySaver::TCloseHook {
  TcsPropertySaver* Saver;
  void operator()(TCloseAction& action) const { Saver->HookedClose(action); }
};
struct TcsPropertySaver::TDestroyHook {
  TcsPropertySaver* Saver;
  void operator()() const { Saver->HookedDestroy(); }
};

namespace {

constexpr std::size_t kMaxNameLength = 255;

std::string ShortString(std::string_view text) {
  return std::string(text.substr(0, std::min(text.size(), kMaxNameLength)));
}

// Characters a file name cannot hold on the platforms the files travel between.
std::string FileNameOf(std::string_view name) {
  std::string s(name);
  for (char& c : s) {
    if (std::string_view("\"*/:<>?\\|").find(c) != std::string_view::npos) c = '_';
  }
  return s;
}

// The program file's name as the default AppName: without its last four characters when it
// has an extension (".exe"), whole otherwise.
std::string DefaultAppName() {
  const std::string name = kProgramFileName;
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

template <class THook, class TSlot>
bool HoldsHook(const TSlot& slot, const TcsPropertySaver* saver) {
  const THook* hook = slot.template target<THook>();
  return hook != nullptr && hook->Saver == saver;
}

TProperty TextSetting(std::string name, std::function<std::string()> get,
                      std::function<void(const std::string&)> set) {
  TProperty p;
  p.Name = std::move(name);
  p.Kind = TPropKind::String;
  p.TypeName = "string";
  p.GetStr = std::move(get);
  p.SetStr = std::move(set);
  return p;
}

TProperty OrdinalSetting(std::string name, std::string typeName, std::int64_t last,
                         std::function<std::int64_t()> get, std::function<void(std::int64_t)> set) {
  TProperty p;
  p.Name = std::move(name);
  p.Kind = TPropKind::Enumeration;
  p.TypeName = std::move(typeName);
  p.GetOrd = std::move(get);
  p.SetOrd = [set = std::move(set), last](std::int64_t v) {
    if (v >= 0 && v <= last) set(v);
  };
  return p;
}

}  // namespace

TcsPropertySaver::TcsPropertySaver(TForm& owner, TPlatform& platform)
    : TComponent(&owner, "csPropertySaver1", "TcsPropertySaver"),
      form_(owner),
      platform_(platform) {
  PublishSettings();
}

TcsPropertySaver::~TcsPropertySaver() {
  if (HoldsHook<TCreateHook>(form_.OnCreate, this)) form_.OnCreate = std::move(SavedOnCreate);
  if (HoldsHook<TDestroyHook>(form_.OnDestroy, this)) form_.OnDestroy = std::move(SavedOnDestroy);
  if (HoldsHook<TShowHook>(form_.OnShow, this)) form_.OnShow = std::move(SavedOnShow);
  if (HoldsHook<TCloseHook>(form_.OnClose, this)) form_.OnClose = std::move(SavedOnClose);
  CloseStorage();
}

void TcsPropertySaver::PublishSettings() {
  Publish(TextSetting(
      "AppCompany", [this] { return appCompany_; },
      [this](const std::string& v) { SetAppCompany(v); }));
  Publish(TextSetting(
      "AppFamily", [this] { return appFamily_; },
      [this](const std::string& v) { SetAppFamily(v); }));
  Publish(TextSetting(
      "AppName", [this] { return appName_; }, [this](const std::string& v) { SetAppName(v); }));
  Publish(OrdinalSetting(
      "AutoExec", "Boolean", 1, [this] { return std::int64_t{AutoExec}; },
      [this](std::int64_t v) { AutoExec = v != 0; }));
  Publish(OrdinalSetting(
      "AutoLoad", "TcsAutoLoad", 3, [this] { return static_cast<std::int64_t>(AutoLoad); },
      [this](std::int64_t v) { AutoLoad = static_cast<TcsAutoLoad>(v); }));
  Publish(OrdinalSetting(
      "AutoStore", "TcsAutoSave", 2, [this] { return static_cast<std::int64_t>(AutoStore); },
      [this](std::int64_t v) { AutoStore = static_cast<TcsAutoSave>(v); }));
  Publish(OrdinalSetting(
      "ExecTwice", "Boolean", 1, [this] { return std::int64_t{ExecTwice}; },
      [this](std::int64_t v) { ExecTwice = v != 0; }));
  PublishClass("Items", "TStrings");
  Publish(OrdinalSetting(
      "RootKey", "TcsRootKeyType", 1, [this] { return static_cast<std::int64_t>(RootKey); },
      [this](std::int64_t v) { RootKey = static_cast<TcsRootKeyType>(v); }));
  Publish(OrdinalSetting(
      "Storage", "TcsStorage", 1, [this] { return static_cast<std::int64_t>(storage_); },
      [this](std::int64_t v) { SetStorage(static_cast<TcsStorage>(v)); }));
  Publish(OrdinalSetting(
      "UseWinPath", "Boolean", 1, [this] { return std::int64_t{UseWinPath}; },
      [this](std::int64_t v) { UseWinPath = v != 0; }));
  PublishMethod("OnLoaded");
  PublishMethod("OnStore");
}

// ---------------------------------------------------------------------------------------------
// Configuration

void TcsPropertySaver::SetAppCompany(std::string_view name) { appCompany_ = ShortString(name); }

void TcsPropertySaver::SetAppFamily(std::string_view name) { appFamily_ = ShortString(name); }

void TcsPropertySaver::SetAppName(std::string_view name) {
  appName_ = ShortString(storage_ == TcsStorage::stIniFile ? FileNameOf(name) : std::string(name));
}

void TcsPropertySaver::SetStorage(TcsStorage storage) {
  if (storage_ == storage) return;
  storage_ = storage;
  SetAppName(std::string(appName_));
}

void TcsPropertySaver::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  const auto less = [](const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
  };
  std::stable_sort(items_.begin(), items_.end(), less);
  items_.erase(
      std::unique(items_.begin(), items_.end(),
                  [](const std::string& a, const std::string& b) { return SameText(a, b); }),
      items_.end());
  listedNames_.clear();
  for (const std::string& item : items_) {
    const std::size_t dot = item.rfind('.');
    listedNames_.insert(UpperCase(dot == std::string::npos ? item : item.substr(dot + 1)));
  }
}

// ---------------------------------------------------------------------------------------------
// Attaching to the window

void TcsPropertySaver::Loaded() {
  switch (AutoLoad) {
    case TcsAutoLoad::alOnCreate:
      SavedOnCreate = std::move(form_.OnCreate);
      form_.OnCreate = TCreateHook{this};
      break;
    case TcsAutoLoad::alOnShow:
      SavedOnShow = std::move(form_.OnShow);
      form_.OnShow = TShowHook{this};
      break;
    case TcsAutoLoad::alOnLoaded:
      LoadProperties();
      break;
    case TcsAutoLoad::alNone:
      break;
  }
  switch (AutoStore) {
    case TcsAutoSave::asOnDestroy:
      SavedOnDestroy = std::move(form_.OnDestroy);
      form_.OnDestroy = TDestroyHook{this};
      break;
    case TcsAutoSave::asOnClose:
      SavedOnClose = std::move(form_.OnClose);
      form_.OnClose = TCloseHook{this};
      break;
    case TcsAutoSave::asNone:
      break;
  }
}

void TcsPropertySaver::HookedShow() {
  // The window's own handler goes back into its slot (which destroys the hook that is running
  // now: nothing of it is touched afterwards), runs, and is forgotten; then the restore.
  std::function<void()> own;
  if (AutoLoad == TcsAutoLoad::alOnCreate) {
    own = std::move(SavedOnCreate);
    SavedOnCreate = nullptr;
    form_.OnCreate = own;
  } else {
    own = std::move(SavedOnShow);
    SavedOnShow = nullptr;
    form_.OnShow = own;
  }
  if (own) own();
  LoadProperties();
}

void TcsPropertySaver::HookedClose(TCloseAction& action) {
  if (AutoStore == TcsAutoSave::asOnClose) StoreProperties();
  if (SavedOnClose) {
    action = TCloseAction::caHide;
    SavedOnClose(action);
  }
}

void TcsPropertySaver::HookedDestroy() {
  if (AutoStore == TcsAutoSave::asOnDestroy) StoreProperties();
  std::function<void()> own = std::move(SavedOnDestroy);
  SavedOnDestroy = nullptr;
  if (own) {
    form_.OnDestroy = own;
    own();
  }
}

// ---------------------------------------------------------------------------------------------
// Storage

std::filesystem::path TcsPropertySaver::IniPath() {
  if (Trim(appName_).empty()) SetAppName(DefaultAppName());
  // Without a registry the file takes its place; its name keeps to what a file name can hold.
  const std::string fileName = FileNameOf(appName_) + ".ini";
  return (UseWinPath ? SystemFolder(platform_) : ProgramFolder(platform_)) / fileName;
}

void TcsPropertySaver::OpenStorage() {
  if (Trim(appFamily_).empty()) appFamily_ = "Product Family";
  if (Trim(appCompany_).empty()) appCompany_ = "Company Name";
  iniFile_.emplace(IniPath(), SettingsLockFile(platform_));
}

void TcsPropertySaver::CloseStorage() { iniFile_.reset(); }

std::string TcsPropertySaver::ReadValue(const std::string& section, const std::string& key,
                                        const std::string& fallback) const {
  if (!iniFile_) return fallback;
  return iniFile_->ReadString(section, key, fallback);
}

void TcsPropertySaver::WriteValue(const std::string& section, const std::string& key,
                                  const std::string& text) {
  if (iniFile_) iniFile_->WriteString(section, key, text);
}

std::string TcsPropertySaver::SectionOf(const TComponent& component) const {
  if (&component == &form_) return form_.Name();
  return form_.Name() + "\\" + component.Name();
}

bool TcsPropertySaver::IsListed(const TComponent& component, std::string_view property) const {
  // Every path ends in the property name: most properties of a window are no item's, and the
  // restore and the store ask for each of them.
  if (property.find('.') == std::string_view::npos && !listedNames_.contains(UpperCase(property))) {
    return false;
  }
  const auto listed = [this](const std::string& path) {
    return std::binary_search(
        items_.begin(), items_.end(), path,
        [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  };
  const std::string name(property);
  return listed(name) || listed(component.ClassName() + "." + name) ||
         listed(component.Name() + "." + name) || (component.IsWindow() && listed("TForm." + name));
}

std::string TcsPropertySaver::PropertyToText(const TProperty& property) {
  switch (property.Kind) {
    case TPropKind::Integer: {
      if (!property.GetOrd) return {};
      const std::int64_t value = property.GetOrd();
      std::optional<std::string> ident;
      if (property.TypeName == "TColor") ident = ColorToIdent(value);
      if (property.TypeName == "TCursor") ident = CursorToIdent(value);
      return ident ? *ident : std::to_string(value);
    }
    case TPropKind::Char:
      if (!property.GetOrd) return {};
      return std::string(1, static_cast<char>(property.GetOrd() & 0xFF));
    case TPropKind::Enumeration:
      if (!property.GetOrd) return {};
      if (property.TypeName == "Boolean") return property.GetOrd() != 0 ? "TRUE" : "FALSE";
      return std::to_string(property.GetOrd());
    case TPropKind::String:
      return property.GetStr ? property.GetStr() : std::string();
    default:
      return {};
  }
}

void TcsPropertySaver::TextToProperty(const TProperty& property, const std::string& text) {
  switch (property.Kind) {
    case TPropKind::Integer: {
      if (!property.SetOrd) return;
      std::optional<std::int64_t> value;
      if (property.TypeName == "TColor") value = IdentToColor(text);
      if (property.TypeName == "TCursor") value = IdentToCursor(text);
      if (!value) value = StrToInt(text);
      RunEvent([&] { property.SetOrd(*value); });
      return;
    }
    case TPropKind::Char:
      if (!property.SetOrd || text.empty()) return;
      RunEvent([&] { property.SetOrd(static_cast<unsigned char>(text[0])); });
      return;
    case TPropKind::Enumeration: {
      if (!property.SetOrd) return;
      if (property.TypeName == "Boolean") {
        if (text == "TRUE") RunEvent([&] { property.SetOrd(1); });
        if (text == "FALSE") RunEvent([&] { property.SetOrd(0); });
        return;
      }
      const int ordinal = StrToInt(text);
      RunEvent([&] { property.SetOrd(ordinal); });
      return;
    }
    case TPropKind::String:
      if (property.SetStr) RunEvent([&] { property.SetStr(text); });
      return;
    default:
      return;
  }
}

void TcsPropertySaver::RunEvent(const std::function<void()>& handler) {
  if (HandlerRunner) {
    HandlerRunner(handler);
    return;
  }
  try {
    handler();
  } catch (const EConvertError& e) {
    platform_.ShowMessage(e.what(), TMessageKind::Error);
  }
}

void TcsPropertySaver::RunClickHandler(TComponent& component) {
  std::function<void()>* click = component.SaverClickHandler();
  if (click == nullptr || !*click) return;
  // A copy: the handler may replace itself.
  const std::function<void()> handler = *click;
  for (int run = 0; run < (ExecTwice ? 2 : 1); ++run) {
    try {
      handler();
    } catch (...) {
      // A restored click's faults are not the user's to see.
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Restore and store

void TcsPropertySaver::LoadProperties() {
  OpenStorage();
  LoadComponent(form_);
  CloseStorage();
  if (OnLoaded) OnLoaded(*this);
}

void TcsPropertySaver::LoadComponent(TComponent& component) {
  const std::string section = SectionOf(component);
  // A copy of the listed properties: a setter's handler must not disturb the walk.
  std::vector<TProperty> properties;
  for (const TProperty& property : component.Properties()) {
    if (property.Kind != TPropKind::Method && IsListed(component, property.Name)) {
      properties.push_back(property);
    }
  }
  for (const TProperty& property : properties) {
    const std::string current = PropertyToText(property);
    const std::string text = ReadValue(section, property.Name, current);
    try {
      TextToProperty(property, text);
    } catch (const EConvertError& e) {
      // One bad stored number costs that one property, not the rest of the restore.
      platform_.ShowMessage(e.what(), TMessageKind::Error);
      continue;
    }
    // A window's size that was stored (not the fallback) is the user's.
    if (auto* window = dynamic_cast<TForm*>(&component);
        window != nullptr && (property.Name == "Width" || property.Name == "Height") &&
        !ReadValue(section, property.Name, "").empty()) {
      window->SizeStored = true;
    }
    if (AutoExec) RunClickHandler(component);
  }
  const std::vector<TComponent*> owned = component.Components();
  for (TComponent* child : owned) LoadComponent(*child);
}

void TcsPropertySaver::StoreProperties() {
  try {
    OpenStorage();
    if (OnStore) OnStore(*this);
    // One replacement of the file for the whole store: quick, and a store that cannot be
    // written leaves the previous file as it was rather than half old and half new.
    iniFile_->BeginUpdate();
    StoreComponent(form_);
    iniFile_->EndUpdate();
  } catch (const EIniFileException& e) {
    CloseStorage();
    platform_.ShowMessage(e.what(), TMessageKind::Error);
    return;
  }
  CloseStorage();
}

void TcsPropertySaver::StoreComponent(TComponent& component) {
  const std::string section = SectionOf(component);
  for (const TProperty& property : component.Properties()) {
    if (property.Kind == TPropKind::Method || !IsListed(component, property.Name)) continue;
    const std::string text = PropertyToText(property);
    // An emptied field keeps its last stored value.
    if (!text.empty()) WriteValue(section, property.Name, text);
  }
  for (TComponent* child : component.Components()) StoreComponent(*child);
}

}  // namespace valquor
