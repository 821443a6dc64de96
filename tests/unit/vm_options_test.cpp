#include "jvm/hosting/class_path.h"

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "base/narrow_text.h"
#include "base/text.h"
#include "jvm/hosting/date_time_picture.h"
#include "jvm/hosting/library_path.h"
#include "jvm/hosting/memory_sizing.h"
#include "jvm/hosting/picture_pieces.h"
#include "jvm/hosting/vm_option_paths.h"
#include "jvm/hosting/vm_options.h"
#include "jvm/hosting/vm_parameters.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScopedEnvironmentVariable;

// A path or list written with "\" and ";" for the host's separators, so that one table serves
// both platforms.
std::wstring Native(std::wstring text) {
  for (wchar_t& c : text) {
    c = c == L';' ? kPathListSeparator : c == L'\\' ? kPathSeparator : c;
  }
  return text;
}

// Entries resolve below the launcher's folder, absolute ones pass unchecked, and no separator
// follows the last entry, which would put the current folder on the class path.
TEST(ClassPath, EntriesResolveBelowTheLauncherFolder) {
  const std::map<std::wstring, std::vector<std::wstring>> listing = {
      {Native(L"\\app\\lib\\*.jar"), {L"a.jar", L"b.jar", Native(L"x;y.jar")}},
      {Native(L"\\app\\lib\\*"), {L"a.jar", L"classes"}},
      {Native(L"\\app\\app.jar"), {L"app.jar"}},
      {Native(L"\\\\srv\\*.jar"), {L"z.jar"}},
      {Native(L"\\app\\x;y\\*.jar"), {L"c.jar"}}};
  const NameSearch search = [&](const std::wstring& pattern) {
    const auto found = listing.find(pattern);
    return found == listing.end() ? std::vector<std::wstring>{} : found->second;
  };
  ScopedEnvironmentVariable lib(L"CLASS_PATH_TEST_LIB", L"lib");
  ScopedEnvironmentVariable empty(L"CLASS_PATH_TEST_EMPTY", L"");
  ScopedEnvironmentVariable split(L"CLASS_PATH_TEST_SPLIT", Native(L"x;y"));
  // Settings are written with "\" and ";" on every platform; absolute ones here in the host's.
  for (const auto& [setting, embed, classPath] :
       std::initializer_list<std::tuple<std::wstring, bool, const wchar_t*>>{
           {L"\\lib\\*.jar", false, L"\\app\\lib\\a.jar;\\app\\lib\\b.jar"}, // not "x;y.jar"
           {L"lib\\*", false, L"\\app\\lib\\a.jar;\\app\\lib\\classes"},
           {L"\\app.jar;;\\gone.jar;", false, L"\\app\\app.jar"},
           {L";", false, L""},
           {L"", true, L"\\app\\tool"},
           {L"\\app.jar", true, L"\\app\\tool;\\app\\app.jar"},
           {L"%CLASS_PATH_TEST_LIB%\\*;%CLASS_PATH_TEST_EMPTY%", false,
            L"\\app\\lib\\a.jar;\\app\\lib\\classes"},
           {Native(L"\\\\srv\\x.jar;;\\\\srv\\y.jar;"), false, L"\\\\srv\\x.jar;\\\\srv\\y.jar"},
           {Native(L"\\\\srv\\*.jar"), false, L"\\\\srv\\z.jar"},
           {L"%CLASS_PATH_TEST_SPLIT%\\*.jar;\\app.jar", false, L"\\app\\app.jar"}, // "x;y" folder
           {L".;\\app.jar", false, L".;\\app\\app.jar"}}) { // the current folder only where named
    EXPECT_EQ(BuildClassPath(setting, embed, Native(L"\\app\\tool"), search), Native(classPath))
        << ToUtf8(setting);
  }
  // A launcher folder whose name holds the list separator can name nothing.
  EXPECT_EQ(BuildClassPath(L"\\app.jar", true, Native(L"\\a;pp\\tool"), search), L"");
  testing::ScratchFolder folder; // the file system's listing
  folder.Write(L"lib/a.jar");
  EXPECT_EQ(BuildClassPath(L"\\lib\\*.jar;\\lib\\b.jar", false, folder.Path(L"tool")),
            folder.Path(L"lib/a.jar"));
}

