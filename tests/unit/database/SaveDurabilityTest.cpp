// A save killed at any moment leaves the database file either wholly as it
// was or wholly as the save meant to write it: a child process saves two
// large databases in turn, over and over, and is killed (SIGKILL) at random
// moments while the parent watches the file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "database/DatabaseFile.h"
#include "database/DatabaseFormat.h"
#include "platform/Env.h"
#include "platform/Folders.h"
#include "platform/Interaction.h"
#include "support/LinkGenerator.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using Clock = std::chrono::steady_clock;
using test::ReadFile;

TEST(SaveDurability, AKilledSaveLeavesTheCompleteOldOrNewFile) {
  test::GeneratedDatabase a = test::LinkGenerator(1).Make(15000);
  test::GeneratedDatabase b = test::LinkGenerator(2).Make(15000);
  const std::string initial = test::TemplateFile("");
  const std::string fileA = test::TemplateFile(WriteCategories(a.categories) + WriteLinks(a.links));
  const std::string fileB = test::TemplateFile(WriteCategories(b.categories) + WriteLinks(b.links));
  ASSERT_GT(fileA.size(), 4u * 1000 * 1000);
  ASSERT_NE(fileA, fileB);

  test::TempFolder temp;
  const std::string path = temp.Write("searchdb.js", initial);
  SilentInteraction ui;
  auto save = [&](const test::GeneratedDatabase& db) {
    return SaveDatabaseFile(path, DatabaseMarkers{}, db.categories, db.links, ui, Env::Default());
  };
  // How long one save takes here, to spread the kills over whole saves.
  const auto started = Clock::now();
  ASSERT_TRUE(save(a));
  ASSERT_TRUE(save(b));
  const auto saveTime = std::max<Clock::duration>((Clock::now() - started) / 2, std::chrono::milliseconds(5));
  ASSERT_EQ(ReadFile(path), fileB);

  auto known = [&](const std::string& content) {
    return content == initial || content == fileA || content == fileB;
  };

  std::mt19937 random(2024);
  // Kill until the kills have fallen in every place that matters (in the
  // middle of a save, after a completed save of A, after one of B), at least
  // 40 times; a loaded machine only makes that take longer.
  const auto budget = std::chrono::seconds(60);
  const auto testStart = Clock::now();
  int kills = 0, midSave = 0, checks = 0, endedAsA = 0;
  auto enough = [&] { return kills >= 40 && midSave > 0 && endedAsA > 0 && endedAsA < kills; };
  while (!enough() && kills < 400 && Clock::now() - testStart < budget) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      while (true) {
        save(a);
        save(b);
      }
    }
    // Wait a random part of two saves, reading the file meanwhile: a reader
    // never sees a partly written database either.
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             saveTime * 2 * std::uniform_real_distribution<double>(0, 1)(random));
    while (Clock::now() < deadline) {
      const std::string seen = ReadFile(path);
      ASSERT_TRUE(known(seen)) << "a reader saw " << seen.size() << " bytes of another content";
      ++checks;
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ++kills;
    if (FileExists(path + "~temp~")) ++midSave;
    const std::string after = ReadFile(path);
    ASSERT_TRUE(known(after)) << "after kill " << kills << " the file has " << after.size() << " bytes";
    if (after == fileA) ++endedAsA;
  }
  // The kills fell in the middle of saves, and some saves completed between
  // them (the file changed to A and back to B).
  EXPECT_GE(kills, 40);
  EXPECT_GT(midSave, 0);
  EXPECT_GT(endedAsA, 0);
  EXPECT_LT(endedAsA, kills);
  RecordProperty("kills", kills);
  RecordProperty("killed_mid_save", midSave);
  RecordProperty("reads_checked", checks);
  std::printf("%d kills, %d in the middle of a save, %d left the new content; %d reads checked\n", kills,
              midSave, endedAsA, checks);
}

}  // namespace
}  // namespace qm
