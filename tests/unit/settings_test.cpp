#include "settings/launcher_settings.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/launcher_paths.h"
#include "base/path_rules.h"
#include "base/platform.h"
#include "base/text.h"
#include "settings/ini_document.h"
#include "settings/ini_file.h"
#include "settings/jre_path_writeback.h"
#include "settings/settings_reader.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;

constexpr char kMain[] = "[Java Runtime Environment]\nMain Class=com.example.Main\n";
constexpr char kProduct[] = "[Product Information]\nProduct Name=Tools: A/B?\nProduct Code=T1\n";

// The kind and vendor flags as one text: jdk jre favor, then allowed and favored of JRockit,
// Sun and IBM.
std::string Flags(const LauncherSettings& s) {
  std::string flags;
  for (bool flag : {s.jdkKind, s.jreKind, s.favorKind, s.jrockitAllowed, s.jrockitFavored,
                    s.sunAllowed, s.sunFavored, s.ibmAllowed, s.ibmFavored}) {
    flags += flag ? '1' : '0';
  }
  return flags;
}

// A launcher beside its settings file, the per-user settings root in the same folder.
class Settings : public ::testing::Test {
protected:
  SettingsOutcome Load(const std::string& text, LauncherSettings& s, const char* perUser = "") {
    WriteWholeFile(*ExecutableSettingsPath(module), text);
    if (*perUser != '\0') {
      WriteWholeFile(PerUserSettingsPath(L"Tools: A/B?", L"T1", module, true), perUser);
    }
    return ReadSettings(SettingsReader(*ExecutableSettingsPath(module)), module, s);
  }
  LauncherSettings Loaded(const std::string& text, const char* perUser = "") {
    LauncherSettings s;
    EXPECT_EQ(Load(text, s, perUser).kind, SettingsOutcome::kLoaded) << text;
    return s;
  }

  testing::ScratchFolder folder;
  std::wstring module = folder.MakeFolder(L"app") + kPathSeparator + L"tool.exe";
  ScopedEnvironmentVariable appData{L"APPDATA", folder.Path(L"user")};
  ScopedEnvironmentVariable configHome{L"XDG_CONFIG_HOME", folder.Path(L"user")};
};

TEST_F(Settings, EveryKeyAndItsRule) {
  const LauncherSettings s =
      Loaded(std::string(kProduct) +
             "[Java Runtime Environment]\nPreferred versions=1.8;1.7\nJRE Path=jre\n"
             "Main Class=com.example.app.Main\nMinimum Version=1.8.0_151\nMaximum Version=9.0.1\n"
             "System Path=sys\nLibrary Path=lib\nJVM Type=favor_server\nJVM Source=only_JRE\n"
             "VM Provider=any\n[Application]\nApplication Type=service\nFailure Check=Yes\n"
             "Override WorkingDir=yEs\nPair Product=pair.exe\nPair Return Code=YES\n");
  EXPECT_EQ(s.productName + L"|" + s.productCode + L"|" + s.jrePath + L"|" + s.mainClass + L"|" +
                s.systemPath + L"|" + s.libraryPath + L"|" + s.pairProduct,
            L"Tools: A/B?|T1|jre|com/example/app/Main|sys|lib|pair.exe");
  EXPECT_EQ(s.preferredVersions, (std::vector<std::wstring>{L"1.8", L"1.7"}));
  EXPECT_EQ(s.minimumVersion, (JavaVersion{{1, 8, 0, 151}}));
  EXPECT_EQ(s.maximumVersion, (JavaVersion{{9, 0, 1, 65535}}));
  EXPECT_EQ(s.jvmType, kJvmTypeFavorServer);
  EXPECT_EQ(Flags(s), "010101010");
  EXPECT_TRUE(s.isService && s.failureCheck && s.overrideWorkingDir && s.pairReturnCode);
  const LauncherSettings other =
      Loaded(std::string(kMain) + "Minimum Version=any\nMaximum Version=any\nJVM Type=Server\n"
                                  "[Application]\nApplication Type=Service\nFailure Check=true\n");
  EXPECT_TRUE(other.minimumVersion == kAnyMinimumVersion &&
              other.maximumVersion == kAnyMaximumVersion);
  EXPECT_EQ(other.jvmType, kJvmTypeAny);
  EXPECT_FALSE(other.isService || other.failureCheck || other.overrideWorkingDir);
  EXPECT_EQ(Loaded(kMain).maximumVersion, JavaVersion{}); // an empty maximum is 0.0.0.0

  for (const auto& [source, provider, flags] :
       {std::tuple{L"", L"", "111001100"},
        {L"only_JDK", L"jrockit", "100110000"},
        {L"only_JRE", L"ibm", "010000011"},
        {L"favor_JDK", L"favor_sun", "101101110"},
        {L"favor_JRE", L"favor_jrockit", "011111010"},
        {L"favour_JDK", L"FAVOR_IBM", "000101011"},
        {L"only_jdk", L"sun", "000001100"}}) { // unknown values: defaults stay
    LauncherSettings flagged;
    ApplyJvmSource(source, flagged);
    ApplyVmProvider(provider, flagged);
    EXPECT_EQ(Flags(flagged), flags) << ToUtf8(source) << " " << ToUtf8(provider);
  }
}

