#include "app_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace fs = std::filesystem;

namespace launcher_test {

std::string LauncherBinary() {
  return LAUNCHER_EXECUTABLE;
}
std::string FixtureJar() {
  return LAUNCHER_FIXTURE_JAR;
}
std::string JavaExecutable() {
  return LAUNCHER_TEST_JAVA;
}

namespace {

std::string MakeTemporaryFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/launcher-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder from " + pattern);
  }
  return pattern;
}

} // namespace

AppFolder::AppFolder(const std::string& appName, const std::string& launcherFolder)
    : appName_(appName), root_(MakeTemporaryFolder()),
      folder_(launcherFolder.empty() ? root_ : root_ + "/" + launcherFolder) {
  fs::create_directories(folder_);
  fs::copy_file(LauncherBinary(), Executable(), fs::copy_options::overwrite_existing);
  fs::permissions(Executable(), fs::perms::owner_all, fs::perm_options::add);
}

AppFolder::~AppFolder() {
  if (!keep_) {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
}

std::string AppFolder::Path(const std::string& relative) const {
  return folder_ + "/" + relative;
}

std::string AppFolder::SettingsName() const {
  return appName_ + ".ini";
}

void AppFolder::Write(const std::string& relative, const std::string& content) const {
  const fs::path path = Path(relative);
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!file) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

void AppFolder::Copy(const std::string& source, const std::string& relative) const {
  const fs::path path = Path(relative);
  fs::create_directories(path.parent_path());
  fs::copy(source, path, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
}

void AppFolder::MakeFolder(const std::string& relative) const {
  fs::create_directories(Path(relative));
}

bool AppFolder::Exists(const std::string& relative) const {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(Path(relative), ignored));
}

std::string AppFolder::Read(const std::string& relative) const {
  std::ifstream file(Path(relative), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> AppFolder::Files() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
    names.push_back(fs::relative(entry.path(), folder_).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

RunResult AppFolder::Run(RunOptions options) const {
  if (options.workingDirectory.empty()) {
    options.workingDirectory = folder_;
  }
  // No desktop unless a test asks for one: a window would wait for a user who is not there.
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    options.environment.emplace(name, std::nullopt);
  }
  return RunProgram(Executable(), options);
}

} // namespace launcher_test
