#include <cstdint>
#include <memory>
#include <utility>

#include "shell/FormPersonal.h"
#include "shell/GraphPage.h"
#include "shell/PricingReports.h"

namespace valquor {
namespace {

// The platform a command reads through: everything goes to the window's platform except the
// messages, which are kept with the stage being read and shown in order when the command runs.
class TReadingPlatform : public TPlatform {
 public:
  explicit TReadingPlatform(TPlatform& platform) : platform_(platform) {}
  // Where the messages go from now on.
  void KeepIn(TMessageLog& log) { log_ = &log; }

  void ShowMessage(const std::string& text, TMessageKind kind) override {
    log_->ShowMessage(text, kind);
  }
  [[nodiscard]] char DecimalMark() const override { return platform_.DecimalMark(); }
  void SetBusyCursor(bool busy) override { platform_.SetBusyCursor(busy); }
  [[nodiscard]] std::string ClipboardText() override { return platform_.ClipboardText(); }
  void SetClipboardText(const std::string& text) override { platform_.SetClipboardText(text); }
  [[nodiscard]] std::optional<std::string> OpenFileDialog(
      const TFileDialogRequest& request) override {
    return platform_.OpenFileDialog(request);
  }
  [[nodiscard]] std::optional<std::string> SaveFileDialog(
      const TFileDialogRequest& request) override {
    return platform_.SaveFileDialog(request);
  }
  [[nodiscard]] std::optional<TFontSpec> FontDialog(const TFontSpec& current) override {
    return platform_.FontDialog(current);
  }
  void OpenHelp(int topic) override { platform_.OpenHelp(topic); }
  [[nodiscard]] int Today() override { return platform_.Today(); }
  [[nodiscard]] std::filesystem::path SettingsFolder() override {
    return platform_.SettingsFolder();
  }

