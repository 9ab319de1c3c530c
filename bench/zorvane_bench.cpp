// SPDX-License-Identifier: MIT
// In-process costs of what a user waits for: one refresh tick, a key press
// until both sizes show, and the size operations alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <memory>

#include "calc/size_formulas.h"
#include "main_window/form1.h"
#include "main_window/project.h"
#include "qt/qt_window_system.h"
#include "runtime/dispatch.h"
#include "runtime/controls/timer.h"

namespace {

// The main window on Qt's widgets, as the program has it.
struct Window {
  Window() : form(project.Form1()) {
    project.SetErrorSink([](const runtime::RuntimeError&) {});
    form.Show();
    QCoreApplication::processEvents();
  }
  qt_frontend::QtWindowSystem windowSystem;  // first in, last out
  main_window::Project project;
  main_window::Form1& form;
};

// Made in main, before any benchmark runs, and gone before the application.
Window* gWindow = nullptr;

Window& TheWindow() { return *gWindow; }

void Tick(benchmark::State& state) {
  Window& w = TheWindow();
  runtime::Boundary([&] { w.form.Text1(0).SetText(u"33"); });
  for (auto _ : state) {
    runtime::Boundary([&] { w.form.Timer1.Tick.Raise(); });
  }
}
BENCHMARK(Tick);

// Alternately a digit and Backspace, each a key press whose recalculation
// fills both outputs before the event returns.
void KeyPressToOutputs(benchmark::State& state) {
  Window& w = TheWindow();
  runtime::Boundary([&] { w.form.Text1(0).SetText(u"12"); });
  auto* field = dynamic_cast<QWidget*>(&w.form.Text1(0).Field());
  QKeyEvent digit(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
  QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
  bool typeDigit = true;
  for (auto _ : state) {
    QApplication::sendEvent(field, typeDigit ? &digit : &backspace);
    typeDigit = !typeDigit;
    benchmark::DoNotOptimize(w.form.Text1(2).Text());
  }
  if (w.form.Text1(1).Text().empty()) state.SkipWithError("the outputs stayed empty");
}
BENCHMARK(KeyPressToOutputs);

void Fat32Size(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(calc::Fat32SizeText("999999"));
}
BENCHMARK(Fat32Size);

void NtfsSize(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(calc::NtfsSizeText("999999"));
}
BENCHMARK(NtfsSize);

void Fat32Limit(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(calc::ExceedsFat32Limit("999999"));
}
BENCHMARK(Fat32Limit);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  auto window = std::make_unique<Window>();
  gWindow = window.get();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
