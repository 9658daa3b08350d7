#include "platform/graphics/DashPatterns.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace zov {

QList<qreal> DashPattern(TPenStyle style) {
    for (const TDashPattern& pattern : kDashPatterns) {
        if (pattern.style == style) {
            return {pattern.dashes.begin(), pattern.dashes.end()};
        }
    }
    return {};
}

double DashInk(TPenStyle style, double length) {
    const auto it = std::ranges::find(kDashPatterns, style, &TDashPattern::style);
    if (it == std::end(kDashPatterns) || length <= 0) {
        return 1;
    }
    qreal period = 0;
    qreal drawnInPeriod = 0;
    for (size_t i = 0; i < it->dashes.size(); ++i) {
        period += it->dashes[i];
        drawnInPeriod += i % 2 == 0 ? it->dashes[i] : 0;
    }
    const qreal periods = std::floor(length / period);
    qreal drawn = periods * drawnInPeriod;
    qreal rest = length - periods * period;
    for (size_t i = 0; i < it->dashes.size() && rest > 0; ++i) {
        const qreal part = std::min(rest, it->dashes[i]);
        drawn += i % 2 == 0 ? part : 0;
        rest -= part;
    }
    return drawn / length;
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