TEST(ClassPath, LibraryAndSearchPathsListTheFoldersInOrder) {
  EXPECT_EQ(LibraryPathText(Native(L"/a;"), L"/app/", false, L"/lib"), Native(L"/a;/app/;.;/lib"));
  EXPECT_EQ(SearchPathText(Native(L"/a"), true, L"/bin"),
            Native(L"/a;%") + kSearchPathVariable + Native(L"%;/bin"));
  EXPECT_EQ(SearchPathText(L"", false, L"/bin") + NativePathListFromSetting(L"\\o\\a;b"),
            Native(L"/bin\\o\\a;b"));
}

// The class path comes first, then the command the JDK's tools show (main class and every
// argument, as typed), then the parameters, each expanded once more; then the streams, and the
// "Cmd" tokens after the command line's arguments.
TEST(ClassPath, VmOptionsInTheirOrder) {
  testing::ScratchFolder folder;
  folder.Write(L"lib/a.jar");
  ScopedEnvironmentVariable outer(L"CLASS_PATH_TEST_OUTER", L"%CLASS_PATH_TEST_INNER%");
  ScopedEnvironmentVariable inner(L"CLASS_PATH_TEST_INNER", L"in");
  const VmOptionSettings settings{L"\\lib\\a.jar",
                                  L"YES",
                                  L" -Xmx50P \"-Dn=a b\" -Xss1k -D%CLASS_PATH_TEST_OUTER%",
                                  L"%CLASS_PATH_TEST_INNER%\\out_%HH%.log",
                                  L"yes",
                                  L"err.log",
                                  L"Yes",
                                  L"a \"b c\" \"\" %CLASS_PATH_TEST_INNER%",
                                  L"p.Main"};
  VmLaunchState vm;
  std::vector<std::wstring> arguments{L"first%CLASS_PATH_TEST_INNER%"};
  ASSERT_TRUE(AssembleVmOptionsFrom(settings, folder.Path(L"tool"), vm, arguments, nullptr, [] {
    return MemoryFigures{1ULL << 30, 0};
  }));
  EXPECT_EQ(vm.vmOptions, (std::vector<std::string>{
                              ToAnsi(L"-Djava.class.path=" + folder.Path(L"tool") +
                                     kPathListSeparator + folder.Path(L"lib/a.jar")),
                              "-Dsun.java.command=p.Main first%CLASS_PATH_TEST_INNER% a b c in",
                              "-Xmx524288K", "-Dn=a b", "-Xss1k", "-D%CLASS_PATH_TEST_INNER%"}));
  EXPECT_EQ(vm.threadStackSize, 1024u);
  EXPECT_EQ(vm.outputFile + L"|" + vm.errorFile, Native(L"in\\out_%HH%.log|err.log"));
  EXPECT_TRUE(vm.appendOutput && !vm.appendError); // only "yes" in lower case appends
  EXPECT_EQ(arguments,
            (std::vector<std::wstring>{L"first%CLASS_PATH_TEST_INNER%", L"a", L"b c", L"in"}));
  EXPECT_EQ(vm.extraArguments, L"a \"b c\" \"\" in");
}

using Texts = std::vector<std::wstring>;
constexpr uint64_t kMax = UINT64_MAX;

