#pragma once

// The GoogleTest fixture of the Linux integration tests: hands out application folders and
// keeps those of a failed test for a look afterwards, naming them in the output.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app_folder.h"

namespace launcher_test {

class LauncherTest : public ::testing::Test {
protected:
  AppFolder& MakeApp(const std::string& appName, const std::string& launcherFolder = "") {
    apps_.push_back(std::make_unique<AppFolder>(appName, launcherFolder));
    return *apps_.back();
  }

  void TearDown() override {
    if (HasFailure()) {
      for (auto& app : apps_) {
        app->Keep();
        std::cout << "kept for a look: " << app->Root() << "\n";
      }
    }
  }

private:
  std::vector<std::unique_ptr<AppFolder>> apps_;
};

} // namespace launcher_test