TEST_F(Settings, PlusSectionMissingMainClassAndTheBound) {
  const LauncherSettings plus = Loaded("[Java Runtime Environment+]\nMain Class=a.B\nJRE Path=p\n"
                                       "JVM Type=server\n");
  EXPECT_EQ(plus.mainClass + L"|" + plus.jrePath, L" a/B| p");
  EXPECT_EQ(plus.jvmType, kJvmTypeAny); // the blank in front keeps it from matching
  const SettingsReader reader(folder.Write(L"r.ini", "[A]\nOwn=main\nEmpty=\n[A+]\nOwn=hidden\n"
                                                     "Empty=plus\nSpaced=\" blank\"\n"));
  EXPECT_EQ(reader.Get(L"A", L"Own") + L"|" + reader.Get(L"A", L"Empty") + L"|" +
                reader.Get(L"A", L"Spaced") + L"|" + reader.Get(L"A", L"None"),
            L"main| plus| blank|");

  LauncherSettings s; // the keys after "Main Class" are never read without it
  EXPECT_EQ(Load("[Java Runtime Environment]\nJVM Type=server\nLibrary Path=lib\n"
                 "[Application]\nFailure Check=Yes\n",
                 s)
                .kind,
            SettingsOutcome::kMainClassMissing);
  EXPECT_TRUE(s.jvmType == kJvmTypeServer && !s.failureCheck && s.libraryPath.empty());

  std::string big = std::string(kProduct) + kMain + ";";
  big.resize(kLargestSettingsFile + 1, ' ');
  SettingsOutcome outcome = Load(big, s);
  EXPECT_EQ(outcome.kind, SettingsOutcome::kFileTooLarge);
  EXPECT_EQ(outcome.file, *ExecutableSettingsPath(module));
  outcome = Load(std::string(kProduct) + kMain, s, big.c_str());
  EXPECT_EQ(outcome.kind, SettingsOutcome::kFileTooLarge);
  EXPECT_EQ(outcome.file, PerUserSettingsPath(L"Tools: A/B?", L"T1", module, false));
}

TEST_F(Settings, ThePerUserJrePathWinsExceptForAService) {
  const std::string shipped = std::string(kProduct) + kMain + "JRE Path=shipped\n";
  const char* chosen = "[Java Runtime Environment]\nJRE Path=chosen\n";
  EXPECT_EQ(Loaded(shipped).jrePath, L"shipped");
  EXPECT_EQ(Loaded(shipped + "[Application]\nApplication Type=service\n", chosen).jrePath,
            L"shipped");
  EXPECT_EQ(Loaded(shipped, chosen).jrePath, L"chosen");
  EXPECT_EQ(Loaded(shipped, "[Java Runtime Environment+]\nJRE Path=plus\n").jrePath, L"");
  EXPECT_EQ(PerUserSettingsPath(L"Tools: A/B?", L"T1", module, false),
            folder.Path(L"user/Tools AB/T1/") + PerUserSettingsFileName(module));
}

// Whether the launcher's, the paired program's and their per-user settings files get the runtime.
TEST_F(Settings, TheChosenRuntimeIsWrittenWhereTheNextStartReadsIt) {
  LauncherSettings s;
  s.productName = L"P";
  for (const auto& [service, paired, written] : {std::tuple{true, false, "1000"},
                                                 {true, true, "1100"},
                                                 {false, false, "0010"},
                                                 {false, true, "0011"}}) {
    s.productCode = std::to_wstring(service) + std::to_wstring(paired); // fresh files each time
    s.isService = service;
    s.pairProduct = paired ? folder.Path(s.productCode + L"-32.exe") : L"";
    const std::wstring tool = folder.Path(s.productCode + L".exe");
    WriteBackJrePath(L"jre8/", tool, s);
    std::string found;
    for (const std::wstring& file :
         {*ExecutableSettingsPath(tool),
          *ExecutableSettingsPath(folder.Path(s.productCode + L"-32.exe")),
          PerUserSettingsPath(L"P", s.productCode, tool, false),
          PerUserSettingsPath(L"P", s.productCode, s.pairProduct, false)}) {
      found += IniFile(file).ReadString(L"Java Runtime Environment", L"JRE Path") == L"jre8/" ? '1'
                                                                                              : '0';
    }
    EXPECT_EQ(found, written) << service << paired;
  }
}

