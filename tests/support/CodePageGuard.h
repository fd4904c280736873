// Test guards for process-wide settings: the code page and environment
// variables. Each restores what it changed when it goes out of scope, so a
// test that changes them leaves the next one with the usual state (the
// utf-8 code page).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::test {

// Chooses a code page for the guard's lifetime (none: leaves it as it is) and
// returns to utf-8 afterwards. A name the program does not know fails the
// current test.
class CodePageGuard {
 public:
  explicit CodePageGuard(std::string_view name = {});
  ~CodePageGuard();
  CodePageGuard(const CodePageGuard&) = delete;
  CodePageGuard& operator=(const CodePageGuard&) = delete;
};

// Sets (or, with nullopt, removes) an environment variable and restores its
// earlier value or absence on destruction.
class EnvVarGuard {
 public:
  EnvVarGuard(const char* name, std::optional<std::string> value);
  ~EnvVarGuard();
  EnvVarGuard(const EnvVarGuard&) = delete;
  EnvVarGuard& operator=(const EnvVarGuard&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace qm::test
