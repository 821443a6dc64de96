// A library that imports a function from a DLL that is never installed, so that loading it
// fails the way a runtime with a missing dependency does (ERROR_MOD_NOT_FOUND).
extern "C" __declspec(dllimport) int FakeJvmAbsentFunction();

extern "C" __declspec(dllexport) int FakeJvmUsesAbsentDependency() {
  return FakeJvmAbsentFunction();
}
