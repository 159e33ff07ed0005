// The progress line of valquor-cli on a terminal: shown for long work only, cleared before the
// command's messages, and nothing else changes.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <regex>
#include <sstream>
#include <streambuf>
#include <string>
#include <thread>

#include "cli/CliProgressRunner.h"
#include "forms/ScriptedPlatform.h"

namespace valquor {
namespace {

using namespace std::chrono_literals;

// Standard error as a test sees it: the text, and a flag the computation can wait for, set
// once the text shows the line of a quarter done.
class TWatchedBuffer : public std::stringbuf {
 public:
  std::atomic<bool> QuarterShown{false};

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    const std::streamsize n = std::stringbuf::xsputn(text, count);
    if (str().find("Computing... 25 %") != std::string::npos) QuarterShown = true;
    return n;
  }
};

// One stage: a message, a quarter of its work, then (when told to) a wait until the progress
// line is out, the rest of the work, and its pane written.
TCommand QuarterThenRest(const std::atomic<bool>* shown, std::vector<std::string>& written) {
  TCommand command;
  TCommandStage stage;
  stage.Compute = [shown](TComputeContext& context) {
    context.Messages().ShowMessage("computed", TMessageKind::Warning);
    context.Control().Plan(4);
    context.Control().Finish(1);
    if (shown != nullptr) {
      // Bounded, so that a runner that never shows the line fails instead of hanging.
      for (int i = 0; i < 10000 && !*shown; ++i) std::this_thread::sleep_for(1ms);
    }
    context.Control().Finish(3);
  };
  stage.Apply = [&written] { written.push_back("pane"); };
  command.Stages.push_back(std::move(stage));
  return command;
}

TEST(CliProgressRunnerTest, LongWorkShowsOneLineClearedBeforeTheMessages) {
  TWatchedBuffer buffer;
  std::ostream err(&buffer);
  TScriptedPlatform platform;
  platform.OnMessage = [&err](const std::string& text) { err << "message: " << text << '\n'; };
  TValuationEngine engine(2);
  std::vector<std::string> written;
  TCliProgressRunner runner(err, 0ms, 1ms);
  runner.Run(QuarterThenRest(&buffer.QuarterShown, written), engine, platform);

  // Lines of the percentages seen (the quarter among them), cleared as wide as the widest line
  // shown, then the messages.
  const std::string text = buffer.str();
  EXPECT_TRUE(std::regex_match(
      text, std::regex("(\rComputing\\.\\.\\. [0-9]+ % *)+\r {16,18}\rmessage: computed\n")))
      << text;
  EXPECT_NE(text.find("\rComputing... 25 %"), std::string::npos) << text;
  EXPECT_EQ(written, std::vector<std::string>{"pane"});
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"computed"});
}

TEST(CliProgressRunnerTest, ShortWorkShowsNoLine) {
  std::ostringstream err;
  TScriptedPlatform platform;
  TValuationEngine engine(1);
  std::vector<std::string> written;
  TCliProgressRunner runner(err);  // a second before the line: far more than this work takes
  runner.Run(QuarterThenRest(nullptr, written), engine, platform);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(written, std::vector<std::string>{"pane"});
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"computed"});
}

}  // namespace
}  // namespace valquor
