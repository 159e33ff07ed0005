#pragma once
// A main window on a scripted platform whose settings folder is a fresh temporary folder, and
// small helpers to read the settings files it writes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "forms/IniProfile.h"
#include "forms/ScriptedPlatform.h"
#include "shell/FormPersonal.h"
#include "shell/TempFolder.h"

namespace valquor {

class TFormFixture {
 public:
  TFormFixture() { Platform.Folder = Folder.Path(); }

  // A new main window: created, shown and activated as the program starts it.
  TFormPersonal& Start() {
    Form.reset();
    Form = std::make_unique<TFormPersonal>(Platform);
    Form->RunHandler([&] { Form->Show(); });
    Form->RunHandler([&] { Form->Activate(); });
    return *Form;
  }
  // The user closes the main window; the program ends.
  void Stop() {
    Form->RunHandler([&] { Form->Close(); });
    Form.reset();
  }

  [[nodiscard]] std::filesystem::path File(const std::string& name) const {
    return Folder.Path() / name;
  }
  [[nodiscard]] std::string ReadText(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void WriteText(const std::string& name, const std::string& text) const {
    std::filesystem::create_directories(File(name).parent_path());
    std::ofstream out(File(name), std::ios::binary);
    out << text;
  }
  // Every "section/key" of a file.
  [[nodiscard]] std::set<std::string> Keys(const std::string& name) const {
    std::set<std::string> keys;
    const TIniProfile ini(File(name));
    for (const std::string& section : ini.Sections()) {
      for (const std::string& key : ini.ReadSection(section)) keys.insert(section + "/" + key);
    }
    return keys;
  }

  TTempFolder Folder;
  TScriptedPlatform Platform;
  std::unique_ptr<TFormPersonal> Form;
};

}  // namespace valquor
