#include "ScanTestProject.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "database/Addresses.h"
#include "database/TextForms.h"
#include "platform/Env.h"

namespace qm::test {

ScanTestProject::ScanTestProject() {
  InitProject(project, ui, Env::Default());
  project.DatabaseFile = temp / "searchdb.js";
  temp.Write("searchdb.js", kEmptyDatabase);
  UseLists("html, htm, txt, m3u", "cgi-bin, _private");
}

ScanTestProject::~ScanTestProject() { FreeProject(project); }

void ScanTestProject::UseLists(const std::string& extensions, const std::string& stopDirs) {
  project.Settings.ExtensionsText = extensions;
  project.Settings.ExtensionList = SplitList(extensions);
  project.Settings.StopDirsText = stopDirs;
  project.Settings.StopDirList = SplitList(stopDirs);
  temp.Write("set.xml", "<settings>\n<Extensions value=\"" + extensions +
                            "\"/>\n<StopDirs value=\"" + stopDirs + "\"/>\n</settings>\n");
}

std::vector<std::string> ScanTestProject::Urls() const {
  std::vector<std::string> urls;
  for (const TBaseRecord& link : project.Base.Items()) urls.push_back(link.URL);
  return urls;
}

std::string ScanTestProject::PathOfUrl(const std::string& url) const {
  return LinkURLToPath(ToDisplayText(DecodeURL(url), project.Settings.UTF8ModeFlag),
                       project.DatabaseFile);
}

std::string ScanTestProject::UrlOf(const std::string& relativePath) const {
  return MakeLinkURL(project.DatabaseFile, temp / relativePath, project.Settings.UTF8ModeFlag);
}

int RunUnprivileged(const std::string& tree, const std::function<int()>& work) {
  if (::geteuid() != 0) return work();
  constexpr uid_t kNobody = 65534;
  ::chmod(tree.c_str(), 0755);
  ::chown(tree.c_str(), kNobody, kNobody);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree)) {
    ::lchown(entry.path().c_str(), kNobody, kNobody);
  }
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(255);
    ::_exit(work());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> list(1);
  for (char c : text) {
    if (c == ',' || c == ' ') {
      if (!list.back().empty()) list.emplace_back();
    } else {
      list.back().push_back(c);
    }
  }
  return list;
}

}  // namespace qm::test
