#include "jvm/hosting/class_data_cache.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace launcher {
namespace {

using Options = std::vector<std::string>;

TEST(ClassDataCache, OnlyAutoInAnyCaseTurnsItOn) {
  EXPECT_TRUE(IsClassDataCacheOn(L"Auto"));
  EXPECT_TRUE(IsClassDataCacheOn(L"aUTO"));
  for (const wchar_t* value : {L"", L" Auto", L"Auto ", L"yes", L"on", L"Autom"}) {
    EXPECT_FALSE(IsClassDataCacheOn(value)) << value;
  }
}

// The release file's JAVA_VERSION, old and new numbering, decides the kind of archive.
TEST(ClassDataCache, KindFollowsTheFeatureRelease) {
  const struct {
    const wchar_t* javaVersion;
    int feature;
    ClassDataCacheKind kind;
  } rows[] = {
      {L"", 0, ClassDataCacheKind::kNone},
      {L"internal", 0, ClassDataCacheKind::kNone},
      {L"1.8.0_392", 8, ClassDataCacheKind::kNone},
      {L"1.13", 13, ClassDataCacheKind::kDynamicAtExit},
      {L"12.0.2", 12, ClassDataCacheKind::kNone},
      {L"13", 13, ClassDataCacheKind::kDynamicAtExit},
      {L"17.0.15", 17, ClassDataCacheKind::kDynamicAtExit},
      {L"18.0.2.1", 18, ClassDataCacheKind::kDynamicAtExit},
      {L"19-ea", 19, ClassDataCacheKind::kAutoCreate},
      {L"24.0.1", 24, ClassDataCacheKind::kAutoCreate},
      {L"25", 25, ClassDataCacheKind::kAotCache},
      {L"26-ea+3", 26, ClassDataCacheKind::kAotCache},
      {L"99999999999", 100000, ClassDataCacheKind::kAotCache},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(JavaFeatureRelease(row.javaVersion), row.feature) << row.javaVersion;
    EXPECT_EQ(ClassDataCacheKindFor(row.feature), row.kind) << row.javaVersion;
  }
}

TEST(ClassDataCache, OptionsForEachKindAndPhase) {
  const std::string a = "/c/x.jsa";
  EXPECT_EQ(ClassDataOptions(ClassDataCacheKind::kNone, a, true), Options{});
  EXPECT_EQ(ClassDataOptions(ClassDataCacheKind::kDynamicAtExit, a, true),
            (Options{"-Xshare:auto", "-Xlog:cds*=off", "-XX:ArchiveClassesAtExit=/c/x.jsa"}));
  EXPECT_EQ(ClassDataOptions(ClassDataCacheKind::kDynamicAtExit, a, false),
            (Options{"-Xshare:auto", "-Xlog:cds*=off", "-XX:SharedArchiveFile=/c/x.jsa"}));
  const Options autoCreate = {"-Xshare:auto", "-Xlog:cds*=off", "-XX:+AutoCreateSharedArchive",
                              "-XX:SharedArchiveFile=/c/x.jsa"};
  EXPECT_EQ(ClassDataOptions(ClassDataCacheKind::kAutoCreate, a, true), autoCreate);
  EXPECT_EQ(ClassDataOptions(ClassDataCacheKind::kAutoCreate, a, false), autoCreate);
  EXPECT_EQ(ClassDataOptions(ClassDataCacheKind::kAotCache, a, true),
            (Options{"-Xlog:aot*=off", "-Xlog:cds*=off", "-XX:+UnlockDiagnosticVMOptions",
                     "-XX:-DisplayVMOutput", "-XX:AOTCacheOutput=/c/x.jsa"}));
  EXPECT_EQ(ClassDataOptions(ClassDataCacheKind::kAotCache, a, false),
            (Options{"-Xlog:aot*=off", "-Xlog:cds*=off", "-XX:AOTCache=/c/x.jsa"}));
}

TEST(ClassDataCache, VmParametersThatManageSharingThemselves) {
  for (const char* option :
       {"-Xshare:off", "-Xshare:auto", "-Xshare:on", "-XX:SharedArchiveFile=a.jsa",
        "-XX:ArchiveClassesAtExit=a", "-XX:+AutoCreateSharedArchive", "-XX:-UseSharedSpaces",
        "-XX:AOTCache=a.aot", "-XX:AOTCacheOutput=a", "-XX:AOTMode=off", "-XX:AOTConfiguration=c",
        "-XX:SharedClassListFile=l", "-XX:+DumpLoadedClassList"}) {
    EXPECT_TRUE(VmOptionsManageClassData({"-Djava.class.path=a.jar", option})) << option;
  }
  EXPECT_FALSE(VmOptionsManageClassData(
      {"-Djava.class.path=a.jar", "-Xmx64m", "-Xlog:cds", "-XX:+UseSerialGC", "-Dshare=off"}));
}

// Each input that decides whether a runtime takes an archive changes the key; the other
// properties do not, so that a property that changes from start to start makes no new one.
TEST(ClassDataCache, DigestKeyCoversWhatTheArchiveDependsOn) {
  const std::vector<StampedEntry> classPath = {{L"/a/app.jar", true, {100, 5000}},
                                               {L"/a/missing.jar", false, {}}};
  const Options options = {"-Djava.class.path=/a/app.jar", "-Xmx64m", "-Dapp.day=1"};
  const std::string key = ClassDataDigestKey(L"/jdk", L"17.0.9", classPath, options);

  std::vector<std::string> changed = {
      ClassDataDigestKey(L"/jdk2", L"17.0.9", classPath, options),
      ClassDataDigestKey(L"/jdk", L"17.0.10", classPath, options),
      ClassDataDigestKey(L"/jdk", L"17.0.9", {classPath[1], classPath[0]}, options),
      ClassDataDigestKey(L"/jdk", L"17.0.9", {classPath[0]}, options),
      ClassDataDigestKey(L"/jdk", L"17.0.9", {{L"/a/app.jar", true, {101, 5000}}, classPath[1]},
                         options),
      ClassDataDigestKey(L"/jdk", L"17.0.9", {{L"/a/app.jar", true, {100, 5002}}, classPath[1]},
                         options),
      ClassDataDigestKey(L"/jdk", L"17.0.9", classPath, {"-Xmx128m"}),
      ClassDataDigestKey(L"/jdk", L"17.0.9", classPath,
                         {"-Xmx64m", "-Djava.system.class.loader=a.L"}),
      ClassDataDigestKey(L"/jdk", L"17.0.9", classPath, {"-Xmx64m", "-Djdk.module.main=m"}),
  };
  for (size_t i = 0; i < changed.size(); ++i) {
    EXPECT_NE(DigestText(changed[i]), DigestText(key)) << i;
  }
  EXPECT_EQ(ClassDataDigestKey(L"/jdk", L"17.0.9", classPath, {"-Xmx64m", "-Dapp.day=2"}), key);
  EXPECT_EQ(ClassDataDigestKey(L"/jdk", L"17.0.9", classPath, {"-Xlog:cds", "-Xmx64m"}), key);
}

TEST(ClassDataCache, AFolderOnTheClassPathGetsNoArchive) {
  EXPECT_TRUE(ClassPathAllowsArchive({}));
  EXPECT_TRUE(
      ClassPathAllowsArchive({{L"/a.jar", true, {1, 2}, false}, {L"/gone.jar", false, {}, false}}));
  EXPECT_FALSE(
      ClassPathAllowsArchive({{L"/a.jar", true, {1, 2}, false}, {L"/classes", false, {}, true}}));
}

TEST(ClassDataCache, NamesOfTheArchiveAndItsTemporaryFile) {
  EXPECT_EQ(DigestText(""), L"cbf29ce484222325"); // FNV-1a's offset basis
  EXPECT_EQ(DigestText("a"), L"af63dc4c8601ec8c");
  EXPECT_EQ(ClassDataArchiveName(ClassDataCacheKind::kAotCache, L"0f"), L"0f.aot");
  EXPECT_EQ(ClassDataArchiveName(ClassDataCacheKind::kDynamicAtExit, L"0f"), L"0f.jsa");
  EXPECT_EQ(ClassDataArchiveName(ClassDataCacheKind::kAutoCreate, L"0f"), L"0f.jsa");
  EXPECT_EQ(TemporaryArchiveName(L"0f.aot", 4242), L"0f.aot.4242.tmp");
  EXPECT_TRUE(IsTemporaryArchiveName(L"0f.aot.4242.tmp"));
  EXPECT_TRUE(IsTemporaryArchiveName(L"0f.aot.4242.tmp.config"));
  for (const wchar_t* name : {L"0f.aot", L"0f.jsa", L".tmp", L"0f.tmp.old", L"0f.config"}) {
    EXPECT_FALSE(IsTemporaryArchiveName(name)) << name;
  }
}

TEST(ClassDataCache, CacheFolderOfTheExecutable) {
  EXPECT_EQ(CacheNameOfExecutable(L"C:\\Apps\\MyApp.exe", L'\\'), L"MyApp");
  EXPECT_EQ(CacheNameOfExecutable(L"C:\\Apps\\My.App.EXE", L'\\'), L"My.App");
  EXPECT_EQ(CacheNameOfExecutable(L"/opt/MyApp-1.5", L'/'), L"MyApp-1.5");
  EXPECT_EQ(CacheNameOfExecutable(L"/opt/.exe", L'/'), L".exe");
  EXPECT_EQ(ClassDataCacheFolder(L"C:\\Users\\u\\AppData\\Local", L"MyApp", L'\\'),
            L"C:\\Users\\u\\AppData\\Local\\MyApp\\");
  EXPECT_EQ(ClassDataCacheFolder(L"/home/u/.cache/", L"MyApp", L'/'), L"/home/u/.cache/MyApp/");
  EXPECT_EQ(ClassDataCacheFolder(L"", L"MyApp", L'/'), L"");
  EXPECT_EQ(ClassDataCacheFolder(L"/c", L"", L'/'), L"");

  EXPECT_EQ(PosixCacheRoot(L"/x/cache", L"/home/u"), L"/x/cache");
  EXPECT_EQ(PosixCacheRoot(L"relative", L"/home/u"), L"/home/u/.cache");
  EXPECT_EQ(PosixCacheRoot(L"", L"/home/u/"), L"/home/u/.cache");
  EXPECT_EQ(PosixCacheRoot(L"", L"relative"), L"");
  EXPECT_EQ(PosixCacheRoot(L"", L""), L"");
}

// A finished archive carries the time its size gives; a copy, a cut or a rewrite does not.
TEST(ClassDataCache, FinishedArchivesAndTheirFirstBytes) {
  EXPECT_EQ(FinishedArchiveTime(122880), 946684800 + 245760);
  EXPECT_TRUE(IsFinishedArchive({122880, FinishedArchiveTime(122880)}));
  EXPECT_FALSE(IsFinishedArchive({61440, FinishedArchiveTime(122880)}));
  EXPECT_FALSE(IsFinishedArchive({122880, 1765065600}));
  EXPECT_FALSE(IsFinishedArchive({100, FinishedArchiveTime(100)}));
  EXPECT_EQ(FinishedArchiveTime(~uint64_t{0}), FinishedArchiveTime(uint64_t{1} << 40));

  EXPECT_TRUE(HasArchiveMagic(std::string("\xa2\xab\x0b\xf0", 4)));
  EXPECT_TRUE(HasArchiveMagic(std::string("\xa8\xab\x0b\xf0\x01", 5)));
  EXPECT_FALSE(HasArchiveMagic(std::string("\xa8\xab\x0b", 3)));
  EXPECT_FALSE(HasArchiveMagic(std::string("\0\0\0\0", 4)));
  EXPECT_FALSE(HasArchiveMagic("PK\x03\x04"));
}

} // namespace
} // namespace launcher
