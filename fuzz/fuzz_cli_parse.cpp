// Arbitrary words, split at line ends and NUL bytes, as valquor-cli's command line, read by the
// option and step parser alone (no window, no files): fuzz_cli_steps runs whole command lines,
// this one reaches the parser some thousand times as often.
// Checked: a malformed text throws ECliUsage and nothing else; the options end where a step
// may start; each step takes 1 to 3 words that are there, has the kind its first word names, and
// names the target its words name (window index in range, name free of '[', a cell only with one);
// reading the same words again gives the same steps.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliStep.h"

namespace {

using valquor::ECliUsage;
using valquor::TCliStep;
using valquor::TCliStepKind;

constexpr std::size_t kMaxWords = 60;
const std::vector<std::string> kWindows = {"FormPersonal", "FormWiz", "FormWiz2"};

[[noreturn]] void Fail(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "fuzz check failed: %s: %s\n", what, detail.c_str());
  std::abort();
}

bool TakesTarget(TCliStepKind kind) {
  return kind == TCliStepKind::Set || kind == TCliStepKind::Click || kind == TCliStepKind::Page ||
         kind == TCliStepKind::Print || kind == TCliStepKind::Export;
}

TCliStepKind KindNamed(const std::string& word) {
  if (word == "click") return TCliStepKind::Click;
  if (word == "page") return TCliStepKind::Page;
  if (word == "print") return TCliStepKind::Print;
  if (word == "paste") return TCliStepKind::Paste;
  if (word == "copied") return TCliStepKind::Copied;
  if (word == "open") return TCliStepKind::Open;
  if (word == "font") return TCliStepKind::Font;
  if (word == "export") return TCliStepKind::Export;
  return TCliStepKind::Set;
}

void CheckStep(const std::vector<std::string>& args, std::size_t i, const TCliStep& step) {
  if (step.Words < 1 || step.Words > 3 || step.Words > args.size() - i) {
    Fail("a step takes words that are not there", args[i]);
  }
  if (step.Kind != KindNamed(args[i])) Fail("a step of another kind than its word", args[i]);
  if (!TakesTarget(step.Kind)) return;
  const valquor::TCliTarget& target = step.Target;
  const std::string expected =
      step.Kind == TCliStepKind::Set ? args[i].substr(0, args[i].find('=')) : args[i + 1];
  if (target.Spec != expected) Fail("a target other than the one written", target.Spec);
  if (target.Window >= kWindows.size()) Fail("a window out of range", target.Spec);
  if (target.Name.find('[') != std::string::npos) Fail("a name holding a cell", target.Spec);
  // What follows the window's name and its dot: the name, then the cell if there is one.
  const std::size_t dot = target.Spec.find('.');
  const std::string rest = dot == std::string::npos ? target.Spec : target.Spec.substr(dot + 1);
  if (dot == std::string::npos && target.Window != 0) Fail("a window not written", target.Spec);
  if (target.Cell.has_value() ? !(rest.starts_with(target.Name + "[") && rest.back() == ']')
                              : rest != target.Name) {
    Fail("a name or cell other than the one written", target.Spec);
  }
  if (step.Kind == TCliStepKind::Set && step.Text != args[i].substr(args[i].find('=') + 1)) {
    Fail("a text other than the one written", args[i]);
  }
}

// The steps of args as far as they read, the usage error that ended them last (or "").
std::vector<TCliStep> ReadAll(const std::vector<std::string>& args, std::string& error) {
  std::vector<TCliStep> steps;
  error.clear();
  try {
    const valquor::TCliOptions options = valquor::ParseCliOptions(args);
    if (options.FirstStep > args.size()) Fail("options beyond the words");
    for (std::size_t k = 0; k < options.FirstStep; ++k) {
      const bool folder = k > 0 && args[k - 1] == "--settings-dir";
      if (args[k].rfind("--", 0) != 0 && !folder) Fail("a step read as an option", args[k]);
    }
    if (options.Help || options.Version) return steps;
    for (std::size_t i = options.FirstStep; i < args.size();) {
      steps.push_back(valquor::ParseCliStep(args, i, kWindows));
      CheckStep(args, i, steps.back());
      i += steps.back().Words;
    }
  } catch (const ECliUsage& e) {
    error = e.what();
    if (error.empty()) Fail("a usage error without its reason");
  }
  return steps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  std::string word;
  for (std::size_t i = 0; i <= size && args.size() < kMaxWords; ++i) {
    if (i == size || data[i] == '\n' || data[i] == '\0') {
      if (i < size || !word.empty()) args.push_back(word);
      word.clear();
    } else {
      word.push_back(static_cast<char>(data[i]));
    }
  }
  std::string error;
  const std::vector<TCliStep> steps = ReadAll(args, error);
  std::string again;
  if (ReadAll(args, again) != steps || again != error) Fail("the same words read otherwise");
  return 0;
}
