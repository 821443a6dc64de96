#include "jvm/discovery/image_architecture.h"

#include <gtest/gtest.h>

#include "base/module_path.h"
#include "jvm/discovery/image_file.h"
#include "jvm/discovery/image_layout.h"
#include "unit/support/image_bytes.h"
#include "unit/support/scratch_folder.h"

namespace launcher {
namespace {

using namespace test;
constexpr uint16_t kX86 = kPeMachineX86;

// Each field is read only when it lies inside the file; ELF fields in the file's byte order.
TEST(Image, Architecture) {
  const std::string pe = MakePeBytes(512, 0x80, kX86);
  for (const auto& [bytes, machine] :
       std::initializer_list<std::pair<std::string, std::optional<uint16_t>>>{
           {pe, kX86},
           {MakePeBytes(512, 0x40, kPeMachineAmd64), kPeMachineAmd64},
           {MakePeBytes(0x46, 0x40, kX86), kX86},
           {MakePeBytes(0x45, 0x40, kX86), {}},
           {MakePeBytes(0x80, 0x80, kX86), {}},
           {MakePeBytes(512, 0x7FFFFFFF, kX86), {}},
           {MakePeBytes(512, INT32_MIN, kX86), {}},
           {MakePeBytes(63, 0x30, kX86), {}},
           {MakePeBytes(64, 0x30, kX86), kX86},
           {"", {}},
           {"MX" + pe.substr(2), {}},
           {pe.substr(0, 0x83) + "\1" + pe.substr(0x84), {}}}) {
    EXPECT_EQ(ReadPeMachine(Bytes(bytes), bytes.size()), machine) << bytes.size();
    EXPECT_EQ(IsX86PeImage(Bytes(bytes), bytes.size()), machine == kX86) << bytes.size();
  }
  for (const auto& [bytes, bits, machine] :
       std::initializer_list<std::tuple<std::string, int, uint16_t>>{
           {MakeElfBytes(2, 1, kElfMachineX86_64), 64, kElfMachineX86_64},
           {MakeElfBytes(1, 2, kElfMachineX86), 32, kElfMachineX86},
           {MakeElfBytes(2, 2, kElfMachineAarch64), 64, kElfMachineAarch64},
           {MakeElfBytes(1, 1, kElfMachineX86_64), 32, kElfMachineX86_64},
           {MakeElfBytes(1, 1, kElfMachineX86, kElfHeaderBytes), 32, kElfMachineX86},
           {MakeElfBytes(1, 1, kElfMachineX86, kElfHeaderBytes - 1), 0, 0},
           {MakeElfBytes(3, 1, 3), 0, 0},
           {MakeElfBytes(1, 3, 3), 0, 0},
           {"\x7F"
            "ELG" +
                MakeElfBytes(1, 1, 3).substr(4),
            0, 0},
           {pe, 0, 0}}) {
    const std::optional<ElfImageKind> kind = ReadElfImageKind(Bytes(bytes), bytes.size());
    EXPECT_EQ(kind ? kind->machine + (kind->is64Bit ? 64000 : 32000) : 0, machine + bits * 1000);
    EXPECT_EQ(IsX86ElfImage(Bytes(bytes), bytes.size()), bits == 32 && machine == kElfMachineX86);
    EXPECT_EQ(Is64BitElfImageFor(Bytes(bytes), bytes.size(), kElfMachineX86_64),
              bits == 64 && machine == kElfMachineX86_64);
  }
  testing::ScratchFolder folder; // and read from a file on disk, checked against its size
  EXPECT_TRUE(IsX86ImageFile(folder.Write(L"x86", HostVmImage(true))));
  int error = 0;
  for (const std::wstring& path :
       {folder.Write(L"native", HostVmImage(false)), folder.Write(L"text", "not a library\r\n"),
        folder.Path(L"gone"), folder.path(), ReadModulePath(error).value_or(L"")}) {
    EXPECT_FALSE(IsX86ImageFile(path));
  }
}

// What the headers place in the file must lie inside it. Every read lies inside the file, and
// only the headers are read.
TEST(Image, Layout) {
  constexpr uint32_t kLoad = 1;
  const auto elf = [](std::vector<ElfSegment> segments, unsigned char elfClass = 2,
                      unsigned char encoding = 1, uint64_t table = 64) {
    return MakeElfWithSegments(elfClass, encoding, table, segments, 4096);
  };
  const auto pe = [](std::vector<PeSection> sections, uint16_t optional = 240) {
    return MakePeWithSections(optional, sections, 4096);
  };
  const std::string shortPe = pe({}).substr(0, 63), shortElf = elf({}).substr(0, 15);
  // Files to check as ELF (E) or PE (P), and the layout found: complete (c), truncated (t) or
  // not an image (n).
  for (const auto& [file, kind, layout] :
       std::initializer_list<std::tuple<std::string, char, char>>{
           {elf({{kLoad, 0, 0x800}, {2, 1ull << 40, 8}}), 'E', 'c'},
           {elf({{kLoad, 4000, 96}}, 1, 2, 52), 'E', 'c'},
           {elf({{kLoad, 0, 0x800}, {kLoad, 0x800, 0x801}}), 'E', 't'},
           {elf({{kLoad, UINT64_MAX - 15, 32}}), 'E', 't'},
           {elf({{kLoad, 0, 16}}, 2, 1, 4040), 'E', 'c'},
           {elf({{kLoad, 0, 16}}, 2, 1, 4041), 'E', 't'},
           {elf({{kLoad, 0, 16}}, 2, 1, UINT64_MAX - 8), 'E', 't'},
           {elf({}).substr(0, 63), 'E', 't'},
           {elf({}, 1).substr(0, 51), 'E', 't'},
           {shortElf, 'E', 't'},
           {elf({{kLoad, 0, 16}}).replace(54, 1, 1, '\x20'), 'E', 'n'},
           {elf({}, 3).substr(0, 16), 'E', 'n'},
           {pe({{0x400, 0x200}, {0xE00, 0x200}, {0xFFFFFFFF, 0}}), 'P', 'c'},
           {pe({{0x400, 0x200}, {0xE00, 0x201}}), 'P', 't'},
           {pe({{0xFFFFFFFF, 0xFFFFFFFF}}), 'P', 't'},
           {pe({{0x400, 0x200}}, 4096 - 0x80 - 64), 'P', 'c'},
           {pe({{0x400, 0x200}}, 4096 - 0x80 - 63), 'P', 't'},
           {shortPe, 'P', 't'},
           {MakePeBytes(4096, 4096 - 23, 0x8664), 'P', 't'},
           {MakePeBytes(4096, -4, 0x8664), 'P', 'n'},
           {MakePeBytes(4096, 0x80, 0).replace(0x82, 1, "x"), 'P', 'n'},
           {"", 'P', 'n'}}) {
    size_t bytesRead = 0;
    const ImageByteReader read = [&, &file = file](uint64_t offset, size_t count,
                                                   std::string& out) {
      EXPECT_LE(offset + count, file.size());
      bytesRead += count;
      out = file.substr(static_cast<size_t>(offset), count);
      return true;
    };
    const ImageLayout found =
        kind == 'E' ? CheckElfLayout(file.size(), read) : CheckPeLayout(file.size(), read);
    EXPECT_EQ("cnt"[static_cast<int>(found)], layout) << kind << " " << file.size();
    EXPECT_LE(bytesRead, 1024u);
  }
  const std::string file = pe({{0x400, 0x200}}); // a reader that hands back half, or fails
  EXPECT_EQ(CheckPeLayout(file.size(),
                          [&](uint64_t offset, size_t count, std::string& out) {
                            out = file.substr(static_cast<size_t>(offset), count / 2);
                            return true;
                          }),
            ImageLayout::kTruncated);
  EXPECT_EQ(CheckElfLayout(9, [](uint64_t, size_t, std::string&) { return false; }),
            ImageLayout::kTruncated);
}

} // namespace
} // namespace launcher
