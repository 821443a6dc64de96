#include <cstring>
#include <iterator>
#include <utility>

#include "fake_vm.h"
#include "jni_slots.h"
#include "log_record.h"

namespace fake_jvm {
namespace {

constexpr const char* kSlotNames[] = {
#include "jni_slot_names.inc"
};

constexpr size_t kSlotCount = sizeof(JNINativeInterface_) / sizeof(void*);
constexpr size_t kReservedSlots = 4; // reserved0..3 stay null, as in a real VM

[[noreturn]] void ReportUnexpected(size_t index) {
  const std::string name =
      index < std::size(kSlotNames) ? kSlotNames[index] : "slot " + std::to_string(index);
  LogRecord("unexpected").Ascii("slot", name).Number("index", static_cast<long long>(index));
  AbortVm("unexpected call " + name);
}

// Every slot gets a stub of its own, so the report can name the slot. Arguments are never
// read: on x86-64 the caller cleans up, whatever the real signature of the slot.
template <size_t kIndex> void JNICALL UnexpectedSlot() {
  ReportUnexpected(kIndex);
}

template <size_t... kIndexes> void FillStubs(void** slots, std::index_sequence<kIndexes...>) {
  ((slots[kIndexes] = reinterpret_cast<void*>(&UnexpectedSlot<kIndexes>)), ...);
}

} // namespace

void FillUnexpectedSlots(JNINativeInterface_& table) {
  void* slots[kSlotCount];
  FillStubs(slots, std::make_index_sequence<kSlotCount>());
  for (size_t i = 0; i < kReservedSlots; ++i) {
    slots[i] = nullptr;
  }
  std::memcpy(&table, slots, sizeof table);
}

const JNINativeInterface_* NativeInterface() {
  static const JNINativeInterface_ table = [] {
    JNINativeInterface_ filled;
    FillUnexpectedSlots(filled);
    FillClassSlots(filled);
    FillObjectSlots(filled);
    FillTextSlots(filled);
    return filled;
  }();
  return &table;
}

} // namespace fake_jvm
