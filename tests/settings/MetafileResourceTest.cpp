#include "settings/MetafileResource.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace zov {
namespace {

TEST(MetafileResourceTest, TheLogoPlays) {
    const TMetafile logo = LoadMetafileResource(QStringLiteral("QUORIXLOGO"));
    ASSERT_FALSE(logo.Bytes().isEmpty());
    const TSize size = logo.Size();
    ASSERT_GT(size.cx, 0);
    ASSERT_GT(size.cy, 0);

    QImage image(size.cx, size.cy, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        logo.Play(painter, QRectF(0, 0, size.cx, size.cy));
    }
    qsizetype blue = 0;
    qsizetype light = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > 2 * c.red() && c.blue() > 100 ? 1 : 0;
            light += c.lightness() > 200 ? 1 : 0;
        }
    }
    const qsizetype all = qsizetype(image.width()) * image.height();
    EXPECT_GT(blue, all / 2) << "the box";
    // Inside the box the name and the links are white.
    EXPECT_GT(light, all / 50) << "the name and the links";
    EXPECT_LT(light, all / 2);
}

class MissingMetafileTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MissingMetafileTest, IsEmpty) {
    EXPECT_TRUE(LoadMetafileResource(QString::fromUtf8(GetParam())).Bytes().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Names, MissingMetafileTest,
                         ::testing::Values("UNKNOWN", "", "../resources/QUORIXLOGO",
                                           "QUORIXLOGO.emf"));

} // namespace
} // namespace zov
