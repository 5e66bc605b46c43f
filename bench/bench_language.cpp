// Loading the shipped language file and looking texts up: both happen on the
// start-up path and in every list repaint.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"

namespace {

const QString kLangFile = QStringLiteral(QUARN_BENCH_SOURCE_DIR "/data/common/Lang.ini");

void BM_LoadLanguage(benchmark::State& state) {
  for (auto _ : state) {
    TLanguageTable table;
    table.LoadFile(kLangFile, QStringLiteral("Deutsch"));
    benchmark::DoNotOptimize(table.Count());
  }
}
BENCHMARK(BM_LoadLanguage)->Unit(benchmark::kMicrosecond);

void BM_Translate(benchmark::State& state) {
  TLanguageTable table;
  table.LoadFile(kLangFile, QStringLiteral("Deutsch"));
  const QStringList keys = table.Keys();
  qsizetype i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table.Translate(keys[i]));
    i = (i + 1) % keys.size();
  }
}
BENCHMARK(BM_Translate);

void BM_ParsePrefsSizedIni(benchmark::State& state) {
  QString text;
  for (int s = 0; s < 12; ++s) {
    text += QStringLiteral("[Section%1]\r\n").arg(s);
    for (int k = 0; k < 10; ++k)
      text += QStringLiteral("Key%1=Value %2\r\n").arg(k).arg(s * k);
  }
  for (auto _ : state) {
    TIniFile ini;
    ini.LoadFromText(text);
    benchmark::DoNotOptimize(
        ini.ReadInteger(QStringLiteral("section7"), QStringLiteral("key3"), 0));
  }
}
BENCHMARK(BM_ParsePrefsSizedIni)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