// A parameter ends at the first blank outside quotes, and loses each pair of quotes; sizes are
// computed after unquoting, and the last -Xss sets the thread stack size.
TEST(VmParameters, SplitUnquoteSizeAndSetTheStackSize) {
  const struct {
    const wchar_t* value;
    size_t start, end;
  } ends[] = {{L"-ea -da", 0, 3},           {L"-D\"a b\" -ea", 0, 7}, {L"\"a b\"\"c d\" x", 0, 7},
              {L"\"a\" \"b\"", 0, 3},       {L"-D\"x y", 0, 4},       {L"-D\"xy", 0, 5},
              {L"a\"b\"c\"d e\" f", 0, 10}, {L"x -y", 2, 4}};
  for (const auto& c : ends) {
    EXPECT_EQ(FindParameterEnd(c.value, c.start), c.end) << c.value;
  }
  const struct {
    const wchar_t* parameter;
    const wchar_t* stripped;
  } quotes[] = {{L"-D\"a b\"", L"-Da b"}, {L"-D\"a\"\"b\"", L"-Da\"b\""},
                {L"\"a\"\"", L"a\""},     {L"-Dx=\"", L"-Dx=\""},
                {L"\"\"", L""},           {L"a\"b\"c\"d\"e", L"abcde"},
                {L"\"a\"b\"c", L"ab\"c"}};
  for (const auto& c : quotes) {
    EXPECT_EQ(StripQuotes(c.parameter), c.stripped) << c.parameter;
  }
  for (const auto& [value, options, stackSize] :
       std::initializer_list<std::tuple<const wchar_t*, Texts, uint64_t>>{
           {L"  -Xmx512m  \"-Dp=C:\\A B\" -Dy=\"\" ", {L"-Xmx512m", L"-Dp=C:\\A B", L"-Dy="}, 7},
           {L"", {}, 7},
           {L"-Xss2m -Xss1048576 -XSS1k", {L"-Xss2m", L"-Xss1048576", L"-XSS1k"}, 1048576},
           {L"-Xss2m -Xssbig", {L"-Xss2m", L"-Xssbig"}, 0}, // a non-size resets it
           {L"-Xss1P", {L"-Xss1024K"}, 1048576},            // 1 % of 100 MiB
           {L"\"-Xmx50P\" -Xms10:256P -Xmx50%", {L"-Xmx51200K", L"-Xms262144K", L"-Xmx50%"}, 7}}) {
    Texts workList;
    uint64_t size = 7;
    SplitVmParameters(value, workList, size, [] { return MemoryFigures{100ULL << 20, 0}; });
    EXPECT_EQ(workList, options) << value;
    EXPECT_EQ(size, stackSize) << value;
  }
  Texts workList;
  uint64_t size = 0;
  SplitVmParameters(L"-Xmx1g -Dp=50P", workList, size, [] {
    ADD_FAILURE() << "memory figures read for a parameter without a percentage";
    return MemoryFigures{};
  });
}

TEST(VmParameters, MemoryPercentagesBecomeKilobytes) {
  for (const wchar_t* yes : {L"-Xmx50P", L"-Xms10:256p", L"-Xss1T", L"-XmxP"}) {
    EXPECT_TRUE(IsMemoryPercentParameter(yes)) << yes;
  }
  for (const wchar_t* no : {L"-Xmx50%", L"-XMX50P", L"-Xmn50P", L"-Xm", L"-Dx=-Xmx50P", L"-XmxX"}) {
    EXPECT_FALSE(IsMemoryPercentParameter(no)) << no;
  }
  EXPECT_EQ(ParseNumberList(L"-Xmx25:512:2048p").numbers, (std::vector<uint64_t>{25, 512, 2048}));
  EXPECT_EQ(ParseNumberList(L"-Xmx:5x1P").numbers, (std::vector<uint64_t>{0, 51}));
  EXPECT_EQ(ParseNumberList(L"-Xmx5").numbers, std::vector<uint64_t>{0}); // 5 is the suffix
  EXPECT_EQ(ParseNumberList(L"-XmxP").prefixLength, 5u);
  EXPECT_EQ(ParseNumberList(L"-Xmx99999999999999999999:18446744073709551616P").numbers,
            (std::vector<uint64_t>{kMax, kMax}));
  const auto kb = [](uint64_t physicalKb, uint64_t virtualKb = 0) {
    return MemoryFigures{physicalKb * 1024, virtualKb * 1024};
  };
  for (const auto& [parameter, memory, expected] :
       std::initializer_list<std::tuple<const wchar_t*, MemoryFigures, const wchar_t*>>{
           {L"-Xmx50P", kb(8388608), L"-Xmx4194304K"},
           {L"-Xmx25:512:2048p", kb(16777216), L"-Xmx2097152K"}, // capped
           {L"-Xms10:256P", kb(1048576), L"-Xms262144K"},        // floored
           {L"-Xmx50:0:0T", kb(1, 137438953472ULL), L"-Xmx68719476736K"},
           {L"-XmxP", kb(1000), L"-XmxP0K"},
           {L"-Xmx100P", {2047, 0}, L"-Xmx1K"},                        // whole kilobytes, truncated
           {L"-Xmx50:0:99999999999999999999P", kb(1000), L"-Xmx500K"}, // a cap that overflows
           {L"-Xmx100000000000000P", {kMax, 0}, L"-Xmx18446744073709551615K"},
           {L"-Xmx1:18014398509481984P", kb(1), L"-Xmx18446744073709551615K"}}) {
    std::wstring text = parameter;
    ApplyMemoryPercent(text, memory);
    EXPECT_EQ(text, expected) << parameter;
  }
}

