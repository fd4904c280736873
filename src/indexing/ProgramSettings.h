// The program-wide indexing switches and lists that a project's settings files
// set (set.xml): which files a scan takes, which folders it skips, whether
// database texts are UTF-8, how much of a file the rating reads, and the
// script markers of the page extraction. A key absent from a later set.xml
// leaves its value as it was; there is no reset between projects.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qm {

class SettingsCache;

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

  // Settings files parsed before, reused while their bytes are unchanged
  // (LoadSettings creates it on first use; copies share it).
  std::shared_ptr<SettingsCache> Cache;
};

// Rebuilds ExtensionList from ExtensionsText: tokens are runs of letters (as
// the system code page classifies bytes) and the digits 0 to 9; any other
// byte separates. Tokens keep their case. The token after the last separator
// is always appended, even when empty ("html," gives "html" and "").
void BuildExtensionList(ProgramSettings& program);

// Rebuilds StopDirList from StopDirsText the same way, with "-", "." and "_"
// also token bytes.
void BuildStopDirList(ProgramSettings& program);

}  // namespace qm
