// Tokenizer throughput in MB/s on a real HTML corpus, and the cost of loading
// the three settings files that every indexed file reads.
//
// Corpus (BenchCorpus.h): the folder in QUILLMARK_BENCH_CORPUS, else Debian's
// PostgreSQL HTML manual (bench/get_corpus.sh installs it), else a generated
// corpus of similar pages.
//
//   cmake --build build --target tokenizer_bench && build/bench/tokenizer_bench
#include <benchmark/benchmark.h>

#include <string>

#include "BenchCorpus.h"
#include "indexing/HTMLParser.h"
#include "indexing/RatingSettings.h"

namespace qm {
namespace {

using bench::TheCorpus;

// Every token of the whole corpus, from memory.
void TokenizeCorpus(benchmark::State& state, bool utf8Mode) {
  const bench::Corpus& corpus = TheCorpus();
  TokenizerMode mode;
  mode.UTF8Mode = utf8Mode;
  HtmlSource source(mode);
  source.OpenBytes(corpus.bytes);
  std::string text;
  size_t tokens = 0;
  for (auto _ : state) {
    source.SeekSource(0, 0);
    while (source.NextToken(text) != TokenKind::End) ++tokens;
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.bytes.size()));
  state.counters["tokens/s"] =
      benchmark::Counter(static_cast<double>(tokens), benchmark::Counter::kIsRate);
  state.SetLabel(corpus.origin + ", " + std::to_string(corpus.paths.size()) + " files");
}

void BM_TokenizeCorpus(benchmark::State& state) { TokenizeCorpus(state, false); }
void BM_TokenizeCorpusUTF8Mode(benchmark::State& state) { TokenizeCorpus(state, true); }
BENCHMARK(BM_TokenizeCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TokenizeCorpusUTF8Mode)->Unit(benchmark::kMillisecond);

// OpenSource, tokens, close, file by file: what reading a page costs.
void BM_TokenizeFiles(benchmark::State& state) {
  const bench::Corpus& corpus = TheCorpus();
  std::string text;
  size_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& path : corpus.paths) {
      HtmlSource source;
      source.OpenSource(path);
      bytes += source.Size();
      while (source.NextToken(text) != TokenKind::End) {
      }
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
  state.counters["files/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * corpus.paths.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TokenizeFiles)->Unit(benchmark::kMillisecond);

// One LoadSettings of the default settings files, as every indexed file does:
// parsed afresh (0) and replayed while the files are unchanged (1).
void BM_LoadDefaultSettings(benchmark::State& state) {
  const std::string data = bench::DataFolder();
  const SettingsFiles files{data + "set.xml", data + "tags.xml", data + "words.xml"};
  const bool cached = state.range(0) != 0;
  ProgramSettings program;
  for (auto _ : state) {
    if (!cached) program.Cache.reset();
    RatingSettings settings;
    benchmark::DoNotOptimize(LoadSettings(files, settings, program));
  }
  state.SetLabel(cached ? "files unchanged since the last load" : "no earlier load");
}
BENCHMARK(BM_LoadDefaultSettings)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
