#include "platform/graphics/PaperDetection.h"

#include <QSizeF>
#include <cmath>

namespace zov {

namespace {

// Tenths of a millimetre, rounded to the nearest (halves to even, as the printer's
// own conversion rounds).
int32_t TenthMillimetres(double value, TPaperUnit unit) {
    const double tenths = unit == puThousandthInch ? value * 254.0 / 1000.0 : value;
    return static_cast<int32_t>(std::nearbyint(tenths));
}

} // namespace

std::optional<TPaperType> PaperTypeOfPage(const QPageSize& page) {
    if (!page.isValid()) {
        return std::nullopt;
    }
    const QSizeF millimetres = page.size(QPageSize::Millimeter);
    const int32_t w = static_cast<int32_t>(std::nearbyint(millimetres.width() * 10));
    const int32_t h = static_cast<int32_t>(std::nearbyint(millimetres.height() * 10));
    for (int i = 0; i < kPaperTypeCount; ++i) {
        const TPaperInfo& info = PaperInfo(static_cast<TPaperType>(i));
        if (info.Unit == puPixel) {
            continue;
        }
        const int32_t pw = TenthMillimetres(info.Width, info.Unit);
        const int32_t ph = TenthMillimetres(info.Height, info.Unit);
        if ((pw == w && ph == h) || (pw == h && ph == w)) {
            return static_cast<TPaperType>(i);
        }
    }
    return std::nullopt;
}

QPageSize PageSizeOf(TPaperType type) {
    const TPaperInfo& info = PaperInfo(type);
    switch (info.Unit) {
    case puTenthMillimetre:
        return QPageSize(QSizeF(info.Width / 10.0, info.Height / 10.0), QPageSize::Millimeter,
                         QString(), QPageSize::FuzzyMatch);
    case puThousandthInch:
        return QPageSize(QSizeF(info.Width / 1000.0, info.Height / 1000.0), QPageSize::Inch,
                         QString(), QPageSize::FuzzyMatch);
    case puPixel:
        break;
    }
    return QPageSize();
}

} // namespace zov
