// fuzz_platform_stub.cpp: the platform seam for the fuzz targets. Message boxes are
// answered at once and recorded nowhere: the fuzzers only look for crashes.
#include "app/platform.h"

i32 platformMessageBox(const char*, const char*, u32 flags) { return (flags & MB_YESNO) ? IDNO : IDOK; }
