// fuzz_platform_stub.cpp: the platform seam for the fuzz targets. Message boxes are
// answered at once and recorded nowhere: the fuzzers only look for crashes.
#include "platform/platform.h"

std::int32_t platformMessageBox(const char*, const char*, std::uint32_t flags) { return (flags & MB_YESNO) ? IDNO : IDOK; }
