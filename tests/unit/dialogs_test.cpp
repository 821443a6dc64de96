// The rules of the launcher's dialogs: the user's link colour, where a dialog opens, how the
// controls of the exception dialog follow its size, the folder the "JRE Not Found" dialog keeps
// and what each dialog's answer leads to.

#include <gtest/gtest.h>

#include "base/platform.h"
#include "jvm/discovery/jvm_layout.h"
#include "settings/launcher_settings.h"
#include "ui/anchor_color.h"
#include "ui/dialog_choices.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_layout.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using testing::ScratchFolder;

TEST(AnchorColor, ReadsThreeNumbersAndRejectsWhatIsNoColour) {
  const std::optional<LinkColor> none;
  const struct {
    std::u16string text;
    std::optional<LinkColor> color;
  } cases[] = {
      {u"0,128,0", LinkColor{0, 128, 0}},
      {u"255,255,255", LinkColor{255, 255, 255}}, // the longest colour: 11 units
      {u" 1, +2,\t-0", LinkColor{1, 2, 0}},       // atoi's blanks and signs
      {u"1x,2y,3z", LinkColor{1, 2, 3}},          // digits up to the first other character
      {u"a,b,c", LinkColor{0, 0, 0}},             // no digits read as 0
      {u"256,-1,511", LinkColor{0, 255, 255}},    // each component is the low byte
      {u"1,2,3,4", LinkColor{1, 2, 3}},           // the third part ends at its first non-digit
      {u",,7", LinkColor{0, 0, 7}},
      {u"0,128", none},          // two numbers
      {u"0,128,", none},         // nothing after the second comma
      {u"", none},               //
      {u"0 128 0", none},        // no commas
      {u"0000,0000,000", none},  // 13 units: longer than the reading buffer holds
      {u"99999999999,1,", none}, //
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseAnchorColor(c.text), c.color)
        << std::string(c.text.begin(), c.text.end()); // ASCII cases only
  }
}

TEST(DialogLayout, ControlsFollowTheirFlagsFromTheirInitialRectangles) {
  const Rect initial{10, 20, 110, 60}; // 100 by 40
  const struct {
    unsigned flags;
    int dx, dy;
    Rect expected;
  } cases[] = {
      {0, 50, 30, initial},
      {kLayoutSizeX, 50, 30, {10, 20, 160, 60}},
      {kLayoutSizeY, 50, 30, {10, 20, 110, 90}},
      {kLayoutSizeX | kLayoutSizeY, 50, 30, {10, 20, 160, 90}},
      {kLayoutMoveX, 50, 30, {60, 20, 160, 60}},
      {kLayoutMoveY, 50, 30, {10, 50, 110, 90}},
      {kLayoutMoveX | kLayoutMoveY | kLayoutRepaint, 50, 30, {60, 50, 160, 90}},
      {kLayoutSizeX | kLayoutMoveY, 50, 30, {10, 50, 160, 90}},
      {kLayoutCentreX, 51, 31, {35, 20, 135, 60}},
      {kLayoutCentreY, 51, 31, {10, 35, 110, 75}},
      {kLayoutCentreX, -51, 0, {-15, 20, 85, 60}}, // halves truncate toward zero
      // Shrinking back to the initial size restores the initial rectangle exactly.
      {kLayoutSizeX | kLayoutSizeY | kLayoutMoveX | kLayoutMoveY, 0, 0, initial},
      {kLayoutSizeX | kLayoutSizeY, -10, -5, {10, 20, 100, 55}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArrangeControl({1, c.flags, initial}, c.dx, c.dy), c.expected)
        << "flags " << c.flags << " by " << c.dx << "," << c.dy;
  }
}

TEST(DialogLayout, TheExceptionDialogsTableInItsOrder) {
  const std::vector<std::pair<int, unsigned>> expected = {
      {209, kLayoutSizeX | kLayoutSizeY}, {210, kLayoutSizeX},
      {212, kLayoutSizeX | kLayoutMoveY}, {211, kLayoutSizeX | kLayoutMoveY},
      {208, kLayoutSizeX | kLayoutSizeY}, {1, kLayoutMoveX | kLayoutMoveY},
      {2, kLayoutMoveX | kLayoutMoveY}};
  std::vector<std::pair<int, unsigned>> actual;
  for (const LayoutRule& rule : ExceptionDialogLayout()) {
    actual.emplace_back(rule.controlId, rule.flags);
  }
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(kSizeGripRule.controlId, 59393);
  EXPECT_EQ(kSizeGripRule.flags, 0x1Cu);
}

