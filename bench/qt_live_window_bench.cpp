// The live window on a log of 5,000 QSOs with 300 stations in each station table, on the disk of
// the temporary folder, under the offscreen platform:
// - one keystroke in the callsign field, from the key event to the repainted candidate list;
// - completing a QSO: recording, grid refill, score and reset, to the repainted grid;
// - showing the window, to its first complete paint.
// Each prints p50 and p99 in microseconds (counters) over its samples.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QTableView>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "common/clock.h"
#include "db/reference_data.h"
#include "db/sqlite_database.h"
#include "keyer/fake_serial_port.h"
#include "keyer/virtual_timer_service.h"
#include "live/form1_live_window.h"
#include "services/app_context.h"
#include "support/contest_log.h"
#include "support/percentile.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"
#include "support/working_folders.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Setup {
  Setup() {
    PrepareWorkingFolders(ctx, folder.path(), 2024, "HB9OWN/P");
    clock.utc = {2024, 7, 21, 7, 30, 0};
    WriteContestLog(ctx.logDbFile, 5000, 300);
    WriteSmallDxccDb(ctx.dxccDbFile, SwissAndNeighbourPrefixes());
    ctx.prefixDb = LoadPrefixDatabase(ctx.dxccDbFile);
    form = std::make_unique<TForm1>(ctx, std::make_unique<FakeSerialPort>(portClock));
  }
  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};
  VirtualTimerService portClock;
  std::unique_ptr<TForm1> form;
};

Setup* setup = nullptr;

void Key(int key, const QString& text = QString()) {
  QWidget* focus = QApplication::focusWidget();
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(focus, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(focus, &release);
}

void Report(benchmark::State& state, const std::vector<double>& micros) {
  state.counters["p50_us"] = Percentile(micros, 0.5);
  state.counters["p99_us"] = Percentile(micros, 0.99);
}

void BM_CallsignKeystroke(benchmark::State& state) {
  auto* list = setup->form->findChild<QListWidget*>("ListBox1");
  std::vector<double> micros;
  const QString keys = "XYZ9";
  for (auto _ : state) {
    for (int round = 0; round < 250; ++round) {
      for (int i = 0; i < 8; ++i) {
        const auto start = Clock::now();
        if (i < 4) {
          Key(Qt::Key_A + (keys[i].unicode() - 'A'), keys.mid(i, 1));
        } else {
          Key(Qt::Key_Backspace);
        }
        list->repaint();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
      }
    }
  }
  Report(state, micros);
}

void BM_CompleteQso(benchmark::State& state) {
  auto* grid = setup->form->findChild<QTableView*>("StringGrid1");
  std::vector<double> micros;
  for (auto _ : state) {
    for (int qso = 0; qso < 100; ++qso) {
      // DL + number: an other station, logged from the report received.
      for (const QChar c : QString("DL%1").arg(qso)) Key(c.unicode(), QString(c));
      Key(Qt::Key_Return);
      Key(Qt::Key_Return);
      const auto start = Clock::now();
      Key(Qt::Key_Return);
      grid->repaint();
      micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
  }
  Report(state, micros);
}

void BM_ShowWindow(benchmark::State& state) {
  std::vector<double> micros;
  for (auto _ : state) {
    for (int i = 0; i < 20; ++i) {
      setup->form->hide();
      QApplication::processEvents();
      const auto start = Clock::now();
      setup->form->show();
      setup->form->repaint();
      micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
  }
  Report(state, micros);
}

}  // namespace

BENCHMARK(BM_CallsignKeystroke)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompleteQso)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  setup = new Setup;
  setup->form->show();
  QApplication::processEvents();
  setup->form->activateWindow();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  delete setup;
  return 0;
}