 private:
  TPlatform& platform_;
  TMessageLog* log_ = nullptr;
};

// How the reading of a stage ended.
enum class TReadEnd {
  Read,        // on to the next stage
  AtStage,     // refused here: the stages before it run and are written
  NothingRuns  // a number that cannot be read: nothing is computed or written
};

// Reads one stage with read(stage, reader); its messages are kept in the stage.
template <class Read>
TReadEnd ReadStage(TCommand& command, TReadingPlatform& reader, Read&& read) {
  TCommandStage& stage = command.Stages.emplace_back();
  reader.KeepIn(stage.ReadMessages);
  try {
    read(stage);
    return TReadEnd::Read;
  } catch (const EAbort&) {
    return TReadEnd::NothingRuns;
  } catch (...) {
    // A day count that is no whole number, a forward beyond the single range.
    stage.ReadFailure = std::current_exception();
    return TReadEnd::AtStage;
  }
}

// Writes a report into its pane and keeps its table for export.
void WritePane(TRichEdit& pane, const std::vector<std::string>& lines, TExports& exports,
               TCsvTable table, const char* fileName) {
  pane.Clear();
  for (const std::string& line : lines) pane.Add(line);
  exports.Set(pane, std::move(table), fileName);
}

// A report stage: computes the request's result on the command's context and, once the command
// is done, writes the pane (unless the result says the pane keeps its text).
template <class Request, class Result, class Compute, class Render, class Csv, class Written>
void SetReportStage(TCommandStage& stage, Request request, Compute compute, Render render, Csv csv,
                    Written written, TRichEdit& pane, TExports& exports, const char* fileName) {
  auto kept = std::make_shared<std::pair<Request, Result>>(std::move(request), Result{});
  stage.Compute = [kept, compute](TComputeContext& context) {
    kept->second = compute(kept->first, context);
  };
  stage.Apply = [kept, render, csv, written, &pane, &exports, fileName] {
    if (!written(kept->second)) return;
    WritePane(pane, render(kept->first, kept->second), exports, csv(kept->first, kept->second),
              fileName);
  };
}

constexpr auto kAlways = [](const auto&) { return true; };

}  // namespace

void TPricingReports::ComputeBtnClick() {
  const std::pair<const std::string*, const char*> kRequired[] = {
      {&form_.PositionName.Text(), "No position selected"},
      {&form_.Steps.Text(), "No Days selected"},
      {&form_.DaysCombo.Text(), "No DayLength selected"},
      {&form_.YAxis.Text(), "YAxis not defined"},
      {&form_.Formula.Text(), "No formula isselected"},
  };
  for (const auto& [text, message] : kRequired) {
    if (text->empty()) {
      platform_.ShowMessage(message, TMessageKind::Warning);
      return;
    }
  }
  TBusyCursor busy(platform_);
  if (form_.MainPageControl.ActivePage() == &form_.TabGraph) {
    GraphCompute(dynamic_cast<TFormPersonal&>(form_));
    return;
  }
  const bool analysis = form_.MainPageControl.ActivePage() == &form_.TabAnalysis;

  // Everything is read here, stage by stage in the order the reports meet the fields; the
  // command then computes the stages in order and writes them back.
  TCommand command;
  TReadingPlatform reader(platform_);
  auto units = std::make_shared<std::uint64_t>(0);
  TPanelReading panel;
  TReadEnd end = ReadStage(command, reader, [&](TCommandStage& stage) {
    panel = panel_.ReadReportInputs(reader, true);
    panel.Inputs.MaxDays = panel_.MaxDays();
    // The whole command's units of work, announced before any is done.
    stage.Compute = [units](TComputeContext& context) { context.Control().Plan(*units); };
    // A locked forward is the user's own text and stays.
    stage.Apply = [this, panel, locked = form_.MainForwardLock.Checked()] {
      if (!locked) form_.ForwardEdit.SetText(panel.ForwardText);
      panel_.Inputs = panel.Inputs;
    };
  });

  if (!analysis) {
    TFairValueRequest fairValue;
    if (end == TReadEnd::Read) {
      end = ReadStage(command, reader, [&](TCommandStage& stage) {
        // The fair value report reads the panel again.
        TPanelReading again = panel_.ReadReportInputs(reader, true);
        again.Inputs.MaxDays = panel.Inputs.MaxDays;
        fairValue = ReadFairValue(again, reader);
        *units += FairValueUnits(fairValue);
        SetReportStage<TFairValueRequest, TFairValueResult>(
            stage, fairValue, ComputeFairValue, RenderFairValue, FairValueCsv, kAlways,
            form_.RichEdit1, exports_, "fair-value.csv");
      });
    }
    if (end == TReadEnd::Read) {
      end = ReadStage(command, reader, [&](TCommandStage& stage) {
        TDeltaRequest delta = ReadDelta(fairValue);
        *units += DeltaUnits(delta);
        SetReportStage<TDeltaRequest, TDeltaResult>(stage, std::move(delta), ComputeDelta,
                                                    RenderDelta, DeltaCsv, kAlways, form_.RichEdit2,
                                                    exports_, "delta.csv");
      });
    }
  } else {
    if (end == TReadEnd::Read) {
      end = ReadStage(command, reader, [&](TCommandStage& stage) {
        TAnalysisCalculatorRequest calculator = ReadAnalysisCalculator(panel, reader);
        *units += AnalysisCalculatorUnits(calculator);
        SetReportStage<TAnalysisCalculatorRequest, TAnalysisCalculatorResult>(
            stage, std::move(calculator), ComputeAnalysisCalculator, RenderAnalysisCalculator,
            AnalysisCalculatorCsv, [](const TAnalysisCalculatorResult& r) { return r.Written; },
            form_.RichEdit10, exports_, "calculator.csv");
      });
    }
    if (end == TReadEnd::Read) {
      end = ReadStage(command, reader, [&](TCommandStage& stage) {
        TProbabilitiesRequest probabilities = ReadProbabilities(panel);
        *units += ProbabilitiesUnits(probabilities);
        SetReportStage<TProbabilitiesRequest, TProbabilitiesResult>(
            stage, std::move(probabilities), ComputeProbabilities, RenderProbabilities,
            [](const TProbabilitiesRequest&, const TProbabilitiesResult& r) {
              return ProbabilitiesCsv(r);
            },
            [](const TProbabilitiesResult& r) { return r.Written; }, form_.RichEdit8, exports_,
            "probabilities.csv");
      });
    }
    if (end == TReadEnd::Read) {
      end = ReadStage(command, reader, [&](TCommandStage& stage) {
        TPayoffRequest payoff = ReadPayoff(panel, reader);
        *units += PayoffUnits(payoff);
        SetReportStage<TPayoffRequest, TPayoffResult>(
            stage, std::move(payoff), ComputePayoff, RenderPayoff, PayoffCsv,
            [](const TPayoffResult& r) { return r.Written; }, form_.RichEdit3, exports_,
            "payoff.csv");
      });
    }
  }

  if (end == TReadEnd::NothingRuns) {
    // The messages up to the number that could not be read, that one's last; nothing else.
    for (TCommandStage& stage : command.Stages) stage.ReadMessages.ReplayTo(platform_);
    return;
  }
  run_(std::move(command));
}

}  // namespace valquor
