// The costs that grow with the log, on a log of the size given as the first argument (default
// 5,000 QSOs; 300 stations with their texts, station data), on the disk of the temporary folder,
// under the offscreen platform. Prints p50 and p99 in milliseconds of:
// - RecordQso alone;
// - completing a QSO in the live window: recording, grid, score and reset, to the repainted grid;
// - showing the live window, to its first complete paint;
// - one keystroke in the callsign field, to the repainted candidate list;
// - the closing sequence, every output file written.
// Usage: qt_log_size_bench [QSOS] [ROUNDS]   (ROUNDS scales the number of samples, default 1)

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/closing_sequence.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "db/reference_data.h"
#include "db/sqlite_database.h"
#include "keyer/fake_serial_port.h"
#include "keyer/virtual_timer_service.h"
#include "live/form1_live_window.h"
#include "live/record_qso.h"
#include "prep/station_data_record.h"
#include "services/app_context.h"
#include "support/contest_log.h"
#include "support/percentile.h"
#include "support/sample_station_data.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"
#include "support/working_folders.h"

namespace {

using Steady = std::chrono::steady_clock;
constexpr int kStations = 300;

double MillisSince(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

void Print(const char* what, const std::vector<double>& ms) {
  std::printf("%-22s n=%4zu  p50 %9.2f ms  p99 %9.2f ms\n", what, ms.size(), Percentile(ms, 0.5),
              Percentile(ms, 0.99));
  std::fflush(stdout);
}

void WriteStationFiles(AppContext& ctx) {
  std::vector<std::string> stations;
  for (int i = 0; i < kStations; ++i)
    stations.push_back(ContestStationCall(i) + ",Name" + std::to_string(i) + "," + ContestText(i) +
                       ",,,");
  WriteLinesAtomic(ctx.stationListFile, stations);
  std::vector<std::string> texts;
  for (int i = 0; i < 500; ++i) texts.push_back(ContestText(i + 5000));
  WriteLinesAtomic(ctx.textCollectionFile, texts);
  SaveStationDataFile(ctx.stationDataFile,
                      BuildStationDataLines(SampleStationData(), ctx.ownCallsign, "2024-07-21"));
}

// Where keys go when no widget has the focus (the offscreen window may not be active).
QWidget* fallbackFocus = nullptr;

void Key(int key, const QString& text = QString()) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) focus = fallbackFocus;
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(focus, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(focus, &release);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int qsos = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
  QApplication app(argc, argv);

  TempFolder folder;
  FixedClock clock;
  clock.utc = {2024, 7, 21, 7, 30, 0};
  clock.local = {2024, 7, 21, 9, 30, 0};
  AppContext ctx{clock};
  PrepareWorkingFolders(ctx, folder.path(), 2024, "HB9OWN/P");
  WriteContestLog(ctx.logDbFile, qsos, kStations);
  WriteStationFiles(ctx);
  WriteSmallDxccDb(ctx.dxccDbFile, SwissAndNeighbourPrefixes());
  ctx.prefixDb = LoadPrefixDatabase(ctx.dxccDbFile);
  VirtualTimerService portClock;
  auto form = std::make_unique<TForm1>(ctx, std::make_unique<FakeSerialPort>(portClock));
  std::printf("log of %d QSOs\n", qsos);

  std::vector<double> ms;
  for (int i = 0; i < 40 * rounds; ++i) {
    const auto start = Steady::now();
    RecordQso(ctx.logDbFile, "0715", ContestStationCall(i % kStations), i % 2 ? "599" : "59",
              ContestText(i), "579", "EMPFANGENER TEXT");
    ms.push_back(MillisSince(start));
  }
  Print("RecordQso", ms);

  form->show();
  QApplication::processEvents();
  form->activateWindow();
  auto* grid = form->findChild<QTableView*>("StringGrid1");
  ms.clear();
  for (int qso = 0; qso < 40 * rounds; ++qso) {
    // DL + number: an other station, logged from the report received.
    for (const QChar c : QString("DL%1").arg(qso)) Key(c.unicode(), QString(c));
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);
    const auto start = Steady::now();
    Key(Qt::Key_Return);
    grid->repaint();
    ms.push_back(MillisSince(start));
  }
  Print("QSO completion", ms);

  ms.clear();
  for (int i = 0; i < 10 * rounds; ++i) {
    form->hide();
    QApplication::processEvents();
    const auto start = Steady::now();
    form->show();
    form->repaint();
    ms.push_back(MillisSince(start));
  }
  Print("showing the window", ms);
  QApplication::processEvents();
  form->activateWindow();

  fallbackFocus = form->findChild<QLineEdit*>("EditCallsign");
  auto* list = form->findChild<QListWidget*>("ListBox1");
  ms.clear();
  const QString keys = "XYZ9";
  for (int round = 0; round < 100 * rounds; ++round) {
    for (int i = 0; i < 8; ++i) {
      const auto start = Steady::now();
      if (i < 4) {
        Key(Qt::Key_A + (keys[i].unicode() - 'A'), keys.mid(i, 1));
      } else {
        Key(Qt::Key_Backspace);
      }
      list->repaint();
      ms.push_back(MillisSince(start));
    }
  }
  Print("callsign keystroke", ms);
  form->hide();
  form.reset();

  ms.clear();
  for (int i = 0; i < 5 * rounds; ++i) {
    const auto start = Steady::now();
    const FileFailures failures = RunClosingSequence(ctx);
    ms.push_back(MillisSince(start));
    if (!failures.Empty()) {
      std::fprintf(stderr, "closing failed\n");
      return 1;
    }
  }
  Print("closing sequence", ms);
  return 0;
}
