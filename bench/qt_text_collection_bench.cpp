// The text collection window with a large text file, under the offscreen platform: importing
// 100,000 lines through the button (file read, import, grid filled and repainted), and closing the
// window (the file and `txt` written). Each run starts from an empty collection.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QTableWidget>
#include <memory>

#include "common/clock.h"
#include "common/text_file.h"
#include "db/log_schema.h"
#include "prep/form5_text_collection.h"
#include "services/app_context.h"
#include "services/qt_file_dialogs.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

namespace {

std::string Letters(int n, int width) {
  std::string s(static_cast<std::size_t>(width), 'A');
  for (int i = width - 1; i >= 0; --i, n /= 26)
    s[static_cast<std::size_t>(i)] = static_cast<char>('A' + n % 26);
  return s;
}

void BM_TextCollectionWindowImportAndClose(benchmark::State& state) {
  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};
  PrepareWorkingFolders(ctx, folder.path(), 2025, "HB9XYZ/P");
  CreateLogSchema(ctx.logDbFile);
  const std::string file = folder / "Texte.txt";
  std::vector<std::string> lines;
  for (int i = 0; i < state.range(0); ++i)
    lines.push_back((i % 3 == 0 ? "Gr\xFCsse vom Berg " : "Bergwind und Sonne ") + Letters(i, 4));
  WriteLinesAtomic(file, lines);
  for (auto _ : state) {
    state.PauseTiming();
    DeleteFileIfExists(ctx.textCollectionFile);
    TForm5 form(ctx);
    form.show();
    QApplication::processEvents();
    FileDialogs::SetNextFileName(QString::fromStdString(file));
    state.ResumeTiming();
    form.findChild<QPushButton*>("ButtonImportieren")->click();
    form.findChild<QTableWidget*>("StringGrid1")->repaint();
    form.close();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_TextCollectionWindowImportAndClose)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
