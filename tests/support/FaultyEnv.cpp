#include "support/FaultyEnv.h"

namespace qm::test {
namespace {

class FaultyFile final : public WritableFile {
 public:
  FaultyFile(std::unique_ptr<WritableFile> base, const FaultyEnv& env)
      : base_(std::move(base)), env_(env) {}

  bool Append(std::string_view data) override {
    const size_t room = env_.writeLimit - written_;
    if (data.size() > room) {
      base_->Append(data.substr(0, room));
      written_ = env_.writeLimit;
      return false;
    }
    written_ += data.size();
    return base_->Append(data);
  }
  bool Sync() override { return !env_.failSync && base_->Sync(); }
  bool Close() override {
    const bool closed = base_->Close();
    return !env_.failClose && closed;
  }

 private:
  std::unique_ptr<WritableFile> base_;
  const FaultyEnv& env_;
  size_t written_ = 0;
};

}  // namespace

bool FaultyEnv::ReadFile(const std::string& path, std::string* contents) {
  if (failRead) {
    contents->clear();
    return false;
  }
  return base_.ReadFile(path, contents);
}

std::unique_ptr<WritableFile> FaultyEnv::NewWritableFile(const std::string& path) {
  created.push_back(path);
  if (failCreate) return nullptr;
  std::unique_ptr<WritableFile> file = base_.NewWritableFile(path);
  if (!file) return nullptr;
  return std::make_unique<FaultyFile>(std::move(file), *this);
}

bool FaultyEnv::RenameFile(const std::string& from, const std::string& to) {
  renamed.emplace_back(from, to);
  return !failRename && base_.RenameFile(from, to);
}

}  // namespace qm::test
