#pragma once

// A fresh temporary folder, removed with everything in it; an environment variable changed for
// the length of a test.

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

  const std::wstring& path() const { return path_; } // without a trailing separator
  // path() joined with a relative name whose "/" are read as the host's separator.
  std::wstring Path(std::wstring_view name) const;
  // Writes a file, creating its folders, and returns its path.
  std::wstring Write(std::wstring_view name, std::string_view bytes = "") const;
  std::wstring MakeFolder(std::wstring_view name) const;

private:
  std::wstring path_;
};

// The old value comes back afterwards; an unset one comes back empty.
class ScopedEnvironmentVariable {
public:
  ScopedEnvironmentVariable(std::wstring name, const std::wstring& value);
  ~ScopedEnvironmentVariable();

private:
  std::wstring name_;
  std::optional<std::wstring> old_;
};

} // namespace launcher::testing
