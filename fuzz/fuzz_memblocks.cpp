// Opens arbitrary bytes as a memory-block container and reads every block: any input must
// give blocks inside the data or a clean error, never a read outside it.
#include "ZelErrors.h"
#include "ZelMemBlocks.h"
#include "ZelStreams.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A private copy of exactly the input size, so that the sanitizer sees any overrun.
    std::vector<uint8_t> bytes(data, data + size);
    try {
        ZelRef<IZelMemBlocks> blocks(new TZelStreamedMemBlocks(
            new TZelBufferStream(bytes.data(), int64_t(bytes.size())), true));
        volatile uint32_t sum = 0;
        int32_t count = blocks->GetCount();
        for (int32_t i = 0; i < count && i < 4096; ++i) {
            try {
                TZelMemBlock block = blocks->GetBlock(i);
                for (int32_t k = 0; k < block.Size; ++k)
                    sum = sum + block.Ptr[k];
            } catch (const EZelStreamError&) {
            }
        }
    } catch (const EZelStreamError&) {
    }
    return 0;
}
