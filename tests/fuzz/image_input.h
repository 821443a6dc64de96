#pragma once

// A fuzz input taken as an image file, so that the layout rules reach their table and segment
// checks without the fuzzer having to write megabytes: the first 8 bytes are the declared
// file size (little endian), the rest the file's leading bytes; past them the file reads as
// zeros. A read outside the declared size aborts: the rules must never ask for one.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "jvm/discovery/image_layout.h"

class ImageInput {
public:
  ImageInput(const uint8_t* data, size_t size) {
    for (size_t i = 0; i < 8 && i < size; ++i) {
      declaredSize_ |= static_cast<uint64_t>(data[i]) << (8 * i);
    }
    if (size > 8) {
      const size_t kept = static_cast<size_t>(std::min<uint64_t>(size - 8, declaredSize_));
      leading_.assign(data + 8, data + 8 + kept);
    }
  }

  uint64_t declaredSize() const { return declaredSize_; }
  // Exactly the leading bytes, in a buffer of their own so that AddressSanitizer sees any read
  // past them.
  const std::vector<unsigned char>& leading() const { return leading_; }
  const unsigned char* leadingData() const { return leading_.empty() ? nullptr : leading_.data(); }

  launcher::ImageByteReader Reader() const {
    return [this](uint64_t offset, size_t count, std::string& out) {
      if (offset > declaredSize_ || declaredSize_ - offset < count) {
        abort();
      }
      out.assign(count, '\0');
      for (size_t i = 0; i < count && offset + i < leading_.size(); ++i) {
        out[i] = static_cast<char>(leading_[static_cast<size_t>(offset) + i]);
      }
      return true;
    };
  }

private:
  uint64_t declaredSize_ = 0;
  std::vector<unsigned char> leading_;
};
