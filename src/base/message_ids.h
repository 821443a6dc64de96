#pragma once

// Ids of the string table entries (messages.def holds their texts, messages_posix.def those of
// the Linux build only).
namespace launcher {

enum MessageId : int {
  kMsgWindowsException = 202,
  kMsgJniException = 203,
  kMsgComError = 204,
  kMsgJniExceptionShort = 205,
  kMsgJreNotFoundServer = 206,
  kMsgJreNotFound = 207,
  kMsgModulePathFailed = 208,
  kMsgClassPathMissing = 209,
  kMsgMainClassMissing = 210,
  kMsgMainClassLoadFailed = 211,
  kMsgCreateJavaVmMissing = 212,
  kMsgCreateVmFailed = 213,
  kMsgBrowseForJre = 214,
  kMsgMainClassNotFound = 215,
  kMsgMainMethodNotFound = 216,
  kMsgLatestVersion = 217,
  kMsgMaximumVersion = 218,
  kMsgMinimumVersion = 219,
  kMsgExactVersion = 220,
  kMsgVersionRange = 221,
  kMsgVmLibraryLoadFailed = 222,
  kMsgFailedToInitialize = 223,
  kMsgFailedToInitializeModule = 224,
  kMsgReasonUnknown = 225,
  kMsgReasonDetached = 226,
  kMsgReasonVersion = 227,
  kMsgReasonNoMemory = 228,
  kMsgReasonExists = 229,
  kMsgReasonInvalid = 230,
  kMsgSettingsFileTooLarge = 240,

  // Linux only (messages_posix.def).
  kMsgLibraryLoadFailedPosix = 250,
  kMsgNotRegularFilePosix = 251,
  kMsgNotSharedLibraryPosix = 252,
  kMsgTruncatedImagePosix = 253,
  kMsgMissingExportPosix = 254,
  kMsgJreFolderHintPosix = 255,
  kMsgJreFolderPromptPosix = 256,
  kMsgNoJvmInFolderPosix = 257,
  kMsgExceptionIntroPosix = 258,
  kMsgIgnoreOrStopPosix = 259,
};

} // namespace launcher
