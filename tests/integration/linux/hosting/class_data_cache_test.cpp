// "Class Data Cache" on each installed runtime: the archive of the application's classes is
// written by the first start and mapped by the next (as the runtime's own log shows), made
// anew when a jar changes or the archive was cut short, left alone when the cache folder
// cannot be written, and whole after ten first starts at once. Without the key nothing is
// written.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "harness.h"

namespace launcher_test {
namespace {

namespace fs = std::filesystem;
using namespace testing;

// The cache root lies beside the launcher's folder: {app}/../cache.
const Environment kCacheRoot = {{"XDG_CACHE_HOME", "{app}/../cache"}};

std::string CachedIni(const std::string& vmParameters = "") {
  return Ini("JRE Path={home}\nClass Data Cache=auto\nVirtual Machine Parameters=" + vmParameters +
             "\n");
}

// What the runtime's log says when it maps the application's archive.
std::string MappedLine(const std::string& home) {
  return home == kJdk25 ? "Using AOT-linked classes: true" : "Mapped dynamic region #0";
}
std::string LogOption(const std::string& home) {
  return home == kJdk25 ? "-Xlog:aot" : "-Xlog:cds";
}

struct Archive {
  std::string name;
  uintmax_t size;
  bool finished; // as the launcher marks a whole archive: a time its size gives
};

// The files of the cache folder; every one must be a finished archive, the user's alone.
std::vector<Archive> Archives(const App& app) {
  std::vector<Archive> archives;
  const std::string folder = app.Path("../cache/tool");
  if (!fs::exists(folder)) {
    return archives;
  }
  struct stat folderInfo;
  EXPECT_EQ(stat(folder.c_str(), &folderInfo), 0);
  EXPECT_EQ(folderInfo.st_mode & 0777, 0700u);
  for (const auto& entry : fs::directory_iterator(folder)) {
    struct stat info;
    EXPECT_EQ(stat(entry.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << entry.path();
    const auto size = static_cast<uintmax_t>(info.st_size);
    archives.push_back({entry.path().filename(), size,
                        info.st_mtim.tv_sec == 946684800 + 2 * static_cast<time_t>(size)});
  }
  std::sort(archives.begin(), archives.end(),
            [](const Archive& a, const Archive& b) { return a.name < b.name; });
  return archives;
}

Matcher<const Archive&> Finished(const std::string& suffix) {
  return AllOf(Field("name", &Archive::name, EndsWith(suffix)),
               Field("size", &Archive::size, Gt(4096u)),
               Field("finished", &Archive::finished, true));
}

class ClassDataCacheTest : public TestWithParam<std::string> {
protected:
  std::string home() const { return GetParam(); }
  std::string suffix() const { return home() == kJdk25 ? ".aot" : ".jsa"; }
  App MakeApp(const std::string& vmParameters = "") const {
    App app("tool", LAUNCHER, home());
    app.Write("tool.ini", CachedIni(vmParameters));
    return app;
  }
};

// What a start prints on standard error: nothing, but for one line of Java 25 on a start that
// writes the cache, where the runtime starts a second VM to build it and hands it the options
// through JAVA_TOOL_OPTIONS, which that VM announces before any option can silence it.
Text ErrorOutput(bool writes, const std::string& home) {
  if (writes && home == kJdk25) {
    return MatchesRegex("Picked up JAVA_TOOL_OPTIONS: [^\n]*-XX:AOTMode=create\n");
  }
  return Eq("");
}
Matcher<const Run&> RanPlainly(bool writes, const std::string& home) {
  return AllOf(Field("code", &Run::code, 0), Field("out", &Run::out, "<a>\n"),
               Field("err", &Run::err, ErrorOutput(writes, home)));
}

TEST_P(ClassDataCacheTest, FirstStartWritesTheArchiveAndTheNextMapsIt) {
  const App app = MakeApp();
  EXPECT_THAT(app.Start({"a"}, kCacheRoot), RanPlainly(true, home()));
  const std::vector<Archive> first = Archives(app);
  ASSERT_THAT(first, ElementsAre(Finished(suffix())));

  // The log switch among the VM parameters shows the mapping and makes no other archive.
  app.Write("tool.ini", CachedIni(LogOption(home())));
  const launcher_test::Run second = app.Start({"a"}, kCacheRoot);
  EXPECT_EQ(second.code, 0);
  EXPECT_THAT(second.out, AllOf(HasSubstr(MappedLine(home())), HasSubstr("<a>\n")));
  const std::vector<Archive> after = Archives(app);
  ASSERT_THAT(after, ElementsAre(Finished(suffix())));
  EXPECT_EQ(after[0].size, first[0].size); // not written again
}

// System.exit ends the process from the VM's exit hook: the archive is put in place there.
TEST_P(ClassDataCacheTest, SystemExitStillLeavesTheArchive) {
  const App app = MakeApp();
  EXPECT_EQ(app.Start({"exit", "7"}, kCacheRoot).code, 7);
  EXPECT_THAT(Archives(app), ElementsAre(Finished(suffix())));
}

TEST_P(ClassDataCacheTest, AChangedJarMakesAnotherArchive) {
  const App app = MakeApp();
  EXPECT_THAT(app.Start({"a"}, kCacheRoot), RanPlainly(true, home()));
  const std::vector<Archive> first = Archives(app);
  ASSERT_EQ(first.size(), 1u);
  fs::last_write_time(app.Path("lib/fixtures.jar"),
                      fs::last_write_time(app.Path("lib/fixtures.jar")) - std::chrono::hours(1));
  EXPECT_THAT(app.Start({"a"}, kCacheRoot), RanPlainly(true, home()));
  const std::vector<Archive> second = Archives(app);
  EXPECT_THAT(second, ElementsAre(Finished(suffix()), Finished(suffix())));
}

// Cut in half, even with its mark's time put back, an archive is not handed to the runtime
// (Java 17 would die of SIGBUS mapping it) but removed and written anew.
TEST_P(ClassDataCacheTest, AnArchiveCutInHalfIsReplaced) {
  const App app = MakeApp();
  EXPECT_THAT(app.Start({"a"}, kCacheRoot), RanPlainly(true, home()));
  const std::vector<Archive> first = Archives(app);
  ASSERT_EQ(first.size(), 1u);
  const std::string path = app.Path("../cache/tool/" + first[0].name);
  const auto time = fs::last_write_time(path);
  fs::resize_file(path, first[0].size / 2);
  fs::last_write_time(path, time);

  // The trace, in a file so that the console stays as it is, tells the story.
  Environment traced = kCacheRoot;
  traced["ZL_TRACE"] = "{app}/../trace.log";
  EXPECT_THAT(app.Start({"a"}, traced), RanPlainly(true, home()));
  const std::vector<Archive> second = Archives(app);
  ASSERT_THAT(second, ElementsAre(Finished(suffix())));
  EXPECT_EQ(second[0].name, first[0].name);
  EXPECT_GT(second[0].size, first[0].size / 2);
  std::ifstream traceFile(app.Path("../trace.log"));
  const std::string trace{std::istreambuf_iterator<char>(traceFile), {}};
  EXPECT_THAT(trace,
              AllOf(ContainsRegex("class-data cache: refuses [^\n]*" + first[0].name +
                                  ", not one this launcher finished; removed\n"),
                    ContainsRegex("class-data cache: creates [^\n]* through "),
                    ContainsRegex("class-data cache: [^\n]*" + first[0].name + " in place\n")));
}

TEST_P(ClassDataCacheTest, AFileInPlaceOfTheCacheFolderGivesAnOrdinaryStart) {
  const App app = MakeApp();
  app.Write("../cache/tool", "a file where the folder should be");
  EXPECT_THAT(app.Start({"a"}, kCacheRoot), RanPlainly(false, home()));
  EXPECT_EQ(app.Read("../cache/tool"), "a file where the folder should be");
}

TEST_P(ClassDataCacheTest, AReadOnlyCacheFolderGivesAnOrdinaryStart) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "a read-only folder is writable for root";
  }
  const App readOnly = MakeApp();
  fs::create_directories(readOnly.Path("../cache/tool"));
  fs::permissions(readOnly.Path("../cache/tool"), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THAT(readOnly.Start({"a"}, kCacheRoot), RanPlainly(false, home()));
  EXPECT_TRUE(fs::is_empty(readOnly.Path("../cache/tool")));
  fs::permissions(readOnly.Path("../cache/tool"), fs::perms::owner_all);
}

// Ten first starts at once: every one runs, and one whole archive is left, which the next
// start maps.
TEST_P(ClassDataCacheTest, TenFirstStartsAtOnce) {
  const App app = MakeApp();
  const std::string root = app.Path("..");
  std::string command = "cd '" + root +
                        "' && for i in 0 1 2 3 4 5 6 7 8 9; do (env -u DISPLAY "
                        "XDG_CACHE_HOME='" +
                        root + "/cache' timeout -s KILL 120 '" + app.Path("tool") +
                        "' a$i >out$i 2>err$i; echo $? >code$i) & done; wait";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (int i = 0; i < 10; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_EQ(app.Read("../code" + n), "0\n") << n;
    EXPECT_EQ(app.Read("../out" + n), "<a" + n + ">\n") << n;
    EXPECT_THAT(app.Read("../err" + n), ErrorOutput(true, home())) << n;
  }
  EXPECT_THAT(Archives(app), ElementsAre(Finished(suffix())));

  app.Write("tool.ini", CachedIni(LogOption(home())));
  const launcher_test::Run next = app.Start({"a"}, kCacheRoot);
  EXPECT_EQ(next.code, 0);
  EXPECT_THAT(next.out, HasSubstr(MappedLine(home())));
}

// Temporary files that a run which did not end well left behind go with the next start that
// writes an archive, once they are an hour old; younger ones may be another start's.
TEST_P(ClassDataCacheTest, AbandonedTemporaryFilesAreRemoved) {
  const App app = MakeApp();
  const Strings left = {"0123456789abcdef" + suffix() + ".1.tmp",
                        "0123456789abcdef.aot.2.tmp.config"};
  for (const std::string& name : left) {
    app.Write("../cache/tool/" + name, "left");
    app.Write("../cache/tool/young-" + name, "left");
    fs::last_write_time(app.Path("../cache/tool/" + name),
                        fs::file_time_type::clock::now() - std::chrono::hours(2));
  }
  fs::permissions(app.Path("../cache/tool"), fs::perms::owner_all);
  EXPECT_THAT(app.Start({"a"}, kCacheRoot), RanPlainly(true, home()));
  for (const std::string& name : left) {
    EXPECT_FALSE(fs::exists(app.Path("../cache/tool/" + name))) << name;
    EXPECT_TRUE(fs::exists(app.Path("../cache/tool/young-" + name))) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Runtimes, ClassDataCacheTest, Values(kJdk17, kJdk25),
                         [](const TestParamInfo<std::string>& info) {
                           return info.param == kJdk25 ? std::string("Java25")
                                                       : std::string("Java17");
                         });

// Without the key, with another value, or with VM parameters that manage sharing themselves,
// nothing is written: the cache root lies inside the launcher's folder here, where the harness
// looks for new files.
const Environment kCacheInside = {{"XDG_CACHE_HOME", "{app}/cache"}};
std::string Plain(const std::string& runtime, const std::string& jrePath = "{home}") {
  return Ini("JRE Path=" + jrePath + "\n" + runtime);
}
const Case kCases[] = {
    Case("KeyAbsent", Plain(""), {"a"}, 0, "<a>\n", "", {}, kCacheInside),
    Case("KeyOff", Plain("Class Data Cache=yes\n"), {"a"}, 0, "<a>\n", "", {}, kCacheInside),
    Case("SharingOffByTheParameters",
         Plain("Class Data Cache=AUTO\nVirtual Machine Parameters=-Xshare:off\n"), {"a"}, 0,
         "<a>\n", "", {}, kCacheInside),
    // The runtimes archive classes from jars only, and end the run with an error when a
    // folder on the class path is not empty.
    Case("FolderOnTheClassPath",
         Ini("JRE Path={home}\nClass Data Cache=Auto\n", "", "lib\\*.jar;classes"), {"a"}, 0,
         "<a>\n", "", {{"classes/x.txt", "x"}}, kCacheInside),
    Case("RuntimeOfUnknownVersion", Plain("Class Data Cache=Auto\n", "old"), {"a"}, 0, "<a>\n", "",
         {{"../old/lib", "@link:{home}/lib"}}, kCacheInside),
};

class ClassDataCacheOffTest : public TestWithParam<std::tuple<Case, std::string>> {};
TEST_P(ClassDataCacheOffTest, WritesNothing) {
  Check(std::get<0>(GetParam()), std::get<1>(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(Cases, ClassDataCacheOffTest,
                         Combine(ValuesIn(kCases), Values(kJdk17, kJdk25)),
                         [](const TestParamInfo<std::tuple<Case, std::string>>& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) == kJdk25 ? "Java25" : "Java17");
                         });

} // namespace
} // namespace launcher_test
