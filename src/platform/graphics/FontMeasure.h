#pragma once

#include "platform/graphics/Font.h"
#include "platform/graphics/TextMeasure.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QRawFont>
#include <optional>
#include <vector>

namespace zov {

// Measures text in one font the way it is drawn: integer widths without kerning,
// height = ascent + descent. Caption layout measures every prefix of a line, so
// widths of plain alphabetic text come from cached per-character advances.
class TFontMeasure : public TTextMeasure {
public:
    explicit TFontMeasure(const TFont& font);

    // A measure of font from a small cache of recently used fonts, for layout code
    // that has no canvas at hand. Use the reference at once: later calls may evict it.
    static const TFontMeasure& Shared(const TFont& font);

    // The attributes this object measures.
    const TFont& Font() const { return fFont; }
    const QFont& QtFont() const { return fQtFont; }

    int32_t Width(const QString& text) const;
    int32_t Height() const { return fMetrics.height(); }
    int32_t Ascent() const { return fMetrics.ascent(); }

    TSize TextExtent(const QString& text) const override { return {Width(text), Height()}; }
    bool HasGlyph(char32_t character) const override;

private:
    // Sum of cached advances; nullopt when some character may be shaped with its
    // neighbours (combining marks, scripts outside the cached range).
    std::optional<int32_t> AdditiveWidth(const QString& text) const;

    TFont fFont;
    QFont fQtFont;
    QFontMetrics fMetrics;
    QFontMetricsF fMetricsF;
    bool fAdditive;
    mutable std::vector<double> fAdvances;
    mutable std::optional<QRawFont> fRawFont;
};

} // namespace zov
