// Report descriptors come from the device; any bytes must give a length or -1, nothing else.

#include "ReportDescriptor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const long length = xqcomm::featureReportLength(data, size);
    if (length < -1 || length > long(xqcomm::kMaxFeatureReportLength) || length == 1)
        std::abort();
    return 0;
}
