// The application's small parts that need no window of their own.
#include "dialogs/ColorBox.h"
#include "app/ToolBarValues.h"
#include "app/WindowTiling.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace zov {
namespace {

TEST(ToolBarIntegerTest, AcceptsWholeNumbersInRangeOnly) {
    struct Case {
        const char* text;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"12", 12},
        {" 7 ", 7},
        {"1", 1},
        {"999", 999},
        {"0", std::nullopt},
        {"1000", std::nullopt},
        {"-4", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"4.5", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToolBarInteger(QString::fromLatin1(c.text), kMinFontSize, kMaxFontSize),
                  c.expected)
            << c.text;
    }
}

TEST(TileRectsTest, CoversTheAreaWithoutOverlap) {
    const QRect area(0, 0, 900, 600);
    for (const TTileDirection direction : {tdHorizontal, tdVertical}) {
        for (int count = 1; count <= 10; ++count) {
            const QList<QRect> rects = TileRects(area, count, direction);
            ASSERT_EQ(rects.size(), count);
            long long covered = 0;
            for (qsizetype i = 0; i < rects.size(); ++i) {
                EXPECT_TRUE(area.contains(rects[i])) << count;
                covered += static_cast<long long>(rects[i].width()) * rects[i].height();
                for (qsizetype j = i + 1; j < rects.size(); ++j) {
                    EXPECT_FALSE(rects[i].intersects(rects[j])) << count << " " << i << " " << j;
                }
            }
            EXPECT_EQ(covered, 900LL * 600) << count;
        }
    }
}

TEST(TileRectsTest, FewWindowsShareTheAreaInTheirDirection) {
    const QRect area(0, 0, 900, 600);
    EXPECT_EQ(TileRects(area, 3, tdHorizontal),
              (QList<QRect>{{0, 0, 900, 200}, {0, 200, 900, 200}, {0, 400, 900, 200}}));
    EXPECT_EQ(TileRects(area, 2, tdVertical), (QList<QRect>{{0, 0, 450, 600}, {450, 0, 450, 600}}));
    // Four windows: two columns of two stacked windows, or two rows of two.
    EXPECT_EQ(TileRects(area, 4, tdHorizontal),
              (QList<QRect>{
                  {0, 0, 450, 300}, {0, 300, 450, 300}, {450, 0, 450, 300}, {450, 300, 450, 300}}));
    EXPECT_TRUE(TileRects(area, 0, tdVertical).isEmpty());
}

TEST(ColorBoxTest, OnlyTheUsersChoiceCountsAsAChange) {
    TColorBox box;
    QSignalSpy changes(&box, &TColorBox::ColorChanged);
    box.SetSelected(clRed);
    EXPECT_EQ(box.Selected(), clRed);
    box.SetSelected(0x123456);
    EXPECT_EQ(box.Selected(), 0x123456);
    EXPECT_EQ(box.currentText(), QStringLiteral("Custom"));
    EXPECT_EQ(changes.count(), 0);
    emit box.activated(box.findData(clBlue));
    EXPECT_EQ(box.Selected(), clBlue);
    EXPECT_EQ(changes.count(), 1);
}

} // namespace
} // namespace zov