using namespace std::string_literals;

// UTF-16 bytes of a text with its byte-order mark.
std::string Utf16(std::wstring_view text, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (char16_t unit : ToUtf16(text)) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += littleEndian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(Ini, ReadsAsTheProfileFunctionsDo) {
  const std::string mixed = "k=none\n[A]\nk=1\nk=2\n;j=c\ngarbage\n[B]\nj=0\n[a]\nk=3\nj=4\n";
  const std::wstring text = L"[S\u00ef]\r\nk=Gr\u00fc\u00dfe \U0001F600\U00010000\r\n";
  const struct {
    std::string bytes;
    std::wstring section, key;
    std::optional<std::wstring> value;
  } cases[] = {
      {"[Java Runtime Environment]\nMain Class=x", L"JAVA runtime environment", L"main CLASS",
       L"x"},
      {"  [ A ]  \n \t k \t=  v  \n", L"A", L"k", L"v"},
      {"[A]\nk=v\n", L"A", L"K ", std::nullopt}, // the name asked for is taken as it is
      {"[A\nk=v\n", L"A", L"k", std::nullopt},   // "[A" opens no section
      {"[A]]\rk=v", L"A]", L"k", L"v"},
      {mixed, L"A", L"k", L"1"}, // the first section and the first key win
      {mixed, L"A", L"j", std::nullopt},
      {"[A]\nk='v'\n", L"A", L"k", L"v"},
      {"[A]\nk=\" a \"\n", L"A", L"k", L" a "},
      {"[A]\nk=\"v'\n", L"A", L"k", L"\"v'"},
      {Utf16(text, true), L"S\u00ef", L"k", L"Gr\u00fc\u00dfe \U0001F600\U00010000"},
      {Utf16(text, false), L"S\u00ef", L"k", L"Gr\u00fc\u00dfe \U0001F600\U00010000"},
      {"\xEF\xBB\xBF" + ToUtf8(text), L"S\u00ef", L"k", L"Gr\u00fc\u00dfe \U0001F600\U00010000"},
      // Unmarked bytes that are no UTF-8 read as Latin-1.
      {"[A]\nk=\xE9\xE2\x82\xAC\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82\xF4\x8F\xBF\xBF"s, L"A",
       L"k",
       L"\u00e9\u20ac\u00c0\u00af\u00ed\u00a0\u0080\u00f4\u0090\u0080\u0080\u00e2\u0082\U0010FFFF"},
      {Utf16(L"[A]\rk=\xDFFF", true) + "\x01", L"A", L"k", L"\uFFFD"}, // a dangling odd byte
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IniDocument(c.bytes).Get(c.section, c.key), c.value)
        << ToUtf8(c.section) << "/" << ToUtf8(c.key) << " in:\n"
        << c.bytes;
  }
}

