// Makes large, realistic databases for tests and benchmarks: captions,
// addresses, descriptions and 10 to 20 keywords per link, drawn from English,
// French, German and Russian words, with quotes, backslashes and "+" signs
// that the file format must escape or carry. Texts never hold what the format
// cannot carry ("^" in a caption or keyword, CR or LF). Deterministic for a
// given seed. Header-only so that the benchmarks can use it without the test
// framework.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "database/Addresses.h"
#include "database/LinkModel.h"
#include "platform/CodePage.h"
#include "platform/Unicode.h"

namespace qm::test {

// Words in UTF-8.
inline constexpr std::array<std::string_view, 64> kGeneratorWords = {
    "search",  "engine",   "database", "index",    "page",      "folder",  "guide",
    "install", "download", "music",    "archive",  "report",    "manual",  "project",
    "network", "update",   "summer",   "library",  "history",   "science", "garden",
    "travel",  "photo",    "concert",  "it's",     "rock'n'roll", "C++",   "a+b",
    "back\\slash", "\"quoted\"", "café",  "été",      "naïve",     "résumé",  "façade",
    "Müller",  "straße",   "Größe",    "übersicht", "Ärger",     "Öl",      "l'hôtel",
    "élève",   "Noël",     "поиск",    "страница", "музыка",    "Москва",  "история",
    "новости", "книга",    "ЁЛКА",     "журнал",   "отчёт",     "Россия",  "сайт",
    "данные",  "ссылка",   "Привет",   "€uro",     "naïveté",   "Zürich",  "ça",
    "Ёж"};

struct GeneratedDatabase {
  TCat categories;
  TBase links;
};

class LinkGenerator {
 public:
  // With `systemCodePage`, every text is converted from UTF-8 to the current
  // code page (characters it lacks become "?"), as a database outside UTF-8
  // mode holds it.
  explicit LinkGenerator(uint32_t seed = 1, bool systemCodePage = false)
      : random_(seed), systemCodePage_(systemCodePage) {}

  GeneratedDatabase Make(int linkCount, int categoryCount = 20) {
    GeneratedDatabase db;
    for (int c = 0; c < categoryCount; ++c) {
      db.categories.Add(Text(Capitalised(Words(1, 3)) + " " + std::to_string(c)));
    }
    for (int i = 0; i < linkCount; ++i) db.links.Add(Link(i, categoryCount));
    return db;
  }

  TBaseRecord Link(int i, int categoryCount) {
    TBaseRecord link;
    link.Cat = Between(0, categoryCount - 1);
    link.Caption = Text(Capitalised(Words(3, 6)));
    std::string path = "docs/" + std::to_string(i % 97) + "/" + Word() + "_" + std::to_string(i) +
                       (Between(0, 9) == 0 ? ".htm" : ".html");
    link.URL = EncodeURL(Text(path));
    link.Desc = Text(Capitalised(Words(7, 16)) + ".");
    const int keys = Between(10, 20);
    for (int k = 0; k < keys; ++k) link.Keys.push_back(Text(LowerText(Word())));
    return link;
  }

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::string Word() { return std::string(kGeneratorWords[Between(0, kGeneratorWords.size() - 1)]); }

  std::string Words(int low, int high) {
    std::string out;
    const int n = Between(low, high);
    for (int i = 0; i < n; ++i) {
      if (i > 0) out += (Between(0, 11) == 0) ? ", " : " ";
      out += Word();
    }
    return out;
  }

  static std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
    return text;
  }

  static std::string LowerText(std::string_view utf8) { return WideToUTF8(WideLower(UTF8ToWide(utf8))); }

  std::string Text(const std::string& utf8) const {
    return systemCodePage_ ? WideToSystem(UTF8ToWide(utf8)) : utf8;
  }

  std::mt19937 random_;
  bool systemCodePage_;
};

// A database file as a template leaves it: script before the settings marker
// and after the end marker, and the given block between them.
inline std::string TemplateFile(std::string_view block) {
  std::string file =
      "// Search page data \xC2\xA9 2024 \xE2\x80\x94 do not edit by hand\r\n"
      "var qmkVersion=2; var title='Site \\'search\\'';\r\n"
      "//Settings\r\n";
  file.append(block);
  file.append(
      "//DatabaseEnd\r\n"
      "function qmkCount(){return ln.length;} /* var cg=new Array('x') */\n"
      "var footer=\"\\u00e9 //Settings //DatabaseEnd\";\n");
  return file;
}

}  // namespace qm::test
