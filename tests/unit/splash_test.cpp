#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "ui/splash_rules.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

struct SettingsRow {
  const char* display; // the lines of [Display]
  const wchar_t* image;
  const wchar_t* shadow;
  bool prefer;
};

TEST(SplashSettings, AreReadAsWritten) {
  const SettingsRow rows[] = {
      {"", L"", L"", false},
      {"Splash Screen=splash.png\n", L"splash.png", L"", false},
      {"Splash Screen=s.bmp\nSplash Screen Shadow=True\nPreffer Native Splash Screen=yES\n",
       L"s.bmp", L"True", true},
      {"splash screen=s.bmp\nPreffer Native Splash Screen=Yes please\n", L"s.bmp", L"", false},
      {"Preffer Native Splash Screen=Yes\nSplash Screen Shadow=true\n", L"", L"", false},
  };
  for (const SettingsRow& row : rows) {
    testing::ScratchFolder folder;
    // A [Display+] section is not looked at: the plain reader takes these keys.
    const IniFile file(folder.Write(L"tool.ini", std::string("[Display]\n") + row.display +
                                                     "[Display+]\nSplash Screen=plus.png\n"));
    const SplashSettings settings = ReadSplashSettings(file);
    EXPECT_EQ(settings.imagePath, row.image) << row.display;
    EXPECT_EQ(settings.shadow, row.shadow) << row.display;
    EXPECT_EQ(settings.preferRuntimeLibrary, row.prefer) << row.display;
  }
}

TEST(SplashSettings, OnlyTrueGivesAShadow) {
  EXPECT_TRUE(WantsSplashShadow(L"true"));
  for (const wchar_t* value : {L"", L"True", L"TRUE", L"yes", L" true", L"1"}) {
    EXPECT_FALSE(WantsSplashShadow(value)) << value;
  }
}

TEST(SplashPlan, ChoosesTheWay) {
  struct Row {
    const wchar_t* image;
    bool prefer, found, ownWindow;
    bool tryLibrary, window;
  } rows[] = {
      // Windows: the library only when preferred and found, the own window otherwise.
      {L"a.png", true, true, true, true, true},
      {L"a.png", true, false, true, false, true},
      {L"a.png", false, true, true, false, true},
      {L"a.png", false, false, true, false, true},
      // Linux: the library whatever the preference, and nothing else.
      {L"a.png", false, true, false, true, false},
      {L"a.png", true, true, false, true, false},
      {L"a.png", true, false, false, false, false},
      // No image: nothing, whatever the rest says.
      {L"", true, true, true, false, false},
      {L"", true, true, false, false, false},
  };
  for (const Row& row : rows) {
    SplashSettings settings;
    settings.imagePath = row.image;
    settings.preferRuntimeLibrary = row.prefer;
    const SplashPlan plan = PlanSplash(settings, row.found, row.ownWindow);
    EXPECT_EQ(plan.tryRuntimeLibrary, row.tryLibrary)
        << row.prefer << row.found << row.ownWindow << "[" << row.image << "]";
    EXPECT_EQ(plan.ownWindowOtherwise, row.window)
        << row.prefer << row.found << row.ownWindow << "[" << row.image << "]";
  }
}

TEST(SplashLibrary, LiesTwoFoldersAboveTheVmLibrary) {
  const struct {
    const wchar_t* vm;
    wchar_t separator;
    const wchar_t* name;
    const wchar_t* expected;
  } rows[] = {
      {L"C:\\jre\\bin\\server\\jvm.dll", L'\\', L"splashscreen.dll",
       L"C:\\jre\\bin\\splashscreen.dll"},
      {L"C:\\jre\\bin\\client\\jvm.dll", L'\\', L"splashscreen.dll",
       L"C:\\jre\\bin\\splashscreen.dll"},
      // Only backslashes are cut at on Windows; a slash before the cut is kept as the end.
      {L"C:\\jre/bin\\server\\jvm.dll", L'\\', L"splashscreen.dll",
       L"C:\\jre/bin\\splashscreen.dll"},
      {L"C:\\jre/\\server\\jvm.dll", L'\\', L"splashscreen.dll", L"C:\\jre/splashscreen.dll"},
      {L"C:\\jvm.dll", L'\\', L"splashscreen.dll", L""},
      {L"", L'\\', L"splashscreen.dll", L""},
      {L"/usr/lib/jvm/jdk/lib/server/libjvm.so", L'/', L"libsplashscreen.so",
       L"/usr/lib/jvm/jdk/lib/libsplashscreen.so"},
      {L"/opt/jdk8/jre/lib/amd64/server/libjvm.so", L'/', L"libsplashscreen.so",
       L"/opt/jdk8/jre/lib/amd64/libsplashscreen.so"},
      {L"/server/libjvm.so", L'/', L"libsplashscreen.so", L"/libsplashscreen.so"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(RuntimeSplashLibraryPath(row.vm, row.separator, row.name), row.expected) << row.vm;
  }
}

TEST(SplashWindow, IsCentredTruncatingTowardZero) {
  const struct {
    int screenWidth, screenHeight, width, height, x, y;
  } rows[] = {
      {1920, 1080, 801, 601, 559, 239},
      {1920, 1080, 800, 600, 560, 240},
      {1920, 1080, 0, 0, 960, 540}, // an image that could not be read
      // Larger than the screen: negative, and the same overhang on both sides.
      {1920, 1080, 2000, 1200, -40, -60},
      {1920, 1080, 2001, 1201, -40, -60}, // -40.5 and -60.5 truncated toward zero
      {1280, 1024, 1281, 1025, 0, 0},
  };
  for (const auto& row : rows) {
    const ScreenPoint origin =
        CentredOrigin(row.screenWidth, row.screenHeight, row.width, row.height);
    EXPECT_EQ(origin.x, row.x) << row.width << "x" << row.height;
    EXPECT_EQ(origin.y, row.y) << row.width << "x" << row.height;
  }
}

TEST(SplashWindow, ClassStyleHasTheShadowOnlyWhenWanted) {
  EXPECT_EQ(SplashClassStyle(true), 0x20808u);
  EXPECT_EQ(SplashClassStyle(false), 0x808u);
}

int closes[2];
void CloseFirst() {
  ++closes[0];
}
void CloseSecond() {
  ++closes[1];
}

TEST(SplashCloser, ClosesEachLibraryAtMostOnce) {
  closes[0] = closes[1] = 0;
  {
    SplashCloser closer;
    closer.Close(); // nothing held: nothing happens
    closer.Hold(CloseFirst);
    closer.Hold(CloseFirst); // the same again is not a replacement
    EXPECT_EQ(closes[0], 0);
    closer.Hold(CloseSecond); // replacing closes the one held before
    EXPECT_EQ(closes[0], 1);
    closer.Close();
    closer.Close();
    EXPECT_EQ(closes[1], 1);
    EXPECT_FALSE(closer.holds());
    closer.Hold(CloseFirst);
  } // the end closes what is still held
  EXPECT_EQ(closes[0], 2);
  EXPECT_EQ(closes[1], 1);
}

} // namespace
} // namespace launcher
