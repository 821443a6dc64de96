#include "jvm/hosting/vm_options.h"

#include "base/command_line.h"
#include "base/environment.h"
#include "base/message_ids.h"
#include "base/platform.h"
#include "base/string_table.h"
#include "base/text.h"
#include "jvm/hosting/class_path.h"
#include "jvm/hosting/vm_option_paths.h"
#include "jvm/hosting/vm_parameters.h"
#include "settings/settings_keys.h"
#include "settings/settings_reader.h"

namespace launcher {
namespace {

// A stream file name: expanded, in the platform's separators.
std::wstring StreamFileName(std::wstring name) {
  if (!name.empty()) {
    ExpandEnvironment(name);
  }
  return NativePathFromSetting(std::move(name));
}

} // namespace

std::wstring JavaCommandOption(const std::wstring& mainClass,
                               const std::vector<std::wstring>& arguments) {
  std::wstring option = L"-Dsun.java.command=" + mainClass;
  for (const std::wstring& argument : arguments) {
    option += L' ';
    option += argument;
  }
  return option;
}

VmOptionSettings ReadVmOptionSettings(const SettingsReader& reader) {
  VmOptionSettings settings;
  settings.classPath = reader.Get(kSectionClassPath, kKeyClassPath);
  settings.embeddedJar = reader.Get(kSectionApplication, kKeyEmbeddedJar);
  settings.vmParameters = reader.Get(kSectionJavaRuntime, kKeyVirtualMachineParameters);
  settings.outputFile = reader.Get(kSectionApplication, kKeyOutputFile);
  settings.outputAppend = reader.Get(kSectionApplication, kKeyOutputAppend);
  settings.errorFile = reader.Get(kSectionApplication, kKeyErrorFile);
  settings.errorAppend = reader.Get(kSectionApplication, kKeyErrorAppend);
  settings.cmd = reader.Get(kSectionApplication, kKeyCmd);
  settings.mainClass = ReplaceAll(reader.Get(kSectionJavaRuntime, kKeyMainClass), L'/', L'.');
  return settings;
}

bool AssembleVmOptionsFrom(const VmOptionSettings& settings, const std::wstring& modulePath,
                           VmLaunchState& vm, std::vector<std::wstring>& arguments,
                           WindowHandle messageOwner, const MemoryFigureSource& memory) {
  const bool embedJar = EqualsIgnoringAsciiCase(settings.embeddedJar, L"Yes");
  const std::wstring classPath = BuildClassPath(settings.classPath, embedJar, modulePath);
  if (classPath.empty()) {
    ShowErrorMessage(messageOwner, LoadResourceString(kMsgClassPathMissing));
    return false;
  }

  // The "Cmd" tokens first: the command the JDK's tools show holds them too.
  vm.extraArguments = settings.cmd;
  if (!vm.extraArguments.empty()) {
    ExpandEnvironment(vm.extraArguments);
    std::vector<std::wstring> tokens;
    SplitCommandLine(vm.extraArguments, tokens);
    for (std::wstring& token : tokens) {
      if (!token.empty()) {
        arguments.push_back(std::move(token));
      }
    }
  }

  std::vector<std::wstring> workList;
  workList.push_back(L"-Djava.class.path=" + classPath);
  SplitVmParameters(settings.vmParameters, workList, vm.threadStackSize, memory);
  for (size_t i = 0; i < workList.size(); ++i) {
    ExpandEnvironment(workList[i]);
    vm.vmOptions.push_back(NarrowVmOption(workList[i]));
    // The arguments are the user's words: a "%" in them stays as typed.
    if (i == 0 && !settings.mainClass.empty()) {
      vm.vmOptions.push_back(NarrowVmOption(JavaCommandOption(settings.mainClass, arguments)));
    }
  }
  vm.classPathOption = std::move(workList.front());

  vm.outputFile = StreamFileName(settings.outputFile);
  vm.appendOutput = settings.outputAppend == L"yes";
  vm.errorFile = StreamFileName(settings.errorFile);
  vm.appendError = settings.errorAppend == L"yes";
  return true;
}

bool AssembleVmOptions(const SettingsReader& settingsFile, const std::wstring& modulePath,
                       VmLaunchState& vm, std::vector<std::wstring>& arguments,
                       WindowHandle messageOwner) {
  return AssembleVmOptionsFrom(ReadVmOptionSettings(settingsFile), modulePath, vm, arguments,
                               messageOwner);
}

} // namespace launcher
