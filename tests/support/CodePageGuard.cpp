#include "support/CodePageGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/CodePage.h"

namespace qm::test {

CodePageGuard::CodePageGuard(std::string_view name) {
  if (!name.empty()) {
    EXPECT_TRUE(SetSystemCodePage(name)) << "unknown code page " << name;
  }
}

CodePageGuard::~CodePageGuard() { SetSystemCodePage("utf-8"); }

EnvVarGuard::EnvVarGuard(const char* name, std::optional<std::string> value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  if (value) {
    ::setenv(name, value->c_str(), 1);
  } else {
    ::unsetenv(name);
  }
}

EnvVarGuard::~EnvVarGuard() {
  if (old_) {
    ::setenv(name_.c_str(), old_->c_str(), 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

}  // namespace qm::test
