#include "jvm/discovery/image_file.h"

#include "base/files.h"
#include "jvm/discovery/image_architecture.h"

namespace launcher {

bool IsX86ImageFile(const std::wstring& path) {
  const std::string header = ReadFileStart(path, kElfHeaderBytes);
  return IsX86ElfImage(reinterpret_cast<const unsigned char*>(header.data()), header.size());
}

} // namespace launcher