TEST(VmParameters, StackSizesWithUnits) {
  std::wstring sizes;
  for (const wchar_t* text :
       {L"512k", L"512K", L"2m", L"2M", L"1G", L"1g", L"7", L"16777215T", L"1_0m", L"", L"k",
        L"1:2m", L"12:", L"17179869184G", L"18446744073709551615", L"18446744073709551616"}) {
    sizes += std::to_wstring(ParseStackSize(text)) + L" ";
  }
  EXPECT_EQ(sizes, L"524288 524288 2097152 2097152 1073741824 1073741824 7 16777215 10485760 0 0 "
                   L"0 12 0 18446744073709551615 0 ");
}

// Friday, 4 December 2026, 14:05:09.007.
constexpr LocalTime kAfternoon{2026, 12, 5, 4, 14, 5, 9, 7};

TEST(DateTimePicture, TimeAndDateLetters) {
  for (const auto& [picture, expected] :
       {std::pair{L"h|hh|hhh|H|HH|m|mm|mmm|s|ss|t|tt|ttt", L"2|02|02|14|14|5|05|05|9|09|P|PM|PM"},
        {L"'h' h|'it''s'|''|''''|'open h", L"h 2|it's||'|open h"},
        {L"yyyy-MM-dd gg x.log/\\\u00e9", L"yyyy-MM-dd gg x.log/\\\u00e9"}}) {
    EXPECT_EQ(FormatTimePicture(picture, kAfternoon), expected) << picture;
  }
  std::wstring hours, names;
  for (int hour : {0, 1, 11, 12, 23}) {
    hours += FormatTimePicture(L"h tt HH H|", {2026, 1, 0, 1, hour});
  }
  EXPECT_EQ(hours, L"12 AM 00 0|1 AM 01 1|11 AM 11 11|12 PM 12 12|11 PM 23 23|");
  EXPECT_EQ(FormatDatePicture(L"d|dd|ddd|dddd|ddddd|M|MMM|MMMMM|y|yy|yyy|yyyyy|g|gg|'dd' HH tt",
                              kAfternoon),
            L"4|04|Fri|Friday|Friday|12|Dec|December|26|26|2026|2026|A.D.|A.D.|dd HH tt");
  EXPECT_EQ(FormatDatePicture(L"d|dd|M|MM|yy|yyy", {987, 3, 0, 5}), L"5|05|3|03|87|0987");
  for (int i = 0; i <= 13; ++i) { // names out of range are empty
    names += FormatDatePicture(L"ddd dddd ", {2026, 1, i, 1}) +
             FormatDatePicture(L"MMM MMMM|", {2026, i, 0, 1});
  }
  EXPECT_EQ(names,
            L"Sun Sunday  |Mon Monday Jan January|Tue Tuesday Feb February|Wed Wednesday Mar "
            L"March|Thu Thursday Apr April|Fri Friday May May|Sat Saturday Jun June|  Jul "
            L"July|  Aug August|  Sep September|  Oct October|  Nov November|  Dec December|   |");
}

