#include "jvm/discovery/image_architecture.h"

#include <gtest/gtest.h>

#include "unit/support/image_bytes.h"

namespace launcher {
namespace {

using test::Bytes;
using test::MakeElfBytes;
using test::MakePeBytes;

struct PeCase {
  const char* name;
  std::string bytes;
  std::optional<uint16_t> machine;
};

class PeHeaderTest : public ::testing::TestWithParam<PeCase> {};

TEST_P(PeHeaderTest, ReadsMachineOnlyWhenEveryFieldLiesInsideTheFile) {
  const PeCase& c = GetParam();
  EXPECT_EQ(ReadPeMachine(Bytes(c.bytes), c.bytes.size()), c.machine);
  EXPECT_EQ(IsX86PeImage(Bytes(c.bytes), c.bytes.size()), c.machine == kPeMachineX86);
}

INSTANTIATE_TEST_SUITE_P(
    Images, PeHeaderTest,
    ::testing::Values(
        PeCase{"x86", MakePeBytes(512, 0x80, kPeMachineX86), kPeMachineX86},
        PeCase{"x64", MakePeBytes(512, 0x80, kPeMachineAmd64), kPeMachineAmd64},
        PeCase{"headersAtTheVeryEnd", MakePeBytes(0x86, 0x80, kPeMachineX86), kPeMachineX86},
        PeCase{"machineCutOff", MakePeBytes(0x85, 0x80, kPeMachineX86), std::nullopt},
        PeCase{"signatureCutOff", MakePeBytes(0x82, 0x80, kPeMachineX86), std::nullopt},
        PeCase{"lfanewAtEnd", MakePeBytes(0x80, 0x80, kPeMachineX86), std::nullopt},
        PeCase{"lfanewPastEnd", MakePeBytes(512, 0x7FFFFFFF, kPeMachineX86), std::nullopt},
        PeCase{"lfanewNegative", MakePeBytes(512, -4, kPeMachineX86), std::nullopt},
        PeCase{"lfanewMostNegative", MakePeBytes(512, INT32_MIN, kPeMachineX86), std::nullopt},
        PeCase{"sixtyThreeBytes", MakePeBytes(63, 0x80, kPeMachineX86), std::nullopt},
        PeCase{"empty", std::string(), std::nullopt},
        PeCase{"noMz", "ZM" + MakePeBytes(512, 0x80, kPeMachineX86).substr(2), std::nullopt},
        PeCase{"badSignature",
               [] {
                 std::string bytes = MakePeBytes(512, 0x80, kPeMachineX86);
                 bytes[0x83] = 1; // "PE\0\1"
                 return bytes;
               }(),
               std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct ElfCase {
  const char* name;
  std::string bytes;
  std::optional<bool> is64Bit; // nothing: not an ELF image
  uint16_t machine;
  bool x86;
};

class ElfHeaderTest : public ::testing::TestWithParam<ElfCase> {};

TEST_P(ElfHeaderTest, ReadsClassAndMachineInTheFilesByteOrder) {
  const ElfCase& c = GetParam();
  const std::optional<ElfImageKind> kind = ReadElfImageKind(Bytes(c.bytes), c.bytes.size());
  ASSERT_EQ(kind.has_value(), c.is64Bit.has_value());
  if (kind) {
    EXPECT_EQ(kind->is64Bit, *c.is64Bit);
    EXPECT_EQ(kind->machine, c.machine);
  }
  EXPECT_EQ(IsX86ElfImage(Bytes(c.bytes), c.bytes.size()), c.x86);
}

INSTANTIATE_TEST_SUITE_P(
    Images, ElfHeaderTest,
    ::testing::Values(
        ElfCase{"x86_64", MakeElfBytes(2, 1, kElfMachineX86_64), true, kElfMachineX86_64, false},
        ElfCase{"x86", MakeElfBytes(1, 1, kElfMachineX86), false, kElfMachineX86, true},
        ElfCase{"bigEndianX86", MakeElfBytes(1, 2, kElfMachineX86), false, kElfMachineX86, true},
        ElfCase{"aarch64", MakeElfBytes(2, 1, kElfMachineAarch64), true, kElfMachineAarch64, false},
        ElfCase{"x86_64HeaderClaiming32Bit", MakeElfBytes(1, 1, kElfMachineX86_64), false,
                kElfMachineX86_64, false},
        ElfCase{"exactlyTheHeaderBytes", MakeElfBytes(1, 1, kElfMachineX86, kElfHeaderBytes), false,
                kElfMachineX86, true},
        ElfCase{"machineCutOff", MakeElfBytes(1, 1, kElfMachineX86, kElfHeaderBytes - 1),
                std::nullopt, 0, false},
        ElfCase{"classUnknown", MakeElfBytes(3, 1, kElfMachineX86), std::nullopt, 0, false},
        ElfCase{"peImage", MakePeBytes(512, 0x80, kPeMachineX86), std::nullopt, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ElfHeaderTest, SixtyFourBitImageMustMatchTheAskedMachine) {
  const std::string image = MakeElfBytes(2, 1, kElfMachineX86_64);
  EXPECT_TRUE(Is64BitElfImageFor(Bytes(image), image.size(), kElfMachineX86_64));
  EXPECT_FALSE(Is64BitElfImageFor(Bytes(image), image.size(), kElfMachineAarch64));
  const std::string x86 = MakeElfBytes(1, 1, kElfMachineX86_64);
  EXPECT_FALSE(Is64BitElfImageFor(Bytes(x86), x86.size(), kElfMachineX86_64));
}

} // namespace
} // namespace launcher
