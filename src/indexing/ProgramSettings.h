// The program-wide indexing switches and lists that a project's settings files
// set (set.xml): which files a scan takes, which folders it skips, whether
// database texts are UTF-8, how much of a file the rating reads, and the
// script markers of the page extraction. A key absent from a later set.xml
// leaves its value as it was; there is no reset between projects.
#pragma once

#include <string>
#include <vector>

namespace qm {

inline constexpr const char* kDefaultExtensions =
    "html, htm, shtml, phtml, php, php3, php4, php5, asp, jsp, txt, mp3, ogg, m3u";

struct ProgramSettings {
  std::string ExtensionsText = kDefaultExtensions;  // set.xml "Extensions"
  std::vector<std::string> ExtensionList;            // BuildExtensionList
  std::string StopDirsText;                          // set.xml "StopDirs"
  std::vector<std::string> StopDirList;              // BuildStopDirList
  bool UTF8ModeFlag = false;            // "UTF8Mode": database texts are UTF-8
  int ByteLimit = 100000;               // "IndexDepthLimit" x 1024: bytes the rating reads
  bool ProgrammingLanguageMode = false; // "ProgrammingLanguageMode"
  bool FileNameCaptionMode = false;     // "FileNameCaptionMode"
  // Marker texts in a page's raw bytes: the next double-quoted string after
  // the marker becomes the caption / the description. Empty: not used.
  std::string JSPageTitleSign;          // "JSPageTitleSign"
  std::string JSPageDescSign;           // "JSPageDescSign"
};

}  // namespace qm