// The text from the first to the last "%" is the picture: milliseconds for "L", then the time
// pass, then the date pass, which reads what the time pass wrote.
TEST(DateTimePicture, FileNames) {
  const struct {
    const wchar_t* name;
    const wchar_t* expected;
  } cases[] = {{L"out_%yyyy-MM-dd_HH-mm-ss%.log", L"out_2026-12-04_14-05-09.log"},
               {L"out.log", L"out.log"},
               {L"out%.log", L"out.log"},
               {L"a%%b", L"ab"},
               {L"a%HH%x%b", L"a14%xb"},
               {L"%ss.L-'L'%", L"09.7-7"},
               {L"%tt MM%", L"P12 12"},
               {L"%'hh' dd%", L"hh 04"},
               {L"%'dd'%", L"04"},
               {L"%'''dd'''%", L"dd"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandDateTimePicture(c.name, kAfternoon), c.expected) << c.name;
  }
}

// Cuts fall only between quoted texts, fields and other characters; a quoted text longer than
// a piece is quoted again in parts, a longer run of one letter is cut to its longest form.
TEST(DateTimePicture, LongPicturesGoInPieces) {
  std::wstring pieces;
  for (const wchar_t* picture :
       {L"", L"yyyy-MM", L"yyyy-MM-dd", L"x'ab'yyyy", L"HHHHHHHHHH", L"MMMMMMMMMMMM-d",
        L"-'abcdefghij'd", L"'ab''cdefg'", L"''''''''''", L"'abcdefghij"}) {
    for (const std::wstring& piece : SplitPicture(picture, kDatePictureLetters, 8)) {
      pieces += piece + L"|";
    }
    pieces += L" ";
  }
  EXPECT_EQ(pieces,
            L" yyyy-MM| yyyy-MM-|dd| x'ab'|yyyy| HHHHHHHH|HH| MMMMMMMM|-d| -|'abcdef'|'ghij'|d| "
            L"'ab''cd'|'efg'| ''''''''|''''| 'abcdef'|'ghij'| ");
}

// On a Western code page a path in other letters goes to the VM by its short name, when it
// has one that survives; a class path, entry by entry.
TEST(VmOptions, LostPathsGoByTheirShortNames) {
  const TextCheck latin1 = [](std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return unsigned(c) <= 0xFF; });
  };
  const std::map<std::wstring, std::wstring> shortNames = {
      {L"C:\\\u4e2d\\a.jar", L"C:\\ZH~1\\A.JAR"},
      {L"C:\\\u03a9", L"C:\\OM~1"},
      {L"C:\\\u03a9;x", L"C:\\SEMI~1"},
      {L"C:\\\u4e2d\\lossy", L"C:\\\u4e2d\\LO~1"},
      {L"C:\\plain.jar", L"C:\\PLAIN~1.JAR"}};
  const ShortNameLookup lookup = [&shortNames](const std::wstring& path) {
    const auto found = shortNames.find(path);
    return found == shortNames.end() ? std::nullopt : std::optional(found->second);
  };
  std::wstring options;
  for (const wchar_t* option :
       {L"-Djava.class.path=C:\\\u4e2d\\a.jar;C:\\plain.jar;C:\\\u4e2d\\gone.jar;",
        L"-Dhome=C:\\\u03a9", L"-Dhome=C:\\\u03a9;x", L"-Dlog=C:\\\u4e2d\\lossy",
        L"-Dplain=C:\\plain.jar", L"-javaagent:C:\\\u03a9"}) {
    options += WithShortNamesForLostPaths(option, latin1, lookup, L';') + L"\n";
  }
  EXPECT_EQ(options, L"-Djava.class.path=C:\\ZH~1\\A.JAR;C:\\plain.jar;C:\\\u4e2d\\gone.jar;\n"
                     L"-Dhome=C:\\OM~1\n-Dhome=C:\\SEMI~1\n" // a folder with ";" in its name
                     L"-Dlog=C:\\\u4e2d\\lossy\n"            // its short name is lossy too
                     L"-Dplain=C:\\plain.jar\n-javaagent:C:\\\u03a9\n"); // survives; no "="
}

} // namespace
} // namespace launcher
