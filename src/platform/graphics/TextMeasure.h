#pragma once

#include "platform/types/Types.h"

#include <QString>

namespace zov {

// Measures text in some current font. Layout code depends on this alone, so it can
// run against a real canvas or against a fixed-width stand-in.
class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;

    // Width and height of the text on one line, in logical units. Line breaks are not
    // interpreted; the height is that of the font's character cell even for "".
    virtual TSize TextExtent(const QString& text) const = 0;

    // Whether the font itself, without falling back to another font, has a glyph for
    // the character.
    virtual bool HasGlyph(char32_t character) const = 0;
};

} // namespace zov
