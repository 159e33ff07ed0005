#include "cli/CliStep.h"

#include "forms/Text.h"

namespace valquor {
namespace {

TCliTarget ParseTarget(const std::string& spec, const std::vector<std::string>& windows) {
  TCliTarget target;
  target.Spec = spec;
  std::string name = spec;
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) {
    const std::string prefix = name.substr(0, dot);
    std::size_t window = 0;
    while (window < windows.size() && !SameText(prefix, windows[window])) ++window;
    if (window == windows.size()) {
      throw ECliUsage("unknown window '" + prefix + "' in '" + spec + "'");
    }
    target.Window = window;
    name = name.substr(dot + 1);
  }
  const std::size_t bracket = name.find('[');
  if (bracket != std::string::npos) {
    const std::size_t comma = name.find(',', bracket);
    const std::size_t close = name.find(']', bracket);
    if (comma == std::string::npos || close == std::string::npos || comma > close ||
        close + 1 != name.size()) {
      throw ECliUsage("a grid cell is written NAME[COL,ROW]: '" + spec + "'");
    }
    const std::optional<int> col = TryStrToInt(Trim(name.substr(bracket + 1, comma - bracket - 1)));
    const std::optional<int> row = TryStrToInt(Trim(name.substr(comma + 1, close - comma - 1)));
    if (!col || !row) throw ECliUsage("a grid cell needs whole numbers: '" + spec + "'");
    target.Cell = std::make_pair(*col, *row);
    name = name.substr(0, bracket);
  }
  target.Name = name;
  return target;
}

}  // namespace

TCliOptions ParseCliOptions(const std::vector<std::string>& args) {
  TCliOptions options;
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--help" || word == "-h") {
      options.Help = true;
      break;
    }
    if (word == "--version") {
      options.Version = true;
      break;
    }
    if (word == "--save") {
      options.Save = true;
    } else if (word == "--settings-dir") {
      if (i + 1 >= args.size()) throw ECliUsage("--settings-dir needs a folder");
      options.SettingsFolder = args[++i];
    } else if (word.rfind("--settings-dir=", 0) == 0) {
      options.SettingsFolder = word.substr(15);
    } else if (word.rfind("--", 0) == 0) {
      throw ECliUsage("unknown option '" + word + "' (see --help)");
    } else {
      break;
    }
  }
  options.FirstStep = i;
  return options;
}

TCliStep ParseCliStep(const std::vector<std::string>& args, std::size_t first,
                      const std::vector<std::string>& windows) {
  const std::string& word = args.at(first);
  const auto operand = [&]() -> const std::string& {
    if (first + 1 >= args.size()) throw ECliUsage("'" + word + "' needs an argument");
    return args[first + 1];
  };
  TCliStep step;
  step.Words = 2;
  if (word == "click" || word == "page" || word == "print") {
    step.Kind = word == "click"  ? TCliStepKind::Click
                : word == "page" ? TCliStepKind::Page
                                 : TCliStepKind::Print;
    step.Target = ParseTarget(operand(), windows);
  } else if (word == "paste" || word == "open") {
    step.Kind = word == "paste" ? TCliStepKind::Paste : TCliStepKind::Open;
    step.Text = operand();
  } else if (word == "copied") {
    step.Kind = TCliStepKind::Copied;
    step.Words = 1;
  } else if (word == "font") {
    const std::string& spec = operand();
    const std::size_t colon = spec.rfind(':');
    const std::optional<int> size =
        colon == std::string::npos ? std::nullopt : TryStrToInt(Trim(spec.substr(colon + 1)));
    if (colon == 0 || !size || *size <= 0) {
      throw ECliUsage("a font is written NAME:SIZE: '" + spec + "'");
    }
    step.Kind = TCliStepKind::Font;
    step.FontName = spec.substr(0, colon);
    step.FontSize = *size;
  } else if (word == "export") {
    if (first + 2 >= args.size()) throw ECliUsage("'export' needs a control and a file");
    step.Kind = TCliStepKind::Export;
    step.Words = 3;
    step.Target = ParseTarget(args[first + 1], windows);
    step.Text = args[first + 2];
  } else if (const std::size_t eq = word.find('='); eq != std::string::npos && eq > 0) {
    step.Kind = TCliStepKind::Set;
    step.Words = 1;
    step.Target = ParseTarget(word.substr(0, eq), windows);
    step.Text = word.substr(eq + 1);
  } else {
    throw ECliUsage("unknown step '" + word + "'");
  }
  return step;
}

}  // namespace valquor
