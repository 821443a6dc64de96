// The terminal's "JRE Not Found" and "Java Exception" conversations, with a scripted user.

#include "ui/terminal_dialogs.h"

#include <deque>

#include <gtest/gtest.h>

#include "base/platform.h"
#include "jvm/discovery/jvm_layout.h"
#include "settings/launcher_settings.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

class ScriptedUser : public TerminalIo {
public:
  explicit ScriptedUser(std::deque<std::optional<std::wstring>> answers)
      : answers_(std::move(answers)) {}
  void Write(const std::wstring& text) override { screen += text; }
  std::optional<std::wstring> ReadLine() override {
    if (answers_.empty()) {
      ADD_FAILURE() << "asked once too often";
      return std::nullopt;
    }
    std::optional<std::wstring> answer = answers_.front();
    answers_.pop_front();
    if (answer) {
      screen += *answer + L"\n"; // the terminal echoes it
    }
    return answer;
  }
  std::wstring screen;

private:
  std::deque<std::optional<std::wstring>> answers_;
};

const std::wstring kIntro =
    L"message https://adoptium.net/\nIf you have a JRE installed, type its folder below (an empty "
    L"answer cancels).\n";

TEST(TerminalJreNotFound, AsksUntilAFolderHoldsAVmOrTheAnswerIsEmpty) {
  testing::ScratchFolder folder;
  const std::wstring server = folder.Path(L"jdk");
  folder.Write(L"jdk/" + JvmLibraryNames(JvmKind::kServer).front());
  const std::wstring nowhere = folder.Path(L"nowhere");
  const std::optional<std::wstring> end;
  const struct {
    std::deque<std::optional<std::wstring>> answers;
    intptr_t result;
    std::wstring screen;
  } cases[] = {
      {{L"  " + server + L"  "}, kDialogOk, kIntro + L"JRE Path:   " + server + L"  \n"},
      {{nowhere, server},
       kDialogOk,
       kIntro + L"JRE Path: " + nowhere + L"\nNo Java VM was found in " + nowhere +
           L"/.\nJRE Path: " + server + L"\n"},
      {{L""}, kDialogCancel, kIntro + L"JRE Path: \n"},
      {{L" \t"}, kDialogCancel, kIntro + L"JRE Path:  \t\n"},
      {{end}, kDialogCancel, kIntro + L"JRE Path: \n"},
      {{nowhere, end},
       kDialogCancel,
       kIntro + L"JRE Path: " + nowhere + L"\nNo Java VM was found in " + nowhere +
           L"/.\nJRE Path: \n"},
  };
  for (const auto& c : cases) {
    ScriptedUser user(c.answers);
    const JreChoice choice = AskForJreFolder(user, L"message", kJvmTypeServer);
    EXPECT_EQ(choice.result, c.result) << user.screen;
    EXPECT_EQ(user.screen, c.screen);
    if (c.result == kDialogOk) {
      EXPECT_EQ(choice.chosenFolder, server + L"/");
      EXPECT_EQ(choice.jvmDllPath, server + L"/" + JvmLibraryNames(JvmKind::kServer).front());
    }
  }
}

TEST(TerminalJavaException, IgnoreGoesOnAndEverythingElseStops) {
  const std::optional<std::wstring> end;
  const struct {
    std::deque<std::optional<std::wstring>> answers;
    intptr_t result;
  } cases[] = {
      {{L"i"}, kDialogOk},     {{L" Ignore "}, kDialogOk}, {{L"IGNORE"}, kDialogOk},
      {{L"s"}, kDialogCancel}, {{L"Stop"}, kDialogCancel}, {{L""}, kDialogCancel},
      {{end}, kDialogCancel},  {{L"no", L"i"}, kDialogOk}, {{L"?", end}, kDialogCancel},
  };
  for (const auto& c : cases) {
    ScriptedUser user(c.answers);
    EXPECT_EQ(AskIgnoreOrStop(user, L"java.lang.Error: x\n\tat A.main(A.java)"), c.result)
        << user.screen;
    EXPECT_EQ(user.screen.rfind(L"The java process has thrown the following uncaught "
                                L"exception:\njava.lang.Error: x\n\tat A.main(A.java)\nIgnore "
                                L"or Stop? [Stop] ",
                                0),
              0u)
        << user.screen;
  }
}

} // namespace
} // namespace launcher
