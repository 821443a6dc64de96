// The dependency that the missing-dependency variant imports from; built only for its import
// library and never copied next to that variant.
extern "C" __declspec(dllexport) int FakeJvmAbsentFunction() {
  return 0;
}
