// Load and save of a generated database of 100,000 links (about 30 MB):
// realistic captions, addresses, descriptions and 10 to 20 keywords per link,
// with non-ASCII texts. Reports time and memory: peak_MB is the highest
// resident size the operation reached above what the process held before it
// (Linux: VmHWM, reset through /proc/self/clear_refs), per_file that peak
// divided by the file's size.
//
//   database_bench                          generate a file in $TMPDIR and run
//   database_bench --make=PATH              only write the file
//   database_bench --load=PATH              load it once and end, and
//   database_bench --save=PATH              load it, save it once and end
//                                           (whole-process figures, e.g. with
//                                           /usr/bin/time -v)
//   QUILLMARK_BENCH_DB=PATH database_bench  use that file instead
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../tests/support/LinkGenerator.h"
#include "database/DatabaseFile.h"
#include "database/DatabaseFormat.h"
#include "database/LinkModel.h"
#include "platform/Env.h"
#include "platform/Interaction.h"

namespace {

using namespace qm;

constexpr int kLinks = 100000;

// A /proc/self/status value in bytes ("VmHWM", "VmRSS").
size_t StatusBytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) return std::strtoull(line.c_str() + prefix.size(), nullptr, 10) * 1024;
  }
  return 0;
}

// Makes the peak resident size start again from the current one.
void ResetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

std::string WriteDatabase(const std::string& path) {
  test::GeneratedDatabase db = test::LinkGenerator(42).Make(kLinks);
  const std::string file = test::TemplateFile(WriteCategories(db.categories) + WriteLinks(db.links));
  std::ofstream(path, std::ios::binary).write(file.data(), static_cast<std::streamsize>(file.size()));
  return path;
}

struct BenchFile {
  std::string path;
  size_t size = 0;
};

const BenchFile& File() {
  static const BenchFile file = [] {
    BenchFile f;
    if (const char* given = std::getenv("QUILLMARK_BENCH_DB")) {
      f.path = given;
    } else {
      const char* tmp = std::getenv("TMPDIR");
      f.path = std::string(tmp && *tmp ? tmp : "/tmp") + "/quillmark-bench-searchdb.js";
      WriteDatabase(f.path);
    }
    std::string contents;
    Env::Default().ReadFile(f.path, &contents);
    f.size = contents.size();
    ::malloc_trim(0);
    return f;
  }();
  return file;
}

// Measures memory around one operation that the timer also covers.
class PeakMeter {
 public:
  void Start(benchmark::State& state) {
    state.PauseTiming();
    ::malloc_trim(0);
    before_ = StatusBytes("VmRSS");
    ResetPeak();
    state.ResumeTiming();
  }
  void Stop(benchmark::State& state) {
    state.PauseTiming();
    const size_t peak = StatusBytes("VmHWM");
    if (peak > before_ && peak - before_ > worst_) worst_ = peak - before_;
    state.ResumeTiming();
  }
  void Report(benchmark::State& state, size_t fileSize) const {
    state.counters["file_MB"] = static_cast<double>(fileSize) / 1e6;
    state.counters["peak_MB"] = static_cast<double>(worst_) / 1e6;
    state.counters["per_file"] = static_cast<double>(worst_) / static_cast<double>(fileSize);
  }

 private:
  size_t before_ = 0;
  size_t worst_ = 0;
};

void BM_LoadDatabase(benchmark::State& state) {
  const BenchFile& file = File();
  PeakMeter meter;
  for (auto _ : state) {
    meter.Start(state);
    auto categories = std::make_unique<TCat>();
    auto links = std::make_unique<TBase>();
    categories->LoadFromFile(file.path);
    links->LoadFromFile(file.path);
    meter.Stop(state);
    if (links->Count() != kLinks) state.SkipWithError("the database did not load whole");
    state.PauseTiming();
    links.reset();  // freeing 100,000 records is not part of the load
    categories.reset();
    state.ResumeTiming();
  }
  meter.Report(state, file.size);
}

// An Env whose files are not flushed to the device: the save's own work
// without the wait for the disk.
class NoSyncEnv : public Env {
 public:
  bool ReadFile(const std::string& p, std::string* c) override { return base_.ReadFile(p, c); }
  std::unique_ptr<WritableFile> NewWritableFile(const std::string& p) override {
    class File : public WritableFile {
     public:
      explicit File(std::unique_ptr<WritableFile> f) : f_(std::move(f)) {}
      bool Append(std::string_view d) override { return f_->Append(d); }
      bool Sync() override { return true; }
      bool Close() override { return f_->Close(); }

     private:
      std::unique_ptr<WritableFile> f_;
    };
    auto file = base_.NewWritableFile(p);
    return file ? std::make_unique<File>(std::move(file)) : nullptr;
  }
  bool RenameFile(const std::string& f, const std::string& t) override { return base_.RenameFile(f, t); }
  bool DeleteFile(const std::string& p) override { return base_.DeleteFile(p); }
  bool FileExists(const std::string& p) override { return base_.FileExists(p); }
  bool SyncFolder(const std::string&) override { return true; }

 private:
  Env& base_ = Env::Default();
};

void SaveBenchmark(benchmark::State& state, Env& env) {
  const BenchFile& file = File();
  TCat categories;
  TBase links;
  categories.LoadFromFile(file.path);
  links.LoadFromFile(file.path);
  const std::string target = file.path + ".save-bench.js";
  Env::Default().CopyFile(file.path, target);
  SilentInteraction ui;
  PeakMeter meter;
  for (auto _ : state) {
    meter.Start(state);
    if (!SaveDatabaseFile(target, DatabaseMarkers{}, categories, links, ui, env)) {
      state.SkipWithError("the save failed");
    }
    meter.Stop(state);
  }
  meter.Report(state, file.size);
  Env::Default().DeleteFile(target);
}

void BM_SaveDatabase(benchmark::State& state) { SaveBenchmark(state, Env::Default()); }

void BM_SaveDatabaseWithoutFlush(benchmark::State& state) {
  NoSyncEnv env;
  SaveBenchmark(state, env);
}

BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveDatabase)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SaveDatabaseWithoutFlush)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--make=", 0) == 0) {
      WriteDatabase(arg.substr(7));
      return 0;
    }
    if (arg.rfind("--load=", 0) == 0 || arg.rfind("--save=", 0) == 0) {
      const std::string path = arg.substr(7);
      TCat categories;
      TBase links;
      categories.LoadFromFile(path);
      links.LoadFromFile(path);
      SilentInteraction ui;
      const bool saved = arg[2] == 'l' ||
                         SaveDatabaseFile(path, DatabaseMarkers{}, categories, links, ui, Env::Default());
      std::printf("%d links%s\n", links.Count(), arg[2] == 'l' ? "" : saved ? ", saved" : ", save failed");
      return links.Count() > 0 && saved ? 0 : 1;
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
