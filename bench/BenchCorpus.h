// The HTML corpus the indexing benchmarks read: the folder in
// QUILLMARK_BENCH_CORPUS, else Debian's PostgreSQL HTML manual
// (apt-get install -y postgresql-doc-15, or bench/get_corpus.sh), else a
// generated corpus of similar pages in the temporary folder.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/Env.h"

namespace qm::bench {

struct Corpus {
  std::vector<std::string> paths;  // the pages, sorted by name
  std::string bytes;               // every page, one after the other
  std::string origin;              // where the pages come from
};

// The repository's data/ folder (default settings files), with a trailing
// separator.
inline std::string DataFolder() {
  return (std::filesystem::path(__FILE__).parent_path().parent_path() / "data/").string();
}

inline std::string GeneratedPage(std::mt19937& random) {
  static const char* words[] = {"database", "the",   "server",     "configuration", "of",
                                "table",    "index", "query",      "PostgreSQL",    "a",
                                "e-mail",   "C++",   "2008-05-01", "don't",         "r&eacute;sum&eacute;"};
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

inline const Corpus& TheCorpus() {
  namespace fs = std::filesystem;
  static const Corpus corpus = [] {
    Corpus c;
    std::string folder = "/usr/share/doc/postgresql-doc-15/html";
    if (const char* env = std::getenv("QUILLMARK_BENCH_CORPUS"); env && *env) folder = env;
    std::error_code error;
    if (fs::is_directory(folder, error)) {
      for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".html") c.paths.push_back(entry.path().string());
      }
      std::sort(c.paths.begin(), c.paths.end());
      std::vector<std::string> readable;
      for (const std::string& path : c.paths) {
        std::string data;
        if (!Env::Default().ReadFile(path, &data)) continue;
        readable.push_back(path);
        c.bytes += data;
      }
      c.paths.swap(readable);
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

}  // namespace qm::bench
