// The libFuzzer entry of one target; DORV_FUZZ_TARGET names its check in FuzzLogic.h.
#include "fuzz/FuzzLogic.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A Violation or any unexpected exception escapes and ends the run with the input saved.
    fuzzlogic::DORV_FUZZ_TARGET(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
