/* A library with nothing in it but its architecture. The runtime-search cases install it as
   a jvm.dll, built once for 32-bit x86 and once for x86-64, to show which images the
   launcher hands to the paired program and which it loads itself. */

__declspec(dllexport) int TinyLibraryArchitecture(void) {
  return (int)(sizeof(void*) * 8);
}