TEST(Ini, WritesChangeOnlyWhatTheyMust) {
  const struct {
    std::string before;
    std::wstring section, key, value;
    std::string after;
  } cases[] = {
      {"", L"A", L"k", L"v", "[A]\r\nk=v\r\n"},
      {"[A]\nk = \"q\"\t\nk=2\n", L"A", L"k", L"v", "[A]\nk = v\nk=2\n"},
      {"[A]\nj=1\n\n[B]\n", L"A", L"k", L"v", "[A]\nj=1\nk=v\n\n[B]\n"},
      {"[A]", L"A", L"k", L"v", "[A]\r\nk=v\r\n"},
      {"[A]\r\nj=1\r\n", L"B", L"k", L"v", "[A]\r\nj=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"[A]\nj=1", L"B", L"k", L"v", "[A]\nj=1\n\n[B]\nk=v\n"},
      {"[A]\n\n", L"B", L"k", L"v", "[A]\n\n[B]\nk=v\n"},
      {";c\n[A]\n; n\nx=\xE9\nk=1\n", L"A", L"k", L"\u00e9", ";c\n[A]\n; n\nx=\xE9\nk=\xC3\xA9\n"},
      {"[A]\nk=1\n[A]\nj=2\n", L"A", L"j", L"3", "[A]\nk=1\nj=3\n[A]\nj=2\n"},
      {"\xEF\xBB\xBF", L"A", L"k", L"v", "\xEF\xBB\xBF[A]\r\nk=v\r\n"},
      {Utf16(L"[A]\r\nj=\u00e4\r\n", false) + "\x41", L"B", L"k", L"\U0001F600",
       Utf16(L"[A]\r\nj=\u00e4\r\n\r\n[B]\r\nk=\U0001F600\r\n", false)},
      {Utf16(L"[A]\nj=1\n", true), L"A", L"k", L"\u00e4", Utf16(L"[A]\nj=1\nk=\u00e4\n", true)},
      {Utf16(L"[A]\r", true) + "\n", L"A", L"k", L"v", Utf16(L"[A]\rk=v\r", true)}, // odd bytes
      {Utf16(L"[A]", true) + "\r", L"A", L"k", L"v", Utf16(L"[A]\r\nk=v\r\n", true)},
  };
  for (const auto& c : cases) {
    IniDocument document(c.before);
    ASSERT_TRUE(document.Set(c.section, c.key, c.value)) << c.before;
    EXPECT_EQ(document.bytes(), c.after) << c.before;
  }
  // What the format cannot hold is refused, and the document stays as it was.
  IniDocument document("[A]\nk=1\n");
  for (const wchar_t* key : {L"a=b", L"", L" k", L"k\t", L";k", L"[k]"}) {
    EXPECT_FALSE(document.Set(L"A", key, L"v")) << ToUtf8(key);
  }
  EXPECT_FALSE(document.Set(L" A", L"k", L"v") || document.Set(L"A\r", L"k", L"v") ||
               document.Set(L"A", L"k", L"two\nlines"));
  EXPECT_EQ(document.bytes(), "[A]\nk=1\n");
}

TEST(Ini, FilesOnDiskKeepTheRest) {
  testing::ScratchFolder folder;
  const std::wstring value(5000, L'x'); // longer than any fixed buffer
  const IniFile file(folder.Write(L"a.ini", "[A]\nj=1\nk=old\n[B]\nlong=" + ToUtf8(value) + "\n"));
  ASSERT_TRUE(file.WriteString(L"A", L"k", L"new") && file.WriteString(L"C", L"k", L"added"));
  EXPECT_EQ(file.ReadString(L"b", L"LONG"), value);
  EXPECT_EQ(file.ReadString(L"A", L"j") + file.ReadString(L"A", L"k") +
                file.ReadString(L"C", L"k") + file.ReadString(L"D", L"k") +
                IniFile(folder.Path(L"gone.ini")).ReadString(L"A", L"k"),
            L"1newadded");
  const IniFile utf16(folder.Write(L"u.ini", Utf16(L"[A]\r\nj=\u00e4\r\n", true)));
  ASSERT_TRUE(utf16.WriteString(L"A", L"k", L"\u00f6"));
  EXPECT_EQ(utf16.ReadString(L"A", L"j") + utf16.ReadString(L"A", L"k"), L"\u00e4\u00f6");
  EXPECT_EQ(ReadFileStart(utf16.path(), 2), "\xFF\xFE");
  EXPECT_FALSE(IniFile(folder.Path(L"gone/a.ini")).WriteString(L"A", L"k", L"v"));
}

TEST(Files, WholeFilesWithinTheirBound) {
  testing::ScratchFolder folder;
  std::string bytes(150000, '\0'); // more than one read's worth
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(i % 251);
  }
  const std::wstring file = folder.Write(L"data.bin", bytes);
  EXPECT_EQ(ReadRegularFile(file, bytes.size()).bytes, bytes);
  EXPECT_EQ(ReadRegularFile(file, bytes.size() - 1).result, FileReadResult::kTooLarge);
  EXPECT_EQ(ReadFileStart(file, 70000), bytes.substr(0, 70000));
  ASSERT_TRUE(WriteWholeFile(file, "")); // replaces, does not overlay
  EXPECT_EQ(ReadRegularFile(file, 0).result, FileReadResult::kRead);
  EXPECT_EQ(ReadRegularFile(folder.Path(L"gone"), 9).result, FileReadResult::kAbsent);
  EXPECT_FALSE(WriteWholeFile(folder.Path(L"gone/data.bin"), "x"));
}

} // namespace
} // namespace launcher
