#include "platform/graphics/DashPatterns.h"

#include <algorithm>

namespace zov {

QList<qreal> DashPattern(TPenStyle style) {
    for (const TDashPattern& pattern : kDashPatterns) {
        if (pattern.style == style) {
            return {pattern.dashes.begin(), pattern.dashes.end()};
        }
    }
    return {};
}

std::optional<TPenStyle> DashedStyleOf(const QList<qreal>& dashes) {
    for (const TDashPattern& pattern : kDashPatterns) {
        if (std::ranges::equal(dashes, pattern.dashes)) {
            return pattern.style;
        }
    }
    return std::nullopt;
}

} // namespace zov
