#pragma once

#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"
#include "platform/types/Set.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <tuple>

namespace zov {

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
inline constexpr const char* kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline",
                                                  "fsStrikeOut"};
using TFontStyles = TSet<TFontStyle, uint8_t>;

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
inline constexpr const char* kFontPitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};

enum TFontQuality : uint8_t {
    fqDefault,
    fqDraft,
    fqProof,
    fqNonAntialiased,
    fqAntialiased,
    fqClearType,
    fqClearTypeNatural,
};
inline constexpr const char* kFontQualityNames[] = {
    "fqDefault",     "fqDraft",     "fqProof",           "fqNonAntialiased",
    "fqAntialiased", "fqClearType", "fqClearTypeNatural"};

// Sizes in points relate to heights in pixels through this logical resolution.
inline constexpr int32_t kFontPixelsPerInch = 96;

// Text attributes. Height < 0 is the character height in pixels, Height > 0 the cell
// height (characters plus internal leading); Size is the same in points. Orientation
// is the angle of the baseline in tenths of a degree, counter-clockwise.
class TFont : public TGraphicsObject {
public:
    TFont() = default;
    TFont(const TFont&) = default;

    QString Name() const { return fName; }
    int32_t Height() const { return fHeight; }
    int32_t Size() const;
    TFontCharset Charset() const { return fCharset; }
    TColor Color() const { return fColor; }
    TFontPitch Pitch() const { return fPitch; }
    TFontQuality Quality() const { return fQuality; }
    int32_t Orientation() const { return fOrientation; }
    TFontStyles Style() const { return fStyle; }

    void SetName(const QString& value);
    void SetHeight(int32_t value) { Update(fHeight, value); }
    void SetSize(int32_t value);
    void SetCharset(TFontCharset value) { Update(fCharset, value); }
    void SetColor(TColor value) { Update(fColor, value); }
    void SetPitch(TFontPitch value) { Update(fPitch, value); }
    void SetQuality(TFontQuality value) { Update(fQuality, value); }
    void SetOrientation(int32_t value) { Update(fOrientation, value); }
    void SetStyle(TFontStyles value) { Update(fStyle, value); }

    // Published: written to and read from component streams.
    const TPropertyList& Properties() const override;

    // Copies every attribute; reports one change when anything differed.
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

    // The Qt font with these attributes, sized in pixels and without kerning, so that
    // a line is as wide as its characters (the orientation is applied by the canvas
    // when it draws).
    QFont ToQFont() const;
    // The font as font choosers show it: sized in points (1 to 999).
    QFont ToChooserFont() const;
    // Takes the name, the size in points (kept within 1 to 999) and the styles of a
    // font the user chose; charset, colour, pitch, quality and orientation stay.
    void AssignChosenFont(const QFont& font);

private:
    // Every attribute, for comparing and copying them all at once.
    auto Fields() {
        return std::tie(fName, fHeight, fCharset, fColor, fPitch, fQuality, fOrientation, fStyle);
    }
    auto Fields() const {
        return std::tie(fName, fHeight, fCharset, fColor, fPitch, fQuality, fOrientation, fStyle);
    }

    QString fName = QStringLiteral("Arial");
    int32_t fHeight = -11;
    TFontCharset fCharset = DEFAULT_CHARSET;
    TColor fColor = clWindowText;
    TFontPitch fPitch = fpDefault;
    TFontQuality fQuality = fqDefault;
    int32_t fOrientation = 0;
    TFontStyles fStyle;
};

} // namespace zov