TEST(DialogLayout, CentresOnTheOwnerOrTheWorkAreaAndStaysInside) {
  const Rect work{0, 0, 1280, 1000};
  const std::optional<Rect> none;
  const struct {
    int width, height;
    std::optional<Rect> owner;
    Rect workArea;
    Point expected;
  } cases[] = {
      {300, 200, none, work, {490, 400}},
      {301, 201, none, work, {490, 400}}, // 640 - 150, 500 - 100
      {300, 200, Rect{100, 100, 500, 300}, work, {150, 100}},
      // An owner near an edge: pushed back inside the work area.
      {300, 200, Rect{1100, 900, 1300, 1000}, work, {980, 800}},
      {300, 200, Rect{-300, -200, -100, -100}, work, {0, 0}},
      // Larger than the work area: left and top edges on the work area's.
      {1500, 1200, none, work, {0, 0}},
      {1500, 1200, none, Rect{100, 50, 1380, 1050}, {100, 50}},
      // A work area that does not start at zero, and odd sums truncated toward zero.
      {100, 100, none, Rect{-1281, -1001, 0, 0}, {-690, -550}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CentredPosition(c.width, c.height, c.owner, c.workArea), c.expected)
        << c.width << "x" << c.height;
  }
}

TEST(JreChoice, APickedFolderGetsExactlyOneTrailingSeparator) {
  EXPECT_EQ(ChosenFolderOf(L"C:\\Java\\jre8", L'\\'), L"C:\\Java\\jre8\\");
  EXPECT_EQ(ChosenFolderOf(L"C:\\", L'\\'), L"C:\\"); // a drive root
  EXPECT_EQ(ChosenFolderOf(L"", L'\\'), L"");
  EXPECT_EQ(ChosenFolderOf(L"/opt/jdk", L'/'), L"/opt/jdk/");
  EXPECT_EQ(ChosenFolderOf(L"/", L'/'), L"/");
}

// A folder with the VM library of one kind.
std::wstring Runtime(const ScratchFolder& folder, const std::wstring& name, JvmKind kind) {
  folder.Write(name + L"/" + JvmLibraryNames(kind).front());
  return folder.Path(name);
}

TEST(JreChoice, OkIsEnabledExactlyWhileThePickedFolderHoldsAVmTheTypeAccepts) {
  ScratchFolder folder;
  const std::wstring client = Runtime(folder, L"client", JvmKind::kClient);
  const std::wstring server = Runtime(folder, L"server", JvmKind::kServer);
  const std::wstring empty = folder.MakeFolder(L"empty");

  JreChoice choice;
  TakePickedFolder(choice, empty, kJvmTypeAny);
  EXPECT_EQ(choice.chosenFolder, empty + kPathSeparator);
  EXPECT_EQ(choice.jvmDllPath, L"");
  EXPECT_FALSE(choice.okEnabled);

  TakePickedFolder(choice, client, kJvmTypeAny);
  EXPECT_EQ(choice.jvmDllPath, client + kPathSeparator + JvmLibraryNames(JvmKind::kClient).front());
  EXPECT_TRUE(choice.okEnabled);

  // "server" accepts only a server VM.
  TakePickedFolder(choice, client, kJvmTypeServer);
  EXPECT_FALSE(choice.okEnabled);
  TakePickedFolder(choice, server + kPathSeparator, kJvmTypeServer);
  EXPECT_EQ(choice.chosenFolder, server + kPathSeparator);
  EXPECT_EQ(choice.jvmDllPath, server + kPathSeparator + JvmLibraryNames(JvmKind::kServer).front());
  EXPECT_TRUE(choice.okEnabled);

  // A later folder without a runtime takes OK away again, so it never hands on no runtime.
  TakePickedFolder(choice, empty, kJvmTypeAny);
  EXPECT_EQ(choice.jvmDllPath, L"");
  EXPECT_FALSE(choice.okEnabled);
}

TEST(DialogResults, OnlyOkGoesOnAndOnlyIgnoreKeepsTheApplication) {
  for (const intptr_t result : {kDialogOk, kDialogCancel, kDialogNotShown, intptr_t{0}}) {
    JreChoice choice;
    choice.result = result;
    EXPECT_EQ(AcceptsJreChoice(choice), result == 1) << result;
    EXPECT_EQ(StopsApplication(result), result != 1) << result;
  }
  EXPECT_EQ(kIdcIgnore, kDialogOk);
  EXPECT_EQ(kIdcStop, kDialogCancel);
}

} // namespace
} // namespace launcher
