// Tokenizer throughput in MB/s on a real HTML corpus, and the cost of loading
// the three settings files that every indexed file reads.
//
// Corpus: the folder in QUILLMARK_BENCH_CORPUS, else Debian's PostgreSQL HTML
// manual (install it with: apt-get install -y postgresql-doc-15), else a
// generated corpus of similar pages.
//
//   cmake --build build --target tokenizer_bench && build/bench/tokenizer_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "indexing/HTMLParser.h"
#include "indexing/RatingSettings.h"
#include "platform/Env.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

struct Corpus {
  std::vector<std::string> paths;
  std::string bytes;  // every page, one after the other
  std::string origin;
};

std::string GeneratedPage(std::mt19937& random) {
  static const char* words[] = {"database", "the",  "server",  "configuration", "of",
                                "table",    "index", "query",  "PostgreSQL",    "a",
                                "e-mail",   "C++",   "2008-05-01", "don't",     "r&eacute;sum&eacute;"};
  std::string page =
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Generated page</title>"
      "<meta name=\"description\" content=\"A generated page\"></head><body>\n";
  for (int p = 0; p < 40; ++p) {
    page += "<p class=\"para\">";
    for (int w = 0; w < 60; ++w) {
      page += words[random() % std::size(words)];
      page += (w % 13 == 12) ? ", " : " ";
    }
    page += "<a href=\"page.html#x\">link</a>&nbsp;&amp; 1,000.50</p>\n";
  }
  return page + "</body></html>\n";
}

const Corpus& TheCorpus() {
  static const Corpus corpus = [] {
    Corpus c;
    std::string folder = "/usr/share/doc/postgresql-doc-15/html";
    if (const char* env = std::getenv("QUILLMARK_BENCH_CORPUS"); env && *env) folder = env;
    std::error_code error;
    if (fs::is_directory(folder, error)) {
      for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".html") continue;
        std::string data;
        if (!Env::Default().ReadFile(entry.path().string(), &data)) continue;
        c.paths.push_back(entry.path().string());
        c.bytes += data;
      }
      c.origin = folder;
    }
    if (c.paths.empty()) {
      const fs::path dir = fs::temp_directory_path() / "quillmark-bench-corpus";
      fs::create_directories(dir, error);
      std::mt19937 random(1);
      for (int i = 0; i < 500; ++i) {
        const std::string page = GeneratedPage(random);
        const std::string path = (dir / ("page" + std::to_string(i) + ".html")).string();
        auto file = Env::Default().NewWritableFile(path);
        if (file && file->Append(page) && file->Close()) c.paths.push_back(path);
        c.bytes += page;
      }
      c.origin = "generated (" + dir.string() + ")";
    }
    return c;
  }();
  return corpus;
}

// Every token of the whole corpus, from memory.
void TokenizeCorpus(benchmark::State& state, bool utf8Mode) {
  const Corpus& corpus = TheCorpus();
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
  const Corpus& corpus = TheCorpus();
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
  // The repository's data/ folder, found from this source file.
  const std::string data = (fs::path(__FILE__).parent_path().parent_path() / "data/").string();
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
