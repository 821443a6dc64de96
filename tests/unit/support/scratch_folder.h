#pragma once

// Test helpers: a fresh temporary folder that is removed with everything in it, and an
// environment variable set for the length of a test.

#include <optional>
#include <string>
#include <string_view>

namespace launcher::testing {

class ScratchFolder {
public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, without a trailing separator.
  const std::wstring& path() const { return path_; }
  // path() joined with a relative name, "/" in name read as the host's separator.
  std::wstring Path(std::wstring_view name) const;
  // Writes a file below the folder (its folders must exist) and returns its path.
  std::wstring Write(std::wstring_view name, std::string_view bytes) const;

private:
  std::wstring path_;
};

// Sets a variable and puts the old value back afterwards (an unset one comes back empty).
class ScopedEnvironmentVariable {
public:
  ScopedEnvironmentVariable(std::wstring name, const std::wstring& value);
  ~ScopedEnvironmentVariable();
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
  std::wstring name_;
  std::optional<std::wstring> old_;
};

// Makes a folder the current one and goes back to the old one afterwards.
class ScopedCurrentFolder {
public:
  explicit ScopedCurrentFolder(const std::wstring& path);
  ~ScopedCurrentFolder();
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

private:
  std::wstring old_;
};

// UTF-16 bytes of a text in either byte order, with the byte-order mark.
std::string Utf16Bytes(std::wstring_view text, bool littleEndian);

} // namespace launcher::testing
