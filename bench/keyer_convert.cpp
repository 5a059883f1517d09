// Converting a message to elements happens on the window's thread right before keying starts:
// the report message with a Farnsworth-spaced exchange text, and a long free text.

#include <benchmark/benchmark.h>

#include "keyer/morse_converter.h"

namespace {

void ConvertMessage(benchmark::State& state, const std::string& text) {
  TMorse morse;
  morse.SetFarnsworth(true);
  morse.SetSpeed(25);
  morse.SetCharacterSpeed(25);
  morse.SetText(text);
  ElementList elements;
  elements.reserve(1000);
  for (auto _ : state) {
    morse.Convert(elements);
    benchmark::DoNotOptimize(elements.data());
  }
  state.counters["elements"] = static_cast<double>(elements.size());
}

void BM_ConvertReportMessage(benchmark::State& state) {
  ConvertMessage(state, "hb9abc/p gm anna 5nn<13>rote rosen im garten<25> +");
}
BENCHMARK(BM_ConvertReportMessage);

void BM_ConvertLongText(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "cq ktd de hb9xyz/p test [bt] \xC4rger <9>qrl?<25> ";
  ConvertMessage(state, text);
}
BENCHMARK(BM_ConvertLongText);

}  // namespace

BENCHMARK_MAIN();
