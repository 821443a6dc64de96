#include "jvm/discovery/image_file.h"

#include "base/path_rules.h"
#include "base/scoped_handle_win.h"
#include "jvm/discovery/image_architecture.h"

namespace launcher {
namespace {

// A read-only view of a whole file, released in the reverse order of acquisition: the view,
// then the mapping, then the file.
class PeImageFile {
public:
  explicit PeImageFile(const std::wstring& path) {
    file_.reset(CreateFileW(WithLongPathPrefix(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_.valid()) {
      return;
    }
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(file_.get(), &fileSize) || fileSize.QuadPart <= 0) {
      return; // an empty file cannot be mapped and is no image
    }
    mapping_.reset(CreateFileMappingW(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping_.valid()) {
      return;
    }
    view_ =
        static_cast<const unsigned char*>(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
    if (view_ != nullptr) {
      size_ = static_cast<size_t>(fileSize.QuadPart);
    }
  }
  ~PeImageFile() {
    if (view_ != nullptr) {
      UnmapViewOfFile(view_);
    }
  }
  PeImageFile(const PeImageFile&) = delete;
  PeImageFile& operator=(const PeImageFile&) = delete;

  // The headers are read from the mapped bytes with every offset checked against the file
  // size, rather than through the debug-help library's ImageNtHeader, which trusts e_lfanew
  // and would read past the view of a truncated or hostile file.
  bool IsX86Image() const { return view_ != nullptr && IsX86PeImage(view_, size_); }

private:
  ScopedHandle file_;
  ScopedHandle mapping_;
  const unsigned char* view_ = nullptr;
  size_t size_ = 0;
};

} // namespace

bool IsX86ImageFile(const std::wstring& path) {
  if (path.empty()) {
    return false;
  }
  return PeImageFile(path).IsX86Image();
}

} // namespace launcher
