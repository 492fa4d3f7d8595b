// Text atlases: pages and the regions cut out of them.
#include "fuzzsupport.h"
#include "spine/spineatlas.h"

using namespace spine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zarnoFuzzSetUp();
    const std::unique_ptr<Atlas> atlas =
        Atlas::parse(QByteArray(reinterpret_cast<const char *>(data), int(size)), zarnoFuzzScratch());
    if (!atlas)
        return 0;
    for (const auto &region : atlas->regions()) {
        if (!region->page || atlas->findRegion(region->name) == nullptr)
            std::abort();
    }
    return 0;
}
