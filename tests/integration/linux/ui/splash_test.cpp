// The splash screen on each installed runtime, through its own splash library, under an Xvfb
// display of the test's own: the image is on the screen while the application runs, the
// application sees it through java.awt.SplashScreen and can close it; "-nosplash", a runtime
// without the library, or no display at all show nothing and say nothing.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <thread>
#include <tuple>

#include "harness.h"
#include "ui/screen_pixel.h"

namespace launcher_test {
namespace {

using namespace testing;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kColour = 0xC81E28; // the image's one colour, as 0xRRGGBB

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
  }
  return ~crc;
}

std::string BigEndian(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

// A PNG of one colour, its pixels in stored (uncompressed) deflate blocks.
std::string Png(uint32_t width, uint32_t height, uint32_t rgb) {
  std::string pixels;
  for (uint32_t y = 0; y < height; ++y) {
    pixels += '\0'; // no filter
    for (uint32_t x = 0; x < width; ++x) {
      pixels += {static_cast<char>(rgb >> 16), static_cast<char>(rgb >> 8), static_cast<char>(rgb)};
    }
  }
  std::string zlib = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char byte : pixels) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t at = 0; at < pixels.size(); at += 65535) {
    const uint16_t size = static_cast<uint16_t>(std::min<size_t>(65535, pixels.size() - at));
    zlib += static_cast<char>(at + size == pixels.size());
    zlib += {static_cast<char>(size), static_cast<char>(size >> 8), static_cast<char>(~size & 0xFF),
             static_cast<char>((~size >> 8) & 0xFF)};
    zlib += pixels.substr(at, size);
  }
  zlib += BigEndian((b << 16) | a);
  const auto chunk = [](const std::string& kind, const std::string& body) {
    return BigEndian(static_cast<uint32_t>(body.size())) + kind + body +
           BigEndian(Crc32(kind + body));
  };
  return "\x89PNG\r\n\x1a\n" +
         chunk("IHDR", BigEndian(width) + BigEndian(height) + std::string("\x08\x02\0\0\0", 5)) +
         chunk("IDAT", zlib) + chunk("IEND", "");
}

