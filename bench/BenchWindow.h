#pragma once
// The main window of the report benchmarks: started in an empty settings folder of its own, its
// engine of a given number of workers.

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "forms/ScriptedPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor::bench {

class TBenchWindow {
 public:
  // workers: the engine's workers (VALQUOR_THREADS while the window is made); 0 for the
  // hardware's count.
  explicit TBenchWindow(int workers = 0) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "valquor-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
    platform_.Folder = folder_;
    if (workers > 0) ::setenv("VALQUOR_THREADS", std::to_string(workers).c_str(), 1);
    form_ = std::make_unique<TFormPersonal>(platform_);
    if (workers > 0) ::unsetenv("VALQUOR_THREADS");
    form_->RunHandler([this] { form_->Show(); });
    form_->RunHandler([this] { form_->Activate(); });
  }
  ~TBenchWindow() {
    form_.reset();
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  TBenchWindow(const TBenchWindow&) = delete;
  TBenchWindow& operator=(const TBenchWindow&) = delete;

  [[nodiscard]] bool Started() const { return !folder_.empty(); }
  TFormPersonal& Form() { return *form_; }
  TScriptedPlatform& Platform() { return platform_; }

 private:
  std::filesystem::path folder_;
  TScriptedPlatform platform_;
  std::unique_ptr<TFormPersonal> form_;
};

// The Options page set to the binomial model, American exercise, of `steps` steps.
inline void UseAmericanTree(TFormPersonal& form, int steps) {
  form.Formula.SetText("Cox-Ross-Rubenstein");
  form.ExpirationStyle.SetItemIndex(1);
  form.NumberOfSteps.SetText(std::to_string(steps));
}

}  // namespace valquor::bench
