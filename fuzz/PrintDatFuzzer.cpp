// Any Print.Dat must read without undefined behaviour into values in their ranges, and settle:
// written, read and written again it gives the same bytes.
#include "reports/PrintSettings.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const PrintSettings read = PrintDat::read(input);
    if (!std::isfinite(read.fontSize) || read.fontSize < PrintSettings::minimumFontSize ||
        read.fontSize > PrintSettings::maximumFontSize || read.orientation < 0 || read.orientation > 1 ||
        read.shading < 1 || read.shading > PrintSettings::shadingCount)
        std::abort();
    const QByteArray written = PrintDat::bytes(read);
    if (!(PrintDat::read(written) == read) || PrintDat::bytes(PrintDat::read(written)) != written)
        std::abort();
    return 0;
}
