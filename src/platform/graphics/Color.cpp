#include "platform/graphics/Color.h"

#include <array>
#include <type_traits>

namespace zov {
namespace {

struct ColorName {
    TColor value;
    const char* name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
};

struct CharsetName {
    int value;
    const char* name;
};

constexpr CharsetName kCharsetNames[] = {
    {0, "ANSI_CHARSET"},     {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},     {128, "SHIFTJIS_CHARSET"},   {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},  {134, "GB2312_CHARSET"},     {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},  {162, "TURKISH_CHARSET"},    {177, "HEBREW_CHARSET"},
    {178, "ARABIC_CHARSET"}, {186, "BALTIC_CHARSET"},     {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},   {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
};

// The standard desktop scheme, as 0x00BBGGRR, indexed by system colour number.
constexpr std::array<uint32_t, 31> kSystemColors{{
    0xC8C8C8, // scroll bar
    0x000000, // desktop background
    0xD1B499, // active caption
    0xDBCDBF, // inactive caption
    0xF0F0F0, // menu
    0xFFFFFF, // window
    0x646464, // window frame
    0x000000, // menu text
    0x000000, // window text
    0x000000, // caption text
    0xB4B4B4, // active border
    0xFCF7F4, // inactive border
    0xABABAB, // application workspace
    0xD77800, // highlight
    0xFFFFFF, // highlight text
    0xF0F0F0, // button face
    0xA0A0A0, // button shadow
    0x6D6D6D, // grey text
    0x000000, // button text
    0x000000, // inactive caption text
    0xFFFFFF, // button highlight
    0x696969, // 3D dark shadow
    0xE3E3E3, // 3D light
    0x000000, // info text
    0xE1FFFF, // info background
    0x000000, // (unused)
    0xCC6600, // hot light
    0xEAD1B9, // gradient active caption
    0xF2E4D7, // gradient inactive caption
    0xFF9933, // menu highlight
    0xF0F0F0, // menu bar
}};

template <typename Table, typename Value>
std::optional<QString> FindName(const Table& table, Value value) {
    for (const auto& entry : table) {
        if (entry.value == value) {
            return QString::fromLatin1(entry.name);
        }
    }
    return std::nullopt;
}

template <typename Table>
auto FindValue(const Table& table, const QString& ident)
    -> std::optional<std::remove_cvref_t<decltype(table[0].value)>> {
    for (const auto& entry : table) {
        if (ident.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            return entry.value;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> ColorToIdent(TColor color) {
    return FindName(kColorNames, color);
}

std::optional<TColor> IdentToColor(const QString& ident) {
    return FindValue(kColorNames, ident);
}

uint32_t ColorToRGB(TColor color) {
    const auto bits = static_cast<uint32_t>(color);
    if (color < 0) {
        const uint32_t index = bits & 0xFF;
        return index < kSystemColors.size() ? kSystemColors[index] : 0;
    }
    return bits & 0x00FFFFFF;
}

QColor ToQColor(TColor color) {
    if (color == clNone) {
        return QColor(Qt::transparent);
    }
    const uint32_t rgb = ColorToRGB(color);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
    if (color.alpha() == 0) {
        return clNone;
    }
    return static_cast<TColor>(static_cast<uint32_t>(color.red()) |
                               (static_cast<uint32_t>(color.green()) << 8) |
                               (static_cast<uint32_t>(color.blue()) << 16));
}

std::optional<QString> CharsetToIdent(int charset) {
    return FindName(kCharsetNames, charset);
}

std::optional<TFontCharset> IdentToCharset(const QString& ident) {
    if (auto value = FindValue(kCharsetNames, ident)) {
        return static_cast<TFontCharset>(*value);
    }
    return std::nullopt;
}

} // namespace zov
