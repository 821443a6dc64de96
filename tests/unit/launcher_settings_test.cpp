#include "settings/launcher_settings.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/launcher_paths.h"
#include "base/platform.h"
#include "base/text.h"
#include "settings/ini_file.h"
#include "settings/settings_reader.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;
using testing::ScratchFolder;

constexpr char kMinimal[] = "[Java Runtime Environment]\r\nMain Class=com.example.Main\r\n";

// A launcher beside its settings file, with the per-user settings root in the same folder.
class SettingsFixture : public ::testing::Test {
protected:
  SettingsFixture()
      : appData_(L"APPDATA", folder_.Path(L"user")),
        configHome_(L"XDG_CONFIG_HOME", folder_.Path(L"user")) {}

  // Loads settings from the given file text, with the JRE section's extra lines.
  LauncherSettings Load(const std::string& text,
                        SettingsOutcome::Kind expected = SettingsOutcome::kLoaded) {
    const std::wstring settingsPath = *ExecutableSettingsPath(modulePath());
    WriteWholeFile(settingsPath, text);
    LauncherSettings settings;
    EXPECT_EQ(ReadSettings(SettingsReader(settingsPath), modulePath(), settings).kind, expected)
        << text;
    return settings;
  }
  LauncherSettings LoadJre(const std::string& lines) { return Load(std::string(kMinimal) + lines); }
  LauncherSettings LoadApplication(const std::string& lines) {
    return Load(std::string(kMinimal) + "[Application]\r\n" + lines);
  }
  std::wstring modulePath() const { return folder_.Path(L"app.exe"); }

  ScratchFolder folder_;
  ScopedEnvironmentVariable appData_;
  ScopedEnvironmentVariable configHome_;
};

std::vector<bool> KindFlags(const LauncherSettings& s) {
  return {s.jdkKind, s.jreKind, s.favorKind};
}
std::vector<bool> VendorFlags(const LauncherSettings& s) {
  return {s.jrockitAllowed, s.jrockitFavored, s.sunAllowed,
          s.sunFavored,     s.ibmAllowed,     s.ibmFavored};
}

TEST_F(SettingsFixture, EveryKeyIsRead) {
  const LauncherSettings s = Load("[Product Information]\r\n"
                                  "Product Name=Tools\r\n"
                                  "Product Code=T-1\r\n"
                                  "[Java Runtime Environment]\r\n"
                                  "Preferred versions=1.8;1.7\r\n"
                                  "JRE Path=jre\r\n"
                                  "Main Class=com.example.app.Main\r\n"
                                  "System Path=sys\r\n"
                                  "Library Path=lib\r\n"
                                  "[Application]\r\n"
                                  "Application Type=service\r\n"
                                  "Failure Check=Yes\r\n"
                                  "Pair Product=pair.exe\r\n"
                                  "Pair Return Code=YES\r\n");
  EXPECT_EQ(s.productName, L"Tools");
  EXPECT_EQ(s.productCode, L"T-1");
  EXPECT_EQ(s.preferredVersions, (std::vector<std::wstring>{L"1.8", L"1.7"}));
  EXPECT_EQ(s.jrePath, L"jre");
  EXPECT_EQ(s.mainClass, L"com/example/app/Main");
  EXPECT_EQ(s.systemPath, L"sys");
  EXPECT_EQ(s.libraryPath, L"lib");
  EXPECT_TRUE(s.isService);
  EXPECT_TRUE(s.failureCheck);
  EXPECT_EQ(s.pairProduct, L"pair.exe");
  EXPECT_TRUE(s.pairReturnCode);
}

TEST_F(SettingsFixture, VersionBounds) {
  struct Case {
    std::string minimum, maximum;
    JavaVersion expectedMinimum, expectedMaximum;
  };
  const Case cases[] = {
      {"any", "any", {{0, 0, 0, 0}}, {{65535, 65535, 65535, 65535}}},
      {"", "", {{0, 0, 0, 0}}, {{0, 0, 0, 0}}}, // an empty maximum is 0.0.0.0, not unbounded
      {"1.8.0_151", "9.0.1", {{1, 8, 0, 151}}, {{9, 0, 1, 65535}}},
  };
  for (const Case& c : cases) {
    const LauncherSettings s =
        LoadJre("Minimum Version=" + c.minimum + "\r\nMaximum Version=" + c.maximum + "\r\n");
    EXPECT_EQ(s.minimumVersion, c.expectedMinimum) << c.minimum;
    EXPECT_EQ(s.maximumVersion, c.expectedMaximum) << c.maximum;
  }
}

TEST_F(SettingsFixture, FlagsCompareAsTheirKeysSay) {
  EXPECT_FALSE(LoadApplication("Application Type=Service\r\n").isService);
  EXPECT_TRUE(LoadApplication("Override WorkingDir=yEs\r\n").overrideWorkingDir);
  EXPECT_FALSE(LoadApplication("Failure Check=true\r\n").failureCheck);
}

TEST_F(SettingsFixture, JvmTypeMatchesExactly) {
  struct Case {
    std::string lines;
    int32_t expected;
  };
  const Case cases[] = {
      {"JVM Type=server\r\n", kJvmTypeServer},
      {"JVM Type=favor_server\r\n", kJvmTypeFavorServer},
      {"JVM Type=Server\r\n", kJvmTypeAny},
      // Read from the "+" section it gains a leading blank and no longer matches.
      {"[Java Runtime Environment+]\r\nJVM Type=server\r\n", kJvmTypeAny},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadJre(c.lines).jvmType, c.expected) << c.lines;
  }
}

