// Extraction speed in pages per second on a real HTML corpus (BenchCorpus.h):
// ExtractFileInfo as a folder scan calls it, file by file with the default
// settings files of data/, and the parts it is made of.
//
//   bench/get_corpus.sh        # installs postgresql-doc-15 (optional)
//   cmake --build build --target extract_bench && build/bench/extract_bench
#include <benchmark/benchmark.h>

#include <string>

#include "BenchCorpus.h"
#include "indexing/FileInfo.h"
#include "indexing/HTMLParser.h"
#include "indexing/PageMeta.h"
#include "indexing/Ratings.h"
#include "indexing/RatingSettings.h"

namespace qm {
namespace {

using bench::TheCorpus;

// A database file in data/, so that the default settings files are read.
std::string DatabaseFile() { return bench::DataFolder() + "searchdb.js"; }

std::vector<std::string> PagesInMemory(const bench::Corpus& corpus) {
  std::vector<std::string> pages;
  for (const std::string& path : corpus.paths) {
    HtmlSource source;
    source.OpenSource(path);
    pages.emplace_back(source.Data());
  }
  return pages;
}

void SetLabel(benchmark::State& state, const bench::Corpus& corpus) {
  state.SetLabel(corpus.origin + ", " + std::to_string(corpus.paths.size()) + " pages, " +
                 std::to_string(corpus.bytes.size() / corpus.paths.size()) + " bytes each");
}

// One iteration is one page; items per second are pages per second.
void BM_ExtractFileInfo(benchmark::State& state) {
  const bench::Corpus& corpus = TheCorpus();
  const std::string database = DatabaseFile();
  ProgramSettings program;
  size_t next = 0;
  for (auto _ : state) {
    TBaseRecord record;
    ExtractFileInfo(corpus.paths[next], database, record, program);
    benchmark::DoNotOptimize(record.Keys.size());
    if (++next == corpus.paths.size()) next = 0;
  }
  state.SetItemsProcessed(state.iterations());
  SetLabel(state, corpus);
}
BENCHMARK(BM_ExtractFileInfo)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

// The rating alone, settings loaded once, pages from memory.
void BM_RateSource(benchmark::State& state) {
  const bench::Corpus& corpus = TheCorpus();
  ProgramSettings program;
  RatingSettings settings;
  const std::string data = bench::DataFolder();
  LoadSettings({data + "set.xml", data + "tags.xml", data + "words.xml"}, settings, program);
  const std::vector<std::string> pages = PagesInMemory(corpus);
  size_t next = 0;
  for (auto _ : state) {
    TRating rating(program);
    rating.EditSettings() = settings;
    HtmlSource source(TokenizerModeFor(program, "utf-8"));
    source.OpenBytes(pages[next]);
    std::string description;
    rating.RateSource(source, corpus.paths[next], description, "utf-8");
    benchmark::DoNotOptimize(rating.Words().size());
    if (++next == pages.size()) next = 0;
  }
  state.SetItemsProcessed(state.iterations());
  SetLabel(state, corpus);
}
BENCHMARK(BM_RateSource)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The meta pass and the title, pages from memory.
void BM_PageMetaAndTitle(benchmark::State& state) {
  const bench::Corpus& corpus = TheCorpus();
  const std::vector<std::string> pages = PagesInMemory(corpus);
  size_t next = 0;
  for (auto _ : state) {
    HtmlSource source;
    source.OpenBytes(pages[next]);
    benchmark::DoNotOptimize(ReadPageMeta(source).Charset.size());
    benchmark::DoNotOptimize(ReadPageTitle(source).size());
    if (++next == pages.size()) next = 0;
  }
  state.SetItemsProcessed(state.iterations());
  SetLabel(state, corpus);
}
BENCHMARK(BM_PageMetaAndTitle)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
