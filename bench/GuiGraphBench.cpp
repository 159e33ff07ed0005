// The risk graph redrawn in the window after a what-if change: the change handler's command,
// the chart view rebuilt from the new data and the window painted, offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "gui/ChartView.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

void BM_GraphWhatIfRedrawInWindow(benchmark::State& state, const char* formula) {
  QTemporaryDir folder;
  TQtPlatform platform(folder.path().toStdString());
  bool messages = false;
  platform.MessageSink = [&](const std::string&, TMessageKind) { messages = true; };
  auto form = std::make_unique<TFormPersonal>(platform);
  auto window = std::make_unique<TMainWindow>(
      *form, form->FormWiz, form->FormWiz2,
      [&](const std::function<void()>& handler) { form->RunHandler(handler); }, platform);
  window->resize(1024, 768);
  window->Start();
  QCoreApplication::processEvents();
  window->Run([&] {
    form->Formula.SetText(formula);
    form->MainPageControl.SetActivePage(&form->TabGraph);
    form->ComputeBtn.Click();
  });
  auto* chart = window->findChild<TChartView*>("GraphChart");
  int change = 0;
  for (auto _ : state) {
    window->Run([&] { form->WhatIfPrice.SetText(++change % 2 == 0 ? "1" : "2"); });
    QPixmap picture = window->grab();  // paints the window with the new chart
    benchmark::DoNotOptimize(picture.cacheKey());
  }
  if (messages || chart == nullptr || chart->DataSeries().size() != 4) {
    state.SkipWithError("the graph was not drawn");
  }
  window.reset();
  form.reset();
}
BENCHMARK_CAPTURE(BM_GraphWhatIfRedrawInWindow, BlackScholes, "Black-Scholes")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace valquor

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
