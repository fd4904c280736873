// The program-wide indexing switches and lists that a project's settings files
// set (set.xml): which files a scan takes, which folders it skips, whether
// database texts are UTF-8, and how much of a file the rating reads.
#pragma once

#include <string>
#include <vector>

namespace qm {

inline constexpr const char* kDefaultExtensions =
    "html, htm, shtml, phtml, php, php3, php4, php5, asp, jsp, txt, mp3, ogg, m3u";

struct ProgramSettings {
  std::string ExtensionsText = kDefaultExtensions;
  std::vector<std::string> ExtensionList;
  std::string StopDirsText;
  std::vector<std::string> StopDirList;
  bool UTF8ModeFlag = false;            // database texts are UTF-8
  int ByteLimit = 100000;               // bytes of one file the rating reads
  bool ProgrammingLanguageMode = false;
  bool FileNameCaptionMode = false;
};

}  // namespace qm
