#pragma once

// An application laid out the way a user ships it: the built launcher copied under the
// application's name into a fresh folder, with its settings file and whatever else the test
// puts beside it (jars, folders). The test runs it and looks at what it left behind.
//
//   launcher_test::AppFolder app("tool");
//   app.WriteSettings("[Java Runtime Environment]\nMain Class=fixtures.Hello\n");
//   app.Copy(launcher_test::FixtureJar(), "lib/fixtures.jar");
//   launcher_test::RunOptions options;
//   options.arguments = {"a", "b"};
//   launcher_test::RunResult run = app.Run(options);
//
// The folder is removed when the object goes, unless Keep() was called (LauncherTest keeps
// the folders of a failed test and names them in the output).

#include <string>
#include <vector>

#include "launcher_process.h"

namespace launcher_test {

// The launcher under test, the Java fixtures jar built from java/, and the installed `java`.
std::string LauncherBinary();
std::string FixtureJar();
std::string JavaExecutable();

class AppFolder {
public:
  // `launcherFolder` places the launcher in a subfolder of the fresh folder (for paths whose
  // folder names matter); by default it sits at the top.
  explicit AppFolder(const std::string& appName, const std::string& launcherFolder = "");
  ~AppFolder();
  AppFolder(const AppFolder&) = delete;
  AppFolder& operator=(const AppFolder&) = delete;

  // The fresh temporary folder.
  const std::string& Root() const { return root_; }
  // The launcher's folder, and paths relative to it.
  const std::string& Folder() const { return folder_; }
  std::string Path(const std::string& relative) const;
  std::string Executable() const { return Path(appName_); }
  const std::string& AppName() const { return appName_; }

  // The settings file name of the launcher on Linux: its whole file name and ".ini".
  std::string SettingsName() const;

  // Files are written as given (bytes), creating folders on the way.
  void Write(const std::string& relative, const std::string& content) const;
  void WriteSettings(const std::string& content) const { Write(SettingsName(), content); }
  void Copy(const std::string& source, const std::string& relative) const;
  void MakeFolder(const std::string& relative) const;

  bool Exists(const std::string& relative) const;
  std::string Read(const std::string& relative) const;
  // Every file and folder below the launcher's folder, relative, sorted.
  std::vector<std::string> Files() const;

  // Runs the launcher; the working folder is the launcher's folder unless the options name one.
  // DISPLAY and WAYLAND_DISPLAY are removed unless the options set them.
  RunResult Run(RunOptions options = {}) const;

  void Keep() { keep_ = true; }

private:
  std::string appName_;
  std::string root_;
  std::string folder_;
  bool keep_ = false;
};

} // namespace launcher_test
