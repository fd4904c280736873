// Switches the process-wide code page for one test and restores UTF-8 after.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "platform/CodePage.h"

namespace qm::test {

class CodePageGuard {
 public:
  explicit CodePageGuard(std::string_view name) { EXPECT_TRUE(SetSystemCodePage(name)); }
  ~CodePageGuard() { SetSystemCodePage("utf-8"); }
  CodePageGuard(const CodePageGuard&) = delete;
  CodePageGuard& operator=(const CodePageGuard&) = delete;
};

}  // namespace qm::test
