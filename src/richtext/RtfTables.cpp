#include "RtfTables.h"

#include <algorithm>

namespace zov {

void TRtfFontTable::Define(int number, const TRtfFont& font) {
    if (fFonts.size() < kMaxFonts || fFonts.contains(number)) {
        fFonts.insert(number, font);
    }
}

const TRtfFont* TRtfFontTable::Find(int number) const {
    const auto found = fFonts.constFind(number);
    return found != fFonts.constEnd() ? &found.value() : nullptr;
}

void TRtfColorTable::EndEntry() {
    if (fColors.size() < kMaxColors) {
        if (fSet) {
            fColors.emplace_back(QColor(std::clamp(fRed, 0, 255), std::clamp(fGreen, 0, 255),
                                        std::clamp(fBlue, 0, 255)));
        } else {
            fColors.emplace_back(std::nullopt);
        }
    }
    fRed = fGreen = fBlue = 0;
    fSet = false;
}

std::optional<QColor> TRtfColorTable::Find(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= fColors.size()) {
        return std::nullopt;
    }
    return fColors[static_cast<size_t>(index)];
}

} // namespace zov
