#include "ui/dialog_choices.h"

#include "base/path_rules.h"
#include "jvm/discovery/runtime_search.h"

namespace launcher {

std::wstring ChosenFolderOf(const std::wstring& picked, wchar_t separator) {
  return picked.empty() ? picked : EnsureTrailingSeparator(picked, separator);
}

void TakePickedFolder(JreChoice& choice, const std::wstring& picked, int32_t jvmType,
                      wchar_t separator) {
  choice.chosenFolder = ChosenFolderOf(picked, separator);
  choice.jvmDllPath = FindJvmLibrary(choice.chosenFolder, jvmType).path;
  choice.okEnabled = !choice.jvmDllPath.empty();
}

} // namespace launcher
