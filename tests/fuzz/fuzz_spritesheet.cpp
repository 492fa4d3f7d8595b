// Packed sprite-sheet descriptions (JSON) as the sprite cache reads them from disk.
#include "fuzzsupport.h"
#include "sprites/texturepackersheetcache.h"

#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zarnoFuzzSetUp();
    const QUrl source = QUrl::fromLocalFile(zarnoFuzzWrite(QStringLiteral("sheet.json"), data, size));
    const TexturePackerSheetCache::SheetPointer sheet = TexturePackerSheetCache::load(source);
    if (sheet) {
        for (auto it = sheet->frames.cbegin(); it != sheet->frames.cend(); ++it)
            (void)it.key().size();
    }
    TexturePackerSheetCache::clear();
    return 0;
}
