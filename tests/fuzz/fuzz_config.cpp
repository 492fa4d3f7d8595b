// The game's configuration file, read once and asked for its keys.
#include "fuzzsupport.h"
#include "platform/system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zarnoFuzzSetUp();
    System::setConfigurationFile(zarnoFuzzWrite(QStringLiteral("config.json"), data, size));
    System::reloadConfiguration();
    for (const char *key : {"title", "identifier", "orientation", "versioncode", "stage", "contentScaleFactor"})
        (void)System::configurationValue(QString::fromLatin1(key));
    System system;
    (void)system.appIdentifier();
    return 0;
}