// An Xvfb server of 1920 by 1080 pixels for the suite; it picks a free display number.
class Xvfb {
public:
  Xvfb() {
    int pipe[2];
    if (::pipe(pipe) != 0) {
      return;
    }
    pid_ = fork();
    if (pid_ == 0) {
      close(pipe[0]);
      const int quiet = open("/dev/null", O_RDWR);
      dup2(quiet, 0), dup2(quiet, 1), dup2(quiet, 2);
      const std::string fd = std::to_string(pipe[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1080x24", "-nolisten",
             "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipe[1]);
    char c;
    std::string number;
    while (read(pipe[0], &c, 1) == 1 && c != '\n') { // ends when the server is ready or gone
      number += c;
    }
    close(pipe[0]);
    display_ = number.empty() ? "" : ":" + number;
  }
  ~Xvfb() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& display() const { return display_; }

private:
  pid_t pid_ = -1;
  std::string display_;
};

// Waits, a minute at most, until `done` holds.
bool Eventually(const std::function<bool()>& done) {
  for (const auto end = Clock::now() + std::chrono::seconds(60); Clock::now() < end;) {
    if (done()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

bool Exists(const std::string& path) {
  return access(path.c_str(), F_OK) == 0;
}

void Touch(const std::string& path) {
  std::ofstream{path};
}

class SplashTest : public TestWithParam<std::string> {
protected:
  static void SetUpTestSuite() { xvfb_ = new Xvfb; }
  static void TearDownTestSuite() { delete xvfb_; }
  void SetUp() override { ASSERT_FALSE(xvfb_->display().empty()) << "Xvfb did not start"; }

  static const std::string& display() { return xvfb_->display(); }
  // The application with the image splash.png of kColour, 800 by 600, named by `display`.
  std::string Settings(const std::string& runtime = "JRE Path={home}\n") const {
    return Ini(runtime) + "[Display]\n" + "Splash Screen={app}/splash.png\n";
  }

private:
  static Xvfb* xvfb_;
};
Xvfb* SplashTest::xvfb_;

// Shown while main runs, seen and closed by the application, and gone once it is closed.
TEST_P(SplashTest, ShownUntilTheApplicationClosesIt) {
  const App app("tool", LAUNCHER, GetParam());
  app.Write("tool.ini", Settings() + "Preffer Native Splash Screen=No\n");
  app.Write("splash.png", Png(800, 600, kColour));
  launcher_test::Run run;
  std::thread launcher([&] {
    run = app.Start({"splash", "touch", "{app}/shown", "await", "{app}/go", "close", "touch",
                     "{app}/closed", "await", "{app}/go"},
                    {{"DISPLAY", display()}});
  });
  EXPECT_TRUE(Eventually([&] { return Exists(app.Path("shown")); }));
  EXPECT_TRUE(Eventually([&] { return CentrePixel(display()) == kColour; }))
      << std::hex << CentrePixel(display());
  Touch(app.Path("go"));
  EXPECT_TRUE(Eventually([&] { return Exists(app.Path("closed")); }));
  EXPECT_TRUE(Eventually([&] { return CentrePixel(display()) != kColour; }));
  launcher.join();
  EXPECT_THAT(run, AllOf(Field("code", &Run::code, 0), Field("out", &Run::out, "<splash>\n"),
                         Field("err", &Run::err, "")));
}

// Nothing on the screen, and no splash for the application: the switch, or a runtime without
// the splash library (its VM library linked into a folder of its own).
TEST_P(SplashTest, NotShown) {
  const std::pair<std::string, std::string> kRuns[] = {{"JRE Path={home}\n", "-nosplash"},
                                                       {"JRE Path={app}/rt\n", "plain"}};
  for (const auto& [runtime, word] : kRuns) {
    const std::string argument = word; // a lambda takes no structured binding
    const App app("tool", LAUNCHER, GetParam());
    app.Write("tool.ini", Settings(runtime));
    app.Write("splash.png", Png(800, 600, kColour));
    app.Write("rt/lib/server/libjvm.so", "@link:{home}/lib/server/libjvm.so");
    launcher_test::Run run;
    std::thread launcher([&] {
      run = app.Start({argument, "splash", "touch", "{app}/shown", "await", "{app}/go"},
                      {{"DISPLAY", display()}});
    });
    EXPECT_TRUE(Eventually([&] { return Exists(app.Path("shown")); }));
    EXPECT_NE(CentrePixel(display()), kColour) << argument;
    Touch(app.Path("go"));
    launcher.join();
    EXPECT_THAT(run, AllOf(Field("code", &Run::code, 0),
                           Field("out", &Run::out, "<" + argument + ">\n<no splash>\n"),
                           Field("err", &Run::err, "")));
  }
}

INSTANTIATE_TEST_SUITE_P(Runtimes, SplashTest, Values(kJdk17, kJdk25),
                         [](const TestParamInfo<std::string>& info) {
                           return info.param == kJdk17 ? "Jdk17" : "Jdk25";
                         });

// Without a display the application runs as without a splash, and nothing is said.
const Case kCases[] = {
    Case("SplashWithoutDisplay",
         Ini("JRE Path={jdk25}\n") + "[Display]\nSplash Screen=splash.png\n", {"ok"}, 0, "<ok>\n",
         "", {{"../splash.png", Png(8, 6, kColour)}}),
    Case("SplashPreferredWithoutDisplay",
         Ini("JRE Path={jdk17}\n") +
             "[Display]\nSplash Screen=splash.png\nPreffer Native Splash Screen=Yes\n",
         {"ok"}, 0, "<ok>\n", "", {{"../splash.png", Png(8, 6, kColour)}}),
};
INSTANTIATE_TEST_SUITE_P(Splash, LauncherTest, ValuesIn(kCases), CaseName);

} // namespace
} // namespace launcher_test