TEST_F(SettingsFixture, JvmSourceSetsTheKindFlags) {
  struct Case {
    std::string value;
    std::vector<bool> flags; // jdkKind, jreKind, favorKind
  };
  const Case cases[] = {
      {"", {true, true, true}},
      {"only_JDK", {true, false, false}},
      {"only_JRE", {false, true, false}},
      {"favour_JDK", {false, false, false}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KindFlags(LoadJre("JVM Source=" + c.value + "\r\n")), c.flags) << c.value;
  }
}

TEST_F(SettingsFixture, VmProviderSetsTheVendorFlags) {
  struct Case {
    std::string value;
    // jrockitAllowed, jrockitFavored, sunAllowed, sunFavored, ibmAllowed, ibmFavored
    std::vector<bool> flags;
  };
  const Case cases[] = {
      {"jrockit", {true, true, false, false, false, false}},
      {"ibm", {false, false, false, false, true, true}},
      {"FAVOR_IBM", {true, false, true, false, true, true}},
      {"any", {true, false, true, false, true, false}},
      {"sun", {false, false, true, true, false, false}}, // not in the table: defaults stay
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VendorFlags(LoadJre("VM Provider=" + c.value + "\r\n")), c.flags) << c.value;
  }
}

TEST_F(SettingsFixture, AMissingMainClassStopsBeforeTheLaterKeys) {
  const LauncherSettings s = Load("[Java Runtime Environment]\r\n"
                                  "JVM Type=server\r\n"
                                  "Library Path=lib\r\n"
                                  "[Application]\r\n"
                                  "Failure Check=Yes\r\n",
                                  SettingsOutcome::kMainClassMissing);
  EXPECT_EQ(s.jvmType, kJvmTypeServer); // read before "Main Class"
  EXPECT_FALSE(s.failureCheck);         // read after it: never reached
  EXPECT_TRUE(s.libraryPath.empty());

  LauncherSettings missingFile;
  EXPECT_EQ(
      ReadSettings(SettingsReader(folder_.Path(L"other.ini")), modulePath(), missingFile).kind,
      SettingsOutcome::kMainClassMissing);
  EXPECT_EQ(KindFlags(missingFile), (std::vector<bool>{true, true, true}));
}

// A settings file over the bound is refused, whether it is the launcher's or the per-user
// one, before anything reads it; the outcome names the file for the message.
TEST_F(SettingsFixture, ASettingsFileOverTheBoundIsRefused) {
  std::string big = std::string(kMinimal) + ";";
  big.resize(kLargestSettingsFile + 1, ' ');
  Load(big, SettingsOutcome::kFileTooLarge);

  const std::wstring perUser = PerUserSettingsPath(L"", L"C", modulePath(), true);
  WriteWholeFile(perUser, big);
  const std::wstring settingsPath = *ExecutableSettingsPath(modulePath());
  WriteWholeFile(settingsPath,
                 std::string(kMinimal) + "[Product Information]\r\nProduct Code=C\r\n");
  LauncherSettings s;
  const SettingsOutcome outcome = ReadSettings(SettingsReader(settingsPath), modulePath(), s);
  EXPECT_EQ(outcome.kind, SettingsOutcome::kFileTooLarge);
  EXPECT_EQ(outcome.file, perUser);
}

TEST_F(SettingsFixture, MainClassFromThePlusSectionKeepsItsBlank) {
  EXPECT_EQ(Load("[Java Runtime Environment+]\r\nMain Class=a.B\r\n").mainClass, L" a/B");
}

class JrePathFixture : public SettingsFixture {
protected:
  void WritePerUser(const std::string& text) {
    const std::wstring path = PerUserSettingsPath(L"Tools: A/B?", L"T1", modulePath(), true);
    folder_.Write(path.substr(folder_.path().size() + 1), text);
  }
  std::string Shipped(bool service) const {
    return std::string("[Product Information]\r\nProduct Name=Tools: A/B?\r\nProduct Code=T1\r\n") +
           kMinimal + "JRE Path=shipped\r\n" +
           (service ? "[Application]\r\nApplication Type=service\r\n" : "");
  }
};

TEST_F(JrePathFixture, ThePerUserFileWinsExceptForAService) {
  struct Case {
    std::string perUser; // empty: no per-user file
    bool service;
    std::wstring expected;
  };
  const Case cases[] = {
      {"", false, L"shipped"},
      {"[Java Runtime Environment]\r\nJRE Path=chosen\r\n", false, L"chosen"},
      {"[Other]\r\nx=y\r\n", false, L""}, // the per-user file wins even when it has none
      {"[Java Runtime Environment]\r\nJRE Path=chosen\r\n", true, L"shipped"},
      {"[Java Runtime Environment+]\r\nJRE Path=plus\r\n", false, L""}, // no plus rule
  };
  for (const Case& c : cases) {
    if (!c.perUser.empty()) {
      WritePerUser(c.perUser);
    }
    EXPECT_EQ(Load(Shipped(c.service)).jrePath, c.expected) << c.perUser << c.service;
  }
}

TEST_F(JrePathFixture, TheLauncherFilesValueFollowsThePlusRule) {
  EXPECT_EQ(Load(std::string(kMinimal) + "[Java Runtime Environment+]\r\nJRE Path=p\r\n").jrePath,
            L" p");
}

} // namespace
} // namespace launcher
