#pragma once

#include "platform/graphics/TextMeasure.h"

namespace zov::test {

// Every character is CharWidth wide and every line LineHeight high.
class FixedWidthMeasure : public TTextMeasure {
public:
    static constexpr int32_t CharWidth = 10;
    static constexpr int32_t LineHeight = 16;

    explicit FixedWidthMeasure(bool hasEllipsisGlyph = true) : fHasEllipsis(hasEllipsisGlyph) {}

    TSize TextExtent(const QString& text) const override {
        return {static_cast<int32_t>(text.size()) * CharWidth, LineHeight};
    }
    bool HasGlyph(char32_t character) const override {
        return character != U'\u2026' || fHasEllipsis;
    }

private:
    bool fHasEllipsis;
};

} // namespace zov::test
