// System's JSON text: parsed, written back and parsed again (what goes out comes back).
#include "fuzzsupport.h"
#include "platform/system.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zarnoFuzzSetUp();
    static System *system = new System;
    const QVariantMap parsed = system->parse(QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    const QString written = system->stringify(parsed);
    const QVariantMap again = system->parse(written);
    if (again.size() != parsed.size())
        std::abort();
    return 0;
}
