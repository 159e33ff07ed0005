#pragma once
// TcsPropertySaver: keeps listed properties of a window and of the components it owns in a
// profile (INI) file, restoring them when the window is first shown and storing them when it
// closes. A listed path is "Component.Property", "Class.Property", "TForm.Property" or a bare
// property name, matched without regard to letter case. The file is <AppName>.ini in the
// settings folder (the "system" subfolder with UseWinPath), one section per component
// ("FormPersonal" for the window, "FormPersonal\StrikeEdit" for a control), one key per
// property. This platform has no registry: stRegistry is accepted and stores in the INI file.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "forms/Controls.h"
#include "forms/IniProfile.h"
#include "forms/Platform.h"

namespace valquor {

enum class TcsStorage { stRegistry, stIniFile };
enum class TcsAutoLoad { alNone, alOnCreate, alOnShow, alOnLoaded };
enum class TcsAutoSave { asNone, asOnDestroy, asOnClose };
enum class TcsRootKeyType { THKEY_CURRENT_USER, THKEY_LOCAL_MACHINE };

class TcsPropertySaver : public TComponent {
 public:
  // A saver owned by a window, with every setting at its default (registry storage, restore on
  // show, store on close, click handlers run twice). Create it after the window's controls.
  TcsPropertySaver(TForm& owner, TPlatform& platform);
  // Puts the window's own create, show, close and destroy handlers back where it replaced them.
  ~TcsPropertySaver() override;

  // Texts of at most 255 characters. AppName with stIniFile storage has each of  " * / : < > ?
  // \ |  replaced by "_"; an empty (blank) name is filled in when the storage is opened.
  [[nodiscard]] const std::string& AppCompany() const { return appCompany_; }
  void SetAppCompany(std::string_view name);
  [[nodiscard]] const std::string& AppFamily() const { return appFamily_; }
  void SetAppFamily(std::string_view name);
  [[nodiscard]] const std::string& AppName() const { return appName_; }
  void SetAppName(std::string_view name);
  [[nodiscard]] TcsStorage Storage() const { return storage_; }
  // A different storage applies the AppName rule again.
  void SetStorage(TcsStorage storage);

  bool AutoExec = true;  // after restoring a property, run the component's click handler
  TcsAutoLoad AutoLoad = TcsAutoLoad::alOnShow;
  TcsAutoSave AutoStore = TcsAutoSave::asOnClose;
  bool ExecTwice = true;  // run that click handler a second time
  TcsRootKeyType RootKey = TcsRootKeyType::THKEY_CURRENT_USER;
  bool UseWinPath = false;  // the file in the operating system's folder of the program
  std::function<void(TcsPropertySaver&)> OnLoaded;  // after a restore
  std::function<void(TcsPropertySaver&)> OnStore;   // before a store

  // The listed paths, sorted without regard to letter case, duplicates dropped.
  [[nodiscard]] const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);

  // Runs an event handler that a restored value fires (a change or click handler) the way the
  // window's event loop would, so that a fault in one handler does not stop the restore. When
  // empty, an integer conversion refused inside the handler shows its message and other faults
  // reach the caller.
  std::function<void(const std::function<void()>&)> HandlerRunner;

  // Attaches the saver to its window's events as AutoLoad and AutoStore say (alOnLoaded
  // restores at once). Call it once, after the configuration is set.
  void Loaded();
  // Restores every listed property of the window and its components, then calls OnLoaded. A
  // stored integer that does not convert shows "'<text>' is not a valid integer value" and
  // leaves that one property as it is; the others are restored.
  void LoadProperties();
  // Stores every listed property with a non-empty text, in one replacement of the file. A file
  // that cannot be written shows "Unable to write to <path>" and keeps its previous content.
  void StoreProperties();

  // The file the saver uses, AppName filled in as when the storage is opened.
  [[nodiscard]] std::filesystem::path IniPath();

  // Whether a property of a component is listed (see the class comment).
  [[nodiscard]] bool IsListed(const TComponent& component, std::string_view property) const;
  // A property's value as stored: colour and cursor identifiers, "TRUE"/"FALSE" for Booleans,
  // decimal ordinals, texts; empty for kinds that are never stored.
  [[nodiscard]] static std::string PropertyToText(const TProperty& property);
  // Sets a property from its stored text through the property's setter. A Boolean other than
  // exactly "TRUE" or "FALSE" changes nothing; an integer or enumeration text that does not
  // convert throws EConvertError and changes nothing.
  void TextToProperty(const TProperty& property, const std::string& text);
  // The section of a component: the window's name, then "\" and the component's name.
  [[nodiscard]] std::string SectionOf(const TComponent& component) const;

  // The window's handlers the saver has replaced (empty when the window had none).
  std::function<void()> SavedOnCreate;
  std::function<void()> SavedOnShow;
  std::function<void(TCloseAction&)> SavedOnClose;
  std::function<void()> SavedOnDestroy;

  // Put in place of the window's create or show, close and destroy handlers.
  void HookedShow();
  void HookedClose(TCloseAction& action);
  void HookedDestroy();

 private:
  struct TShowHook;
  struct TCreateHook;
  struct TCloseHook;
  struct TDestroyHook;

  void OpenStorage();
  void CloseStorage();
  void LoadComponent(TComponent& component);
  void StoreComponent(TComponent& component);
  [[nodiscard]] std::string ReadValue(const std::string& section, const std::string& key,
                                      const std::string& fallback) const;
  void WriteValue(const std::string& section, const std::string& key, const std::string& text);
  void RunClickHandler(TComponent& component);
  void RunEvent(const std::function<void()>& handler);
  void PublishSettings();

  TForm& form_;
  TPlatform& platform_;
  std::string appCompany_ = "Company Name";
  std::string appFamily_ = "Product Family";
  std::string appName_ = "Product Name";
  TcsStorage storage_ = TcsStorage::stRegistry;
  std::vector<std::string> items_;
  std::unordered_set<std::string> listedNames_;  // the items' last parts, in upper case
  std::optional<TIniProfile> iniFile_;
};

}  // namespace valquor
