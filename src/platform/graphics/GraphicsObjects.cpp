#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"
#include "platform/types/Arithmetic.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace zov {

void TPen::SetWidth(int32_t value) {
    if (value >= 0) {
        Update(fWidth, std::min(value, kMaxPenWidth));
    }
}

bool TPen::SameAs(const TPen& other) const {
    return Fields() == other.Fields();
}

void TPen::Assign(const TPen& source) {
    if (!SameAs(source)) {
        Fields() = source.Fields();
        Changed();
    }
}

bool TBrush::SameAs(const TBrush& other) const {
    return Fields() == other.Fields();
}

void TBrush::Assign(const TBrush& source) {
    if (!SameAs(source)) {
        Fields() = source.Fields();
        Changed();
    }
}

int32_t TFont::Size() const {
    return -MulDiv(fHeight, 72, kFontPixelsPerInch);
}

void TFont::SetSize(int32_t value) {
    SetHeight(-MulDiv(value, kFontPixelsPerInch, 72));
}

void TFont::SetName(const QString& value) {
    if (!value.isEmpty()) {
        Update(fName, value);
    }
}

bool TFont::SameAs(const TFont& other) const {
    return Fields() == other.Fields();
}

void TFont::Assign(const TFont& source) {
    if (!SameAs(source)) {
        Fields() = source.Fields();
        Changed();
    }
}

QFont TFont::ToQFont() const {
    QFont font(fName);
    font.setKerning(false);
    font.setBold(fStyle.Contains(fsBold));
    font.setItalic(fStyle.Contains(fsItalic));
    font.setUnderline(fStyle.Contains(fsUnderline));
    font.setStrikeOut(fStyle.Contains(fsStrikeOut));
    if (fPitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    switch (fQuality) {
    case fqNonAntialiased:
    case fqDraft:
        font.setStyleStrategy(QFont::NoAntialias);
        break;
    case fqAntialiased:
    case fqClearType:
    case fqClearTypeNatural:
        font.setStyleStrategy(QFont::PreferAntialias);
        break;
    default:
        break;
    }
    // Sizes beyond any screen or page are limited, so that a damaged file cannot ask
    // for gigantic glyphs.
    constexpr int64_t maxPixels = 4096;
    const int64_t height = fHeight;
    if (height < 0) {
        font.setPixelSize(static_cast<int>(std::min(-height, maxPixels)));
    } else if (height > 0) {
        // A positive height is the whole cell: scale the em size so that ascent plus
        // descent come to the requested height.
        const auto cell = static_cast<double>(std::min(height, maxPixels));
        font.setPixelSize(static_cast<int>(cell));
        const QFontMetricsF metrics(font);
        const double actual = metrics.ascent() + metrics.descent();
        if (actual > 0) {
            font.setPixelSize(std::max(1, Round(cell * cell / actual)));
        }
    } else {
        font.setPixelSize(MulDiv(8, kFontPixelsPerInch, 72));
    }
    return font;
}

namespace {

std::optional<int32_t> IdentToCharsetValue(const QString& ident) {
    const auto charset = IdentToCharset(ident);
    return charset ? std::optional<int32_t>(*charset) : std::nullopt;
}

} // namespace

const TPropertyList& TPen::Properties() const {
    static const TPropertyList list =
        TPropertyListBuilder<TPen>()
            .NamedInteger("Color", &TPen::Color, &TPen::SetColor, ColorToIdent, IdentToColor,
                          clBlack)
            .Enumeration<TPenMode>("Mode", &TPen::Mode, &TPen::SetMode, kPenModeNames, pmCopy)
            .Enumeration<TPenStyle>("Style", &TPen::Style, &TPen::SetStyle, kPenStyleNames, psSolid)
            .Integer("Width", &TPen::Width, &TPen::SetWidth, 1)
            .Build();
    return list;
}

const TPropertyList& TBrush::Properties() const {
    static const TPropertyList list =
        TPropertyListBuilder<TBrush>()
            .NamedInteger("Color", &TBrush::Color, &TBrush::SetColor, ColorToIdent, IdentToColor,
                          clWhite)
            .Enumeration<TBrushStyle>("Style", &TBrush::Style, &TBrush::SetStyle, kBrushStyleNames,
                                      bsSolid)
            .Build();
    return list;
}

namespace {
constexpr int32_t kMinChooserSize = 1;
constexpr int32_t kMaxChooserSize = 999;
} // namespace

QFont TFont::ToChooserFont() const {
    QFont font = ToQFont();
    font.setPointSize(std::clamp(Size(), kMinChooserSize, kMaxChooserSize));
    return font;
}

void TFont::AssignChosenFont(const QFont& font) {
    TFont chosen(*this);
    chosen.SetName(font.family());
    const double points =
        font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / kFontPixelsPerInch;
    chosen.SetSize(
        std::clamp(static_cast<int32_t>(std::lround(points)), kMinChooserSize, kMaxChooserSize));
    TFontStyles style;
    const std::pair<bool, TFontStyle> flags[] = {{font.bold(), fsBold},
                                                 {font.italic(), fsItalic},
                                                 {font.underline(), fsUnderline},
                                                 {font.strikeOut(), fsStrikeOut}};
    for (const auto& [on, flag] : flags) {
        if (on) {
            style.Include(flag);
        }
    }
    chosen.SetStyle(style);
    Assign(chosen);
}

const TPropertyList& TFont::Properties() const {
    static const TPropertyList list =
        TPropertyListBuilder<TFont>()
            .NamedInteger("Charset", &TFont::Charset, &TFont::SetCharset, CharsetToIdent,
                          IdentToCharsetValue)
            .NamedInteger("Color", &TFont::Color, &TFont::SetColor, ColorToIdent, IdentToColor)
            .Integer("Height", &TFont::Height, &TFont::SetHeight)
            .String("Name", &TFont::Name, &TFont::SetName)
            .Integer("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0)
            .Enumeration<TFontPitch>("Pitch", &TFont::Pitch, &TFont::SetPitch, kFontPitchNames,
                                     fpDefault)
            .Integer("Size", &TFont::Size, &TFont::SetSize)
            .NeverStored()
            .Set<TFontStyles>("Style", &TFont::Style, &TFont::SetStyle, kFontStyleNames)
            .Enumeration<TFontQuality>("Quality", &TFont::Quality, &TFont::SetQuality,
                                       kFontQualityNames, fqDefault)
            .Build();
    return list;
}

} // namespace zov
