// valquor-cli sets a list's text as the window does: an item in another letter case or with
// blanks around it is taken as listed, and the formula list refuses any other text aloud.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

struct TRun {
  int Status = 0;
  std::string Out;
  std::string Err;
};

TRun RunSteps(std::vector<std::string> args) {
  const fs::path folder =
      fs::temp_directory_path() / ("valquor-cli-lists-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  args.insert(args.begin(), {"--settings-dir", folder.string()});
  std::ostringstream out, err;
  TRun run;
  run.Status = RunCli(args, out, err);
  run.Out = out.str();
  run.Err = err.str();
  fs::remove_all(folder);
  return run;
}

TEST(TypedListsCliTest, ListsTakeTheirItemAndTheFormulaListRefusesOtherTexts) {
  const TRun run = RunSteps({"PositionName=call spread", "print", "PositionName", "YAxis= FORWARD",
                             "print", "YAxis", "Formula=cox-ross-rubenstein", "print", "Formula",
                             "Formula=black-scholes-merton", "print", "Formula",
                             "NumberOfSteps=10000", "print", "NumberOfSteps"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "Call spread\nForward\nCox-Ross-Rubenstein\nCox-Ross-Rubenstein\n9999\n");
  EXPECT_EQ(run.Err, "message: Unknown formula: black-scholes-merton\n");
}

}  // namespace
}  // namespace valquor
