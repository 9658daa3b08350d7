#include "platform/pictures/Metafile.h"

#include "platform/pictures/EmfPlayer.h"
#include "platform/pictures/EmfReader.h"
#include "platform/types/Arithmetic.h"

#include <QPainter>
#include <cmath>

namespace zov {

bool IsEnhancedMetafile(const QByteArray& bytes) {
    return ReadEmfHeader(bytes).has_value();
}

TSize EnhancedMetafileSize(const QByteArray& bytes) {
    const std::optional<TEmfHeader> header = ReadEmfHeader(bytes);
    if (!header) {
        return {};
    }
    return {ClampToInt32(std::round(header->size.width())),
            ClampToInt32(std::round(header->size.height()))};
}

void PlayEnhancedMetafile(const QByteArray& bytes, QPainter& painter, const QRectF& target) {
    const std::optional<TEmfHeader> header = ReadEmfHeader(bytes);
    if (!header || header->frame.isEmpty() || target.isEmpty() || !painter.isActive()) {
        return;
    }
    painter.save();
    {
        TEmfPlayer player(painter, *header, target);
        // Each record must lie wholly inside the file; a record that does not ends
        // the play, as does one too small to move forward.
        uint64_t offset = 0;
        while (offset + 8 <= header->bytes) {
            const TEmfRecord head(bytes.constData() + offset, 8);
            const uint32_t size = head.U32(4);
            if (size < 8 || size > header->bytes - offset) {
                break;
            }
            if (!player.Play(TEmfRecord(bytes.constData() + offset, size))) {
                break;
            }
            offset += size;
        }
    }
    painter.restore();
}

} // namespace zov
