// The audio, converter and filter entry points on a system without the
// readers behind them: each gives its "not available" result and writes
// nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "readers/AudioTag.h"
#include "readers/Converters.h"
#include "readers/Filter.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::TempFolder;

TEST(ReadersNotAvailable, AudioPageIsTheFileName) {
  TempFolder folder;
  const std::string path = folder.Write("song.mp3", "no frames here");
  EXPECT_EQ(AudioFileToHtml(path), path);
  EXPECT_EQ(AudioFileToHtml("/no/such/file.ogg"), "/no/such/file.ogg");
}

TEST(ReadersNotAvailable, ConvertersAndFiltersFailWithoutOutput) {
  TempFolder folder;
  const std::string source = folder.Write("letter.doc", "text");
  const std::string target = folder / "out.html";
  EXPECT_FALSE(ConvertDocument(source, target, true));
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_FALSE(FilterToText(source, folder / "out.txt", true));
  EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
}

}  // namespace
}  // namespace qm
