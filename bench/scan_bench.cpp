// Cost of the folder scan as the tree grows: adding 10,000 and 100,000 small
// pages into a new database (walk, known-file test, extraction, append), and
// scanning the same trees again when every file is already in the database
// (walk and known-file test only). Both should grow linearly with the number
// of files: the known-file test is a hash look-up, not a pass over the links.
//
// The trees are generated once under $TMPDIR (or /tmp) and kept for later
// runs: quillmark-scan-bench-<files>/, 100 pages a folder, 10 folders a level.
//
//   cmake --build build --target scan_bench && build/bench/scan_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "driver/FolderScan.h"
#include "driver/Project.h"
#include "platform/Env.h"
#include "platform/Interaction.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

const char* const kWords[] = {"harbour", "lighthouse", "keeper", "tide",   "chart", "rope",
                              "sail",    "storm",      "net",    "museum", "quay",  "boat"};

// A tree of `files` small pages; made on the first call for that size.
std::string Tree(int files) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string root = std::string(tmp && *tmp ? tmp : "/tmp") + "/quillmark-scan-bench-" +
                           std::to_string(files) + "/";
  if (fs::exists(root + ".complete")) return root;
  fs::remove_all(root);
  for (int i = 0; i < files; ++i) {
    const int folder = i / 100;
    const std::string dir = root + "l" + std::to_string(folder / 100) + "/m" +
                            std::to_string(folder / 10 % 10) + "/f" + std::to_string(folder % 10);
    if (i % 100 == 0) fs::create_directories(dir);
    std::ofstream page(dir + "/page" + std::to_string(i) + ".html");
    page << "<html><head><title>Page " << i << " about the " << kWords[i % 12]
         << "</title></head><body><p>The " << kWords[(i / 12) % 12] << " and the "
         << kWords[(i / 144) % 12] << " of item " << i << ".</p></body></html>\n";
  }
  std::ofstream(root + ".complete");
  return root;
}

struct ScanProject {
  explicit ScanProject(const std::string& root) {
    InitProject(project, ui, Env::Default());
    project.DatabaseFile = root + "searchdb.js";
  }
  ~ScanProject() { FreeProject(project); }
  SilentInteraction ui;
  Project project;
};

void BM_AddFolder(benchmark::State& state) {
  const std::string root = Tree(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ScanProject scan(root);
    benchmark::DoNotOptimize(AddFolder(scan.project, root, 0, true, false));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddFolder)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AddFolderAllKnown(benchmark::State& state) {
  const std::string root = Tree(static_cast<int>(state.range(0)));
  ScanProject scan(root);
  AddFolder(scan.project, root, 0, true, false);
  for (auto _ : state) {
    benchmark::DoNotOptimize(AddFolder(scan.project, root, 0, true, false));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddFolderAllKnown)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace qm

BENCHMARK_MAIN();
