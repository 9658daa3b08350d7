#include "platform/graphics/Color.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

TEST(ColorTest, NamedColoursMapBothWays) {
    const struct {
        TColor color;
        const char* name;
    } cases[] = {
        {clBlack, "clBlack"},       {clRed, "clRed"},         {clSkyBlue, "clSkyBlue"},
        {clMedGray, "clMedGray"},   {clNone, "clNone"},       {clDefault, "clDefault"},
        {clWindow, "clWindow"},     {clBtnFace, "clBtnFace"}, {clInfoBk, "clInfoBk"},
        {clHotLight, "clHotLight"}, {clMenuBar, "clMenuBar"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorToIdent(c.color), QString::fromLatin1(c.name));
        EXPECT_EQ(IdentToColor(QString::fromLatin1(c.name)), c.color);
    }
    EXPECT_EQ(static_cast<uint32_t>(clBtnFace), 0xFF00000Fu);
    EXPECT_EQ(static_cast<uint32_t>(clMenuBar), 0xFF00001Eu);
}

TEST(ColorTest, UnnamedValuesAndUnknownNamesHaveNoMapping) {
    EXPECT_FALSE(ColorToIdent(0x123456).has_value());
    EXPECT_FALSE(ColorToIdent(SystemColor(25)).has_value()); // a gap in the table
    EXPECT_FALSE(IdentToColor(QStringLiteral("clPink")).has_value());
    EXPECT_EQ(IdentToColor(QStringLiteral("CLRED")), clRed); // names ignore case
}

TEST(ColorTest, ValuesAreBlueGreenRed) {
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(FromQColor(QColor(0x56, 0x34, 0x12)), 0x123456);
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    EXPECT_EQ(FromQColor(QColor(Qt::transparent)), clNone);
    // System colours resolve through the fixed scheme.
    EXPECT_EQ(ColorToRGB(clWindow), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clWindowText), 0x000000u);
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
    EXPECT_EQ(ColorToRGB(SystemColor(200)), 0u);
}

TEST(ColorTest, CharsetNamesMapBothWays) {
    const struct {
        int value;
        const char* name;
    } cases[] = {{0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},
                 {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"},   {161, "GREEK_CHARSET"},
                 {204, "RUSSIAN_CHARSET"}, {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CharsetToIdent(c.value), QString::fromLatin1(c.name));
        EXPECT_EQ(IdentToCharset(QString::fromLatin1(c.name)), c.value);
    }
    EXPECT_FALSE(CharsetToIdent(3).has_value());
    EXPECT_FALSE(IdentToCharset(QStringLiteral("UTF8_CHARSET")).has_value());
}

} // namespace
} // namespace zov
