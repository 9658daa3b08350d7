#include "platform/pictures/Metafile.h"

#include "platform/graphics/Canvas.h"
#include "platform/pictures/EmfOutput.h"
#include "platform/pictures/EmfWriter.h"
#include "platform/pictures/Picture.h"
#include "platform/types/Arithmetic.h"
#include "support/CanvasScene.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>
#include <bit>
#include <gtest/gtest.h>
#include <initializer_list>
#include <limits>

namespace zov {
namespace {

// ---- Reading and building files by hand ----------------------------------------------

uint32_t U32At(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<uint32_t>(bytes.constData() + offset);
}

void PutU32(QByteArray& bytes, qsizetype offset, uint32_t value) {
    qToLittleEndian(value, bytes.data() + offset);
}

QByteArray Le32(std::initializer_list<int64_t> values) {
    QByteArray bytes;
    for (int64_t v : values) {
        const uint32_t le = qToLittleEndian(static_cast<uint32_t>(v));
        bytes.append(reinterpret_cast<const char*>(&le), 4);
    }
    return bytes;
}

QByteArray Le16(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values) {
        const uint16_t le = qToLittleEndian(static_cast<uint16_t>(v));
        bytes.append(reinterpret_cast<const char*>(&le), 2);
    }
    return bytes;
}

QByteArray Record(uint32_t type, const QByteArray& body) {
    return Le32({type, 8 + body.size()}) + body;
}

struct TRecordAt {
    qsizetype offset;
    QByteArray bytes;
};

// The records of a file in order; stops at the first one that does not fit.
std::vector<TRecordAt> Records(const QByteArray& file) {
    std::vector<TRecordAt> records;
    qsizetype offset = 0;
    while (offset + 8 <= file.size()) {
        const uint32_t size = U32At(file, offset + 4);
        if (size < 8 || size > file.size() - offset) {
            break;
        }
        records.push_back({offset, file.mid(offset, size)});
        offset += size;
    }
    return records;
}

std::vector<QByteArray> RecordsOfType(const QByteArray& file, uint32_t type) {
    std::vector<QByteArray> found;
    for (const TRecordAt& r : Records(file)) {
        if (U32At(r.bytes, 0) == type) {
            found.push_back(r.bytes);
        }
    }
    return found;
}

QImage White(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage Played(const QByteArray& file, int width, int height, const QRectF& target) {
    QImage image = White(width, height);
    QPainter painter(&image);
    PlayEnhancedMetafile(file, painter, target);
    return image;
}

template <typename Draw> QByteArray Written(int width, int height, Draw draw) {
    TEmfDevice device(width, height);
    {
        QPainter painter(&device);
        draw(painter);
    }
    return device.Bytes();
}

// ---- The writer ----------------------------------------------------------------------

TEST(EmfWriter, HeaderFixedFieldsRecordCountAndEndRecord) {
    const QByteArray file = Written(100, 50, [](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::red);
        p.drawRect(QRectF(10.5, 10.5, 20, 10));
    });
    const std::vector<TRecordAt> records = Records(file);
    ASSERT_FALSE(records.empty());
    const QByteArray expected = Le32({1, 108, 0, 0, 99, 49, 0, 0, 2645, 1322, 0x464D4520, 0x10000,
                                      file.size(), static_cast<int64_t>(records.size())}) +
                                Le16({3, 0}) +
                                Le32({0, 0, 0, 1920, 1440, 508, 381, 0, 0, 0, 508000, 381000});
    EXPECT_EQ(file.left(108).toHex(' '), expected.toHex(' '));
    EXPECT_EQ(records.back().offset + records.back().bytes.size(), file.size());
    EXPECT_EQ(records.back().bytes.toHex(' '), Le32({14, 20, 0, 16, 20}).toHex(' '));
    EXPECT_TRUE(IsEnhancedMetafile(file));
    EXPECT_EQ(EnhancedMetafileSize(file), (TSize{100, 50}));
}

TEST(EmfWriter, ShapeRecordsByteForByte) {
    const QByteArray file = Written(200, 100, [](QPainter& p) {
        p.setPen(QPen(QColor(0x11, 0x22, 0x33), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(QBrush(QColor(0x44, 0x55, 0x66), Qt::DiagCrossPattern));
        p.drawRect(QRectF(10.5, 10.5, 20, 10));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({{0, 0}, {10.25, 0}, {0, 2000}}), Qt::WindingFill);
    });
    const struct {
        uint32_t type;
        QByteArray body;
    } cases[] = {
        {Emr::SetWorldTransform, Le32({0x3D800000, 0, 0, 0x3D800000, 0, 0})},
        {Emr::ExtCreatePen, Le32({1, 0, 0, 0, 0, 0x10000 | 0x200 | 0x2000, 32, 0, 0x332211, 0, 0})},
        {Emr::CreateBrushIndirect, Le32({2, 2, 0x665544, 5})},
        {Emr::Rectangle, Le32({168, 168, 488, 328})},
        {Emr::SetPolyFillMode, Le32({2})},
        // 2000 pixels are 32000 units: still a 16-bit polygon.
        {Emr::Polygon16, Le32({0, 0, 10, 2000, 3}) + Le16({0, 0, 164, 0, 0, 32000})},
    };
    for (const auto& c : cases) {
        const std::vector<QByteArray> found = RecordsOfType(file, c.type);
        ASSERT_EQ(found.size(), 1u) << "record type " << c.type;
        EXPECT_EQ(found[0].toHex(' '), Record(c.type, c.body).toHex(' '))
            << "record type " << c.type;
    }
    // The pen gave way to the null stock pen and was deleted after that.
    const std::vector<QByteArray> selects = RecordsOfType(file, Emr::SelectObject);
    ASSERT_EQ(selects.size(), 3u);
    EXPECT_EQ(U32At(selects[2], 8), 0x80000008u);
    ASSERT_EQ(RecordsOfType(file, Emr::DeleteObject).size(), 1u);
    EXPECT_EQ(U32At(RecordsOfType(file, Emr::DeleteObject)[0], 8), 1u);
}

TEST(EmfWriter, ObjectSlotsAreReused) {
    const QByteArray file = Written(50, 50, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        for (QColor color : {Qt::red, Qt::green, Qt::blue, Qt::red}) {
            p.setBrush(color);
            p.drawRect(QRectF(1, 1, 5, 5));
        }
    });
    std::vector<uint32_t> handles;
    for (const QByteArray& r : RecordsOfType(file, Emr::CreateBrushIndirect)) {
        handles.push_back(U32At(r, 8));
    }
    EXPECT_EQ(handles, (std::vector<uint32_t>{1, 2, 1, 2}));
    EXPECT_EQ(qFromLittleEndian<uint16_t>(file.constData() + 56), 3);
}

TEST(EmfWriter, HatchPatternsBecomeHatchedBrushes) {
    const struct {
        Qt::BrushStyle style;
        uint32_t hatch;
    } cases[] = {{Qt::HorPattern, Gdi::HsHorizontal},  {Qt::VerPattern, Gdi::HsVertical},
                 {Qt::FDiagPattern, Gdi::HsFDiagonal}, {Qt::BDiagPattern, Gdi::HsBDiagonal},
                 {Qt::CrossPattern, Gdi::HsCross},     {Qt::DiagCrossPattern, Gdi::HsDiagCross}};
    for (const auto& c : cases) {
        const QByteArray file = Written(40, 40, [&](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(QBrush(Qt::blue, c.style));
            p.drawRect(2, 2, 28, 28);
        });
        const std::vector<QByteArray> brushes = RecordsOfType(file, Emr::CreateBrushIndirect);
        ASSERT_EQ(brushes.size(), 1u) << c.style;
        EXPECT_EQ(brushes[0].mid(12).toHex(' '),
                  Le32({Gdi::BsHatched, 0xFF0000, c.hatch}).toHex(' '))
            << c.style;
    }
}

// Readers such as LibreOffice fill hatched brushes solid, so the canvas draws its
// hatching as lines on a metafile, where the screen's pattern has them.
TEST(EmfWriter, CanvasHatchesAreLinesWhereTheScreenHasThem) {
    for (const TBrushStyle style : {bsHorizontal, bsVertical, bsCross}) {
        auto draw = [style](TCanvas& canvas) {
            canvas.Brush().SetStyle(style);
            canvas.Brush().SetColor(clBlue);
            canvas.Pen().SetStyle(psClear);
            canvas.Rectangle(2, 2, 30, 30);
        };
        const QByteArray file = Written(40, 40, [&](QPainter& p) {
            TCanvas canvas(&p);
            draw(canvas);
        });
        for (const QByteArray& brush : RecordsOfType(file, Emr::CreateBrushIndirect)) {
            EXPECT_NE(U32At(brush, 12), Gdi::BsHatched) << style;
        }
        TBitmapCanvas screen(40, 40);
        draw(screen.Canvas());
        EXPECT_EQ(Played(file, 40, 40, QRectF(0, 0, 40, 40)),
                  screen.Image().convertToFormat(QImage::Format_RGB32))
            << style;
    }
}

TEST(EmfWriter, TextStaysTextInItsFont) {
    const QString text = QStringLiteral("Hi \u03A9\u00E9!");
    const QByteArray file = Written(200, 60, [&](QPainter& p) {
        TCanvas canvas(&p);
        canvas.Font().SetName(QStringLiteral("Arial"));
        canvas.Font().SetHeight(-20);
        canvas.Font().SetColor(clRed);
        canvas.Font().SetStyle(TFontStyles{fsItalic});
        canvas.TextOut(10, 10, text);
    });
    EXPECT_TRUE(RecordsOfType(file, Emr::BeginPath).empty());
    EXPECT_TRUE(RecordsOfType(file, Emr::Polygon16).empty());
    // Qt hands the text over in runs of one script each.
    QString stored;
    int64_t width = 0;
    for (const QByteArray& record : RecordsOfType(file, Emr::ExtTextOutW)) {
        const uint32_t chars = U32At(record, 44);
        const uint32_t dx = U32At(record, 72);
        ASSERT_LE(U32At(record, 48) + 2 * chars, dx);
        ASSERT_LE(dx + 4 * chars, static_cast<uint32_t>(record.size()));
        stored +=
            QString(reinterpret_cast<const QChar*>(record.constData() + U32At(record, 48)), chars);
        for (uint32_t i = 0; i < chars; ++i) {
            width += static_cast<int32_t>(U32At(record, dx + 4 * i));
        }
    }
    EXPECT_EQ(stored, text);
    // Advances for every character, adding up to the text's width.
    TBitmapCanvas measure(1, 1);
    measure.Canvas().Font().SetName(QStringLiteral("Arial"));
    measure.Canvas().Font().SetHeight(-20);
    measure.Canvas().Font().SetStyle(TFontStyles{fsItalic});
    EXPECT_NEAR(width / 16.0, measure.Canvas().TextWidth(text), 1.0);

    const std::vector<QByteArray> fonts = RecordsOfType(file, Emr::ExtCreateFontIndirectW);
    ASSERT_FALSE(fonts.empty());
    ASSERT_EQ(fonts[0].size(), 332);
    EXPECT_EQ(static_cast<int32_t>(U32At(fonts[0], 12)), -20 * 16);
    EXPECT_EQ(fonts[0][32], 1); // italic
    EXPECT_EQ(QString(reinterpret_cast<const QChar*>(fonts[0].constData() + 40), 5),
              QStringLiteral("Arial"));
    ASSERT_EQ(RecordsOfType(file, Emr::SetTextColor).size(), 1u);
    EXPECT_EQ(U32At(RecordsOfType(file, Emr::SetTextColor)[0], 8), 0x0000FFu);
}

TEST(EmfWriter, TurnedTextTurnsTheWorldAroundItsBaseline) {
    const QByteArray file = Written(100, 100, [](QPainter& p) {
        TCanvas canvas(&p);
        canvas.SetTextAlign(TextAlign::Baseline);
        canvas.Font().SetOrientation(900);
        canvas.TextOut(50, 90, QStringLiteral("up"));
    });
    const std::vector<QByteArray> worlds = RecordsOfType(file, Emr::SetWorldTransform);
    ASSERT_EQ(worlds.size(), 3u);
    const QByteArray sixteenth = Le32({0x3D800000, 0, 0, 0x3D800000, 0, 0});
    EXPECT_EQ(worlds[0].mid(8).toHex(' '), sixteenth.toHex(' '));
    EXPECT_EQ(worlds[2].mid(8).toHex(' '), sixteenth.toHex(' '));
    // A quarter turn counter-clockwise, then to the baseline's start at (50, 90).
    EXPECT_EQ(worlds[1].mid(8).toHex(' '),
              Le32({0, 0xBD800000, 0x3D800000, 0, 0x42480000, 0x42B40000}).toHex(' '));
    const std::vector<QByteArray> texts = RecordsOfType(file, Emr::ExtTextOutW);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].mid(36, 8).toHex(' '), Le32({0, 0}).toHex(' '));
    EXPECT_EQ(U32At(RecordsOfType(file, Emr::ExtCreateFontIndirectW)[0], 20), 0u);
}

TEST(EmfWriter, ClipIsResetThenIntersectedAndRemoved) {
    const QByteArray file = Written(100, 100, [](QPainter& p) {
        p.translate(10, 20);
        p.setClipRect(QRectF(0, 0, 30, 40.5));
        p.translate(100, 100); // later moves leave the clip where it was set
        p.fillRect(QRectF(-100, -100, 5, 5), Qt::red);
        QPainterPath round;
        round.addEllipse(QRectF(-100, -100, 8, 8));
        p.setClipPath(round, Qt::IntersectClip);
        p.fillRect(QRectF(-100, -100, 5, 5), Qt::red);
        p.setClipping(false);
        p.fillRect(QRectF(-100, -100, 5, 5), Qt::red);
    });
    std::vector<uint32_t> sequence;
    for (const TRecordAt& r : Records(file)) {
        const uint32_t type = U32At(r.bytes, 0);
        for (uint32_t clipType : {Emr::ExtSelectClipRgn, Emr::IntersectClipRect, Emr::BeginPath,
                                  Emr::SelectClipPath, Emr::Rectangle}) {
            if (type == clipType) {
                sequence.push_back(type);
            }
        }
    }
    EXPECT_EQ(sequence,
              (std::vector<uint32_t>{Emr::ExtSelectClipRgn, Emr::IntersectClipRect, Emr::Rectangle,
                                     Emr::ExtSelectClipRgn, Emr::BeginPath, Emr::SelectClipPath,
                                     Emr::Rectangle, Emr::ExtSelectClipRgn, Emr::Rectangle}));
    const QByteArray reset = Record(Emr::ExtSelectClipRgn, Le32({0, Gdi::RgnCopy}));
    for (const QByteArray& r : RecordsOfType(file, Emr::ExtSelectClipRgn)) {
        EXPECT_EQ(r.toHex(' '), reset.toHex(' '));
    }
    EXPECT_EQ(RecordsOfType(file, Emr::IntersectClipRect)[0].toHex(' '),
              Record(Emr::IntersectClipRect, Le32({160, 320, 640, 968})).toHex(' '));
    EXPECT_EQ(RecordsOfType(file, Emr::SelectClipPath)[0].toHex(' '),
              Record(Emr::SelectClipPath, Le32({Gdi::RgnAnd})).toHex(' '));
}

// A clip set between save and restore ends with the restore; the painter's clip
// switch stays on all along, which must not bring the old clip back.
TEST(EmfWriter, RestoringThePainterRemovesItsClip) {
    const QByteArray file = Written(100, 100, [](QPainter& p) {
        p.save();
        p.setClipRect(QRectF(0, 0, 30, 40));
        p.fillRect(QRectF(0, 0, 5, 5), Qt::red);
        p.restore();
        p.fillRect(QRectF(50, 50, 5, 5), Qt::red);
    });
    std::vector<uint32_t> sequence;
    for (const TRecordAt& r : Records(file)) {
        const uint32_t type = U32At(r.bytes, 0);
        if (type == Emr::ExtSelectClipRgn || type == Emr::IntersectClipRect ||
            type == Emr::Rectangle) {
            sequence.push_back(type);
        }
    }
    EXPECT_EQ(sequence,
              (std::vector<uint32_t>{Emr::ExtSelectClipRgn, Emr::IntersectClipRect, Emr::Rectangle,
                                     Emr::ExtSelectClipRgn, Emr::Rectangle}));
}

TEST(EmfWriter, IsEmfPaintEngineTellsTheEngines) {
    TEmfDevice device(10, 10);
    QImage image = White(10, 10);
    EXPECT_TRUE(IsEmfPaintEngine(device.paintEngine()));
    EXPECT_FALSE(IsEmfPaintEngine(image.paintEngine()));
    EXPECT_FALSE(IsEmfPaintEngine(nullptr));
}

// ---- Writing and playing back --------------------------------------------------------

void DrawScene(TCanvas& canvas) {
    test::DrawSampleShapes(canvas);
}

QImage SceneDirect() {
    TBitmapCanvas bitmap(250, 160);
    DrawScene(bitmap.Canvas());
    return bitmap.Image();
}

QByteArray SceneFile() {
    return Written(250, 160, [](QPainter& p) {
        TCanvas canvas(&p);
        DrawScene(canvas);
    });
}

int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

TEST(EmfRoundTrip, PlaysBackLikeDirectDrawing) {
    const QImage direct = SceneDirect();
    const QImage played = Played(SceneFile(), 250, 160, QRectF(0, 0, 250, 160));
    const struct {
        int x, y;
        QRgb color;
    } probes[] = {
        {10, 10, qRgb(0, 0, 0)},         {69, 49, qRgb(0, 0, 0)},
        {40, 30, qRgb(255, 0, 0)},       {70, 30, qRgb(255, 255, 255)},
        {115, 35, qRgb(0, 255, 0)},      {190, 45, qRgb(0, 0, 255)},
        {85, 75, qRgb(0, 0, 0)},         {100, 75, qRgb(255, 255, 255)},
        {92, 92, qRgb(0, 128, 0)},       {120, 120, qRgb(255, 255, 0)},
        {175, 140, qRgb(0, 128, 128)},   {145, 140, qRgb(255, 255, 255)},
        {175, 155, qRgb(255, 255, 255)}, {161, 102, qRgb(0, 0, 0)},
    };
    for (const auto& p : probes) {
        EXPECT_LE(Distance(played.pixel(p.x, p.y), p.color), 8) << p.x << "," << p.y;
        EXPECT_LE(Distance(direct.pixel(p.x, p.y), p.color), 8) << p.x << "," << p.y;
    }
    // The hatch is drawn as lines on the metafile: the same density of ink as the
    // screen's pattern, though not pixel for pixel on the diagonals.
    auto ink = [](const QImage& image) {
        int64_t sum = 0;
        for (int y = 72; y < 118; ++y) {
            for (int x = 12; x < 68; ++x) {
                sum += 255 - qGreen(image.pixel(x, y));
            }
        }
        return sum;
    };
    EXPECT_NEAR(static_cast<double>(ink(played)), static_cast<double>(ink(direct)),
                0.35 * static_cast<double>(ink(direct)));
    int differing = 0;
    for (int y = 0; y < direct.height(); ++y) {
        for (int x = 0; x < direct.width(); ++x) {
            differing += Distance(played.pixel(x, y), direct.pixel(x, y)) > 64;
        }
    }
    EXPECT_LT(differing, direct.width() * direct.height() / 200) << differing;
}

TEST(EmfRoundTrip, TextLandsWhereItWasDrawn) {
    const QImage direct = SceneDirect();
    const QImage played = Played(SceneFile(), 250, 160, QRectF(0, 0, 250, 160));
    // Ink of the horizontal and of the rotated caption, in both pictures.
    for (const QRect& area : {QRect(10, 130, 70, 22), QRect(228, 95, 22, 40)}) {
        int inkDirect = 0;
        int inkPlayed = 0;
        int same = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const bool a = qBlue(direct.pixel(x, y)) > 100 && qRed(direct.pixel(x, y)) < 100;
                const bool b = qBlue(played.pixel(x, y)) > 100 && qRed(played.pixel(x, y)) < 100;
                inkDirect += a;
                inkPlayed += b;
                same += a && b;
            }
        }
        EXPECT_GT(inkDirect, 20);
        EXPECT_GT(same, inkDirect * 8 / 10) << area.x();
        EXPECT_NEAR(inkPlayed, inkDirect, inkDirect / 10 + 2) << area.x();
    }
}

TEST(EmfRoundTrip, StretchesTheFrameOntoTheTarget) {
    const QByteArray file =
        Written(100, 50, [](QPainter& p) { p.fillRect(QRectF(10, 10, 20, 10), Qt::red); });
    const QImage played = Played(file, 300, 200, QRectF(50, 40, 200, 150));
    // The rectangle spans 20..60 of 100 pixels, 20..40 of 50: scaled 2 and 3 times.
    EXPECT_EQ(played.pixel(71, 71), qRgb(255, 0, 0));
    EXPECT_EQ(played.pixel(109, 99), qRgb(255, 0, 0));
    EXPECT_EQ(played.pixel(69, 71), qRgb(255, 255, 255));
    EXPECT_EQ(played.pixel(111, 99), qRgb(255, 255, 255));
    EXPECT_EQ(played.pixel(71, 101), qRgb(255, 255, 255));
}

// A row of a picture as text, '#' for ink and '.' for white.
std::string RowInk(const QImage& image, int y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
        row += image.pixel(x, y) == qRgb(255, 255, 255) ? '.' : '#';
    }
    return row;
}

// The canvas's dashed pens are written as the classic pen styles, which play back dash
// for dash as the canvas drew them.
TEST(EmfRoundTrip, DashedPensKeepTheirStyleAndDashes) {
    const struct {
        TPenStyle style;
        uint32_t written;
    } cases[] = {
        {psDash, Gdi::PsDash},
        {psDot, Gdi::PsDot},
        {psDashDot, Gdi::PsDashDot},
        {psDashDotDot, Gdi::PsDashDotDot},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(kPenStyleNames[c.style]);
        const auto draw = [&c](TCanvas& canvas) {
            canvas.Pen().SetStyle(c.style);
            canvas.Polyline({{0, 5}, {96, 5}});
        };
        TBitmapCanvas direct(100, 10);
        draw(direct.Canvas());
        const QByteArray file = Written(100, 10, [&draw](QPainter& p) {
            TCanvas canvas(&p);
            draw(canvas);
        });
        const std::vector<QByteArray> pens = RecordsOfType(file, Emr::ExtCreatePen);
        ASSERT_EQ(pens.size(), 1U);
        EXPECT_EQ(U32At(pens[0], 28) & Gdi::PsStyleMask, c.written);
        const QImage played = Played(file, 100, 10, QRectF(0, 0, 100, 10));
        EXPECT_EQ(RowInk(played, 5), RowInk(direct.Image(), 5));
    }
}

TEST(PictureMetafile, DrawsStretchedAndReportsItsSize) {
    const QByteArray file =
        Written(40, 20, [](QPainter& p) { p.fillRect(QRectF(0, 0, 20, 20), Qt::blue); });
    TPicture picture;
    picture.SetGraphic(QStringLiteral("TMetafile"), file);
    EXPECT_EQ(picture.Graphic()->Size(), (TSize{40, 20}));
    TBitmapCanvas bitmap(100, 60);
    picture.Draw(bitmap.Canvas(), TRect{10, 10, 90, 50});
    EXPECT_EQ(bitmap.Image().pixel(11, 11), qRgb(0, 0, 255));
    EXPECT_EQ(bitmap.Image().pixel(48, 48), qRgb(0, 0, 255));
    EXPECT_EQ(bitmap.Image().pixel(52, 30), qRgb(255, 255, 255));
    EXPECT_EQ(bitmap.Image().pixel(5, 5), qRgb(255, 255, 255));
}

// ---- Files from other programs -------------------------------------------------------

// A header for a picture of 100 x 100 pixels on a reference device of 4 pixels per
// millimetre, then the records, then the end record.
QByteArray ForeignFile(const QByteArray& records) {
    const QByteArray eof = Record(Emr::Eof, Le32({0, 16, 20}));
    const int64_t total = 88 + records.size() + eof.size();
    int64_t count = 2;
    for (qsizetype at = 0; at < records.size(); at += U32At(records, at + 4)) {
        ++count;
    }
    QByteArray header =
        Le32({1, 88, 0, 0, 99, 99, 0, 0, 2499, 2499, 0x464D4520, 0x10000, total, count}) +
        Le16({4, 0}) + Le32({0, 0, 0, 1000, 1000, 250, 250});
    return header + records + eof;
}

QByteArray Polygon16(std::initializer_list<int> coordinates) {
    return Record(Emr::Polygon16, Le32({0, 0, 0, 0, static_cast<int64_t>(coordinates.size() / 2)}) +
                                      Le16(coordinates));
}

TEST(EmfForeign, MappingModesPlaceTheSameSquare) {
    const QByteArray blackBrush = Record(Emr::SelectObject, Le32({0x80000004}));
    const QByteArray nullPen = Record(Emr::SelectObject, Le32({0x80000008}));
    const struct {
        const char* name;
        QByteArray records;
    } cases[] = {
        {"text", Polygon16({20, 20, 60, 20, 60, 60, 20, 60})},
        {"anisotropic", Record(Emr::SetMapMode, Le32({8})) +
                            Record(Emr::SetWindowExtEx, Le32({1000, 500})) +
                            Record(Emr::SetViewportExtEx, Le32({100, 50})) +
                            Polygon16({200, 200, 600, 200, 600, 600, 200, 600})},
        {"isotropic keeps the smaller scale",
         Record(Emr::SetMapMode, Le32({7})) + Record(Emr::SetWindowExtEx, Le32({1000, 1000})) +
             Record(Emr::SetViewportExtEx, Le32({100, 300})) +
             Polygon16({200, 200, 600, 200, 600, 600, 200, 600})},
        {"origins", Record(Emr::SetMapMode, Le32({8})) + Record(Emr::SetWindowExtEx, Le32({2, 2})) +
                        Record(Emr::SetViewportExtEx, Le32({1, 1})) +
                        Record(Emr::SetWindowOrgEx, Le32({100, 100})) +
                        Record(Emr::SetViewportOrgEx, Le32({10, 10})) +
                        Polygon16({120, 120, 200, 120, 200, 200, 120, 200})},
        {"world transform",
         Record(Emr::SetWorldTransform, Le32({0x40000000, 0, 0, 0x40000000, 0, 0})) +
             Polygon16({10, 10, 30, 10, 30, 30, 10, 30})},
        {"saved and restored", Record(Emr::SaveDC, {}) + Record(Emr::SetMapMode, Le32({8})) +
                                   Record(Emr::SetWindowExtEx, Le32({1, 1})) +
                                   Record(Emr::SetViewportExtEx, Le32({9, 9})) +
                                   Record(Emr::RestoreDC, Le32({-1})) +
                                   Polygon16({20, 20, 60, 20, 60, 60, 20, 60})},
    };
    for (const auto& c : cases) {
        const QByteArray file = ForeignFile(blackBrush + nullPen + c.records);
        // 100 device pixels onto 200 image pixels: the square covers 40..120.
        const QImage image = Played(file, 200, 200, QRectF(0, 0, 200, 200));
        EXPECT_EQ(image.pixel(42, 42), qRgb(0, 0, 0)) << c.name;
        EXPECT_EQ(image.pixel(118, 118), qRgb(0, 0, 0)) << c.name;
        EXPECT_EQ(image.pixel(37, 80), qRgb(255, 255, 255)) << c.name;
        EXPECT_EQ(image.pixel(123, 80), qRgb(255, 255, 255)) << c.name;
    }
    EXPECT_EQ(EnhancedMetafileSize(ForeignFile({})), (TSize{94, 94})); // 25 mm at 96 dpi
}

TEST(EmfForeign, PlaysObjectsTextAndBitmaps) {
    // A 2 x 2 bitmap, 8 bits with a palette of two colours, bottom row first.
    const QByteArray info =
        Le32({40, 2, 2}) + Le16({1, 8}) + Le32({0, 8, 0, 0, 2, 0}) + Le32({0x0000FF00, 0x000000FF});
    const QByteArray bits = QByteArray::fromHex("00010000"
                                                "01000000");
    const QByteArray stretch =
        Record(Emr::StretchDIBits, Le32({0, 0, 0, 0, 60, 60, 0, 0, 2, 2, 80, info.size(),
                                         80 + info.size(), bits.size(), 0, 0x00CC0020, 20, 20}) +
                                       info + bits);
    QByteArray font = Le32({1, -20, 0, 0, 0, 700}) + QByteArray(8, '\0');
    font += Le16({'A', 'r', 'i', 'a', 'l'});
    font += QByteArray(64 - 10, '\0');
    const QByteArray text =
        Le32({0, 0, 0, 0, 1, 0, 0, 5, 90, 3, 76, 0, 0, 0, 0, 0, 0}) + Le16({'W', 'W', 'W', 0});
    const QByteArray records =
        Record(Emr::CreateBrushIndirect, Le32({1, Gdi::BsSolid, 0x00FF0000, 0})) +
        Record(Emr::SelectObject, Le32({1})) +
        Record(Emr::CreatePen, Le32({2, Gdi::PsNull, 0, 0, 0})) +
        Record(Emr::SelectObject, Le32({2})) + Record(Emr::DeleteObject, Le32({1})) +
        Record(Emr::Ellipse, Le32({5, 5, 45, 45})) + stretch +
        Record(Emr::ExtCreateFontIndirectW, font) + Record(Emr::SelectObject, Le32({3})) +
        Record(Emr::SetTextColor, Le32({0x0000FF})) + Record(Emr::SetBkMode, Le32({1})) +
        Record(Emr::SetTextAlign, Le32({24})) + Record(Emr::ExtTextOutW, text);
    const QImage image = Played(ForeignFile(records), 100, 100, QRectF(0, 0, 100, 100));
    EXPECT_EQ(image.pixel(25, 25), qRgb(0, 0, 255)); // the brush outlived its deletion
    // Rows bottom first: the top row holds indexes 1, 0.
    EXPECT_EQ(image.pixel(61, 61), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(78, 61), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(61, 78), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(78, 78), qRgb(0, 0, 255));
    int red = 0;
    for (int y = 60; y < 95; ++y) {
        for (int x = 0; x < 60; ++x) {
            red += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 80;
        }
    }
    EXPECT_GT(red, 40); // the bold red text on its baseline at y = 90
}

TEST(EmfForeign, ClipRegionsAndClipRects) {
    const QByteArray region = Le32({32, 1, 1, 16, 0, 0, 50, 100, 0, 0, 50, 100});
    const QByteArray records = Record(Emr::ExtSelectClipRgn, Le32({48, Gdi::RgnCopy}) + region) +
                               Record(Emr::ExcludeClipRect, Le32({0, 0, 10, 10})) +
                               Record(Emr::SelectObject, Le32({0x80000004})) +
                               Polygon16({0, 0, 100, 0, 100, 100, 0, 100}) +
                               Record(Emr::ExtSelectClipRgn, Le32({0, Gdi::RgnCopy})) +
                               Record(Emr::SelectObject, Le32({0x80000002})) +
                               Polygon16({90, 90, 100, 90, 100, 100, 90, 100});
    const QImage image = Played(ForeignFile(records), 100, 100, QRectF(0, 0, 100, 100));
    EXPECT_EQ(image.pixel(25, 50), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(75, 50), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(95, 95), qRgb(128, 128, 128));
}

// ---- Damaged files -------------------------------------------------------------------

QByteArray HostileBase() {
    return Written(64, 64, [](QPainter& p) {
        TCanvas canvas(&p);
        canvas.Brush().SetColor(clRed);
        canvas.Rectangle(2, 2, 20, 20);
        canvas.Polygon({{30, 2}, {60, 2}, {45, 30}});
        canvas.Pen().SetStyle(psDash);
        canvas.Ellipse(TRect{2, 30, 30, 60});
        canvas.TextOut(30, 40, QStringLiteral("abc"));
        QImage image(3, 3, QImage::Format_RGB32);
        image.fill(Qt::green);
        canvas.StretchDraw(TRect{40, 50, 60, 62}, image);
        canvas.SetClipRect(TRect{0, 0, 10, 10});
        canvas.Rectangle(0, 0, 64, 64);
    });
}

qsizetype OffsetOf(const QByteArray& file, uint32_t type) {
    for (const TRecordAt& r : Records(file)) {
        if (U32At(r.bytes, 0) == type) {
            return r.offset;
        }
    }
    return -1;
}

// Plays a damaged file and throws the picture away: what it draws is left open, so the
// sanitizers (address and undefined behaviour, in the debug build) and the absence of
// a crash are the assertion of every test that only calls this.
void PlaysSafely(const QByteArray& file) {
    QImage image = White(64, 64);
    QPainter painter(&image);
    PlayEnhancedMetafile(file, painter, QRectF(0, 0, 64, 64));
}

TEST(EmfHostile, TruncatedFilesDrawWhatTheyHave) {
    const QByteArray file = HostileBase();
    // Every cut plays without reading past the end: the sanitizers check this loop.
    for (qsizetype length = 0; length < file.size(); length += 3) {
        QByteArray cut = file.left(length);
        PlaysSafely(cut);
    }
    // Cut after the first rectangle: it is drawn, what follows is not.
    const qsizetype polygon = OffsetOf(file, Emr::Polygon16);
    ASSERT_GT(polygon, 0);
    const QImage image = Played(file.left(polygon + 20), 64, 64, QRectF(0, 0, 64, 64));
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(45, 10), qRgb(255, 255, 255));
}

// No assertions of its own: the sanitizers catch a field that is trusted.
TEST(EmfHostile, BrokenFieldsAreRejected) {
    const QByteArray base = HostileBase();
    const auto at = [&base](uint32_t type, qsizetype field) {
        const qsizetype offset = OffsetOf(base, type);
        EXPECT_GE(offset, 0) << type;
        return offset + field;
    };
    const struct {
        const char* name;
        qsizetype offset;
        uint32_t value;
    } cases[] = {
        {"record size 0", at(Emr::Polygon16, 4), 0},
        {"record size 4", at(Emr::Polygon16, 4), 4},
        {"record size past the end", at(Emr::Polygon16, 4), 0x7FFFFFF0},
        {"unaligned record size", at(Emr::Polygon16, 4), 29},
        {"huge point count", at(Emr::Polygon16, 24), 0xFFFFFFFF},
        {"file size beyond the buffer", 48, 0xFFFFFFF0},
        {"header size beyond the buffer", 4, 0xFFFFFF00},
        {"huge object handle", at(Emr::ExtCreatePen, 8), 0xFFFFFFF},
        {"huge dash count", at(Emr::ExtCreatePen, 48), 0x40000000},
        {"huge character count", at(Emr::ExtTextOutW, 44), 0x7FFFFFFF},
        {"string offset outside", at(Emr::ExtTextOutW, 48), 0xFFFFFFFC},
        {"advances outside", at(Emr::ExtTextOutW, 72), 0xFFFFFFF0},
        {"huge font", at(Emr::ExtCreateFontIndirectW, 12), 0x80000000},
        {"bitmap info outside", at(Emr::StretchDIBits, 48), 0xFFFFFFF0},
        {"bitmap bits outside", at(Emr::StretchDIBits, 56), 0x7FFFFFFF},
        {"bitmap bits too short", at(Emr::StretchDIBits, 60), 4},
        {"huge bitmap", at(Emr::StretchDIBits, 84), 0x7FFFFFFF},
        {"negative bitmap height", at(Emr::StretchDIBits, 88), 0x80000000},
        {"bitmap depth 7", at(Emr::StretchDIBits, 94), 7},
        {"huge region count", at(Emr::ExtSelectClipRgn, 24), 0x10000000},
        {"region size beyond record", at(Emr::ExtSelectClipRgn, 8), 0xFFFFFFF0},
        {"huge destination", at(Emr::StretchDIBits, 72), 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray file = base;
        PutU32(file, c.offset, c.value);
        PlaysSafely(file);
    }
}

// No assertions of its own: the sanitizers catch an overflow or a runaway allocation.
TEST(EmfHostile, ExtremeValuesInForeignRecords) {
    const QByteArray records[] = {
        Record(Emr::SetMapMode, Le32({8})) + Record(Emr::SetWindowExtEx, Le32({1, 1})) +
            Record(Emr::SetViewportExtEx, Le32({0x7FFFFFFF, 0x7FFFFFFF})) +
            Record(Emr::CreatePen, Le32({1, Gdi::PsDot, 1, 0, 0})) +
            Record(Emr::SelectObject, Le32({1})) +
            Record(Emr::Ellipse, Le32({-0x7FFFFFFF, -0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF})),
        Record(Emr::SetWorldTransform, Le32({0x7F800000, 0, 0, 0x7FC00000, 0, 0})) +
            Polygon16({0, 0, 10, 0, 10, 10}),
        Record(Emr::ScaleWindowExtEx, Le32({0, 0, 1, 0})) +
            Record(Emr::RestoreDC, Le32({-0x7FFFFFFF})) + Record(Emr::RestoreDC, Le32({5})),
        Record(Emr::PolyPolygon16,
               Le32({0, 0, 0, 0, 2, 3, 0xFFFFFFFF, 3}) + Le16({0, 0, 5, 5, 0, 5})),
        Record(Emr::PolyPolygon, Le32({0, 0, 0, 0, 0x40000000, 1})),
        Record(Emr::Arc, Le32({0, 0, 0, 10, 5, 5, 5, 5})) +
            Record(Emr::Pie, Le32({0, 0, 10, 10, 5, 5, 5, 5})),
        Record(Emr::FillRgn, Le32({0, 0, 0, 0, 48, 0x80000004, 32, 1, 3, 48, 0, 0, 0, 0})),
        Record(Emr::BitBlt, QByteArray(92, '\0')),
        Record(Emr::PolyBezierTo16, Le32({0, 0, 0, 0, 2}) + Le16({1, 1, 2, 2})),
        // A slanted clip millions of pixels tall: a region of it would hold a band
        // per row (found by fuzzing).
        Record(Emr::BeginPath, {}) + Record(Emr::MoveToEx, Le32({-11, -1})) +
            Record(Emr::PolylineTo,
                   Le32({0, 0, 0, 0, 3, 49679, 28688, -16777216, 16777216, -11, -1})) +
            Record(Emr::EndPath, {}) + Record(Emr::SelectClipPath, Le32({Gdi::RgnCopy})) +
            Polygon16({0, 0, 10, 0, 10, 10}),
    };
    for (const QByteArray& r : records) {
        PlaysSafely(ForeignFile(r));
    }
    for (int i = 0; i < 300; ++i) {
        PlaysSafely(ForeignFile(Record(Emr::SaveDC, {})));
    }
}

// ---- What reaches Qt -----------------------------------------------------------------

int64_t Bits(float value) {
    return std::bit_cast<uint32_t>(value);
}

QByteArray World(float m11, float m12, float m21, float m22, float dx, float dy) {
    return Record(Emr::SetWorldTransform,
                  Le32({Bits(m11), Bits(m12), Bits(m21), Bits(m22), Bits(dx), Bits(dy)}));
}

// A wide-character text record at reference, with advances for every character or none.
QByteArray TextOut(int64_t x, int64_t y, const QString& text, uint32_t options = 0,
                   const QRect& box = {}, std::initializer_list<int64_t> advances = {}) {
    constexpr int64_t kStringAt = 76;
    const int64_t chars = text.size();
    QByteArray string(reinterpret_cast<const char*>(text.utf16()), 2 * chars);
    string.append(QByteArray(string.size() % 4, '\0'));
    const int64_t dxAt = advances.size() == 0 ? 0 : kStringAt + string.size();
    return Record(Emr::ExtTextOutW,
                  Le32({0, 0, 0, 0, 1, 0, 0, x, y, chars, kStringAt, options, box.left(), box.top(),
                        box.right() + 1, box.bottom() + 1, dxAt}) +
                      string + Le32(advances));
}

TEST(EmfLimits, DrawableTransformsAndAreas) {
    constexpr double kLimit = kMaxCoordinate;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QRectF unit(0, 0, 1, 1);
    const struct {
        const char* name;
        QTransform transform;
        QRectF area;
        bool drawable;
    } cases[] = {
        {"identity", QTransform(), unit, true},
        {"turned and stretched", QTransform().rotate(30).scale(0.05, 25), unit, true},
        {"print scale", QTransform::fromScale(600 / 96.0, 600 / 96.0), unit, true},
        {"not a number", QTransform(nan, 0, 0, 1, 0, 0), unit, false},
        {"infinite translation", QTransform(1, 0, 0, 1, 0, -inf), unit, false},
        {"translation beyond the device", QTransform::fromTranslate(-2 * kLimit, 0), unit, false},
        {"translation at the edge", QTransform::fromTranslate(-kLimit + 1, 0), unit, true},
        {"huge scale", QTransform::fromScale(1 << 20, 1), unit, false},
        {"tiny scale", QTransform::fromScale(1, 1.0 / (1 << 20)), unit, false},
        {"flattened", QTransform(1, 1, 1, 1, 0, 0), unit, false},
        {"projective", QTransform(1, 0, 0.001, 0, 1, 0, 0, 0, 1), unit, false},
        {"area beyond the device", QTransform::fromScale(2, 2), QRectF(0, 0, kLimit, 1), false},
        {"area within the device", QTransform(), QRectF(-kLimit, -kLimit, 2 * kLimit, 1), true},
        {"area turned beyond the device", QTransform().rotate(45), QRectF(0, 0, kLimit, kLimit),
         false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDrawable(c.transform, c.area), c.drawable) << c.name;
    }
}

// Files the fuzz target crashed on, by what reached Qt's glyph cache: text whose
// advances run hundreds of millions of device pixels along its baseline, and text
// stretched more than a thousandfold along it, which FreeType failed to render.
const QByteArray kHugeTextAdvances = QByteArray::fromHex(
    "010000006C0000000000000000000000DA02000090010000FFFFFFFFFFFFFFFF8C4B00007129000020454D46"
    "00000100B48A0000DE0400000500000024000000000000000000000080070000A0050000FC0100007D010000"
    "00000000000000000000000060C0073D48D0050023000000200000000000803D00000000000000000000803D"
    "000000FF00000000120000000C00000001000000160000000C000000180000005D0000003400000000000000"
    "00000000000000000000000000000000002101001000000000000000000000000000000000000000250000FC"
    "0C0000000100000027000000180000000200000000000000FFFF800000000000250000000C00000002000000"
    "560000002C0000000000000000000000820000005000000004000000080008002808080028080805080C0801"
    "3D000000080000003C000000080000004000000018000000C800000000000000480100004E00000054000000"
    "C0000000D10000001C0000004001000037000000020000000000000000000000100D00006002000013000000"
    "4C000000000000000000000000000000FFFFFFFFFFFFFFFF74000000540052006F0075006E0064010000006C"
    "0000000000000000000000DA0200009001D6000000000000002C000000C80000001400000049010000150000"
    "00040000009814400198145001880C5001880C40013D000000080000001B00000010000000880C0000C00100"
    "D01D130098144002981450023D0000000800880C00");
const QByteArray kStretchedGlyphs = QByteArray::fromHex(
    "010000006C0000000000000000000000DA02000090010000FFFFFFFFFFFFFFFF8C4B00007129000020454D46"
    "00000100B48A0000DE0400000500000024000000000000000000000080070000A0050000FC0100007D010000"
    "00000000000000000000000060C0073D48D0050023000000200000000000803D00000000000000000000803D"
    "000000FF00000000120000000C00000001000000160000000C000000180000005D0000003400000000000000"
    "00000000000000000000000000000000002101001000000000000000000000000000000000000000250000FC"
    "0C0000000100000027000000180000000200000000000000FFFF800000000000250000000C00000002000000"
    "560000002C0000000000000000000000820000005000000004000000080008002808080028080805080C0801"
    "3D000000080000003C000000080000004000000018000000C800B70000000000480100004E00000054000000"
    "C0000000D10000001C0000004001000037000000020000000000000000000000100D00006002000013000000"
    "4C00000000000000210000000000000000FFFFFFFFFFFFFFFF74000000540052006F0075006E006401000000"
    "6C0000000000000000000000DA0200009001D6000000000000002C000000C800000014000000490100001500"
    "0000040000009814400198145001880C5001880C40013D000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF080000001B"
    "00000010000000880C0000C001706F73747363726970742D696E666F00000800880C00");

// The fuzz target plays these into a tall rectangle under a turned painter; here
// also zoomed, printed and turned back. The sanitizers and the absence of a crash
// are the assertion; with a black band drawn ahead of a file's records, the band
// must still be there.
TEST(EmfLimits, FuzzedTextFilesPlaySafely) {
    constexpr qsizetype kHeaderSize = 108;
    const QByteArray band =
        Record(Emr::SelectObject, Le32({0x80000004})) + Polygon16({0, 0, 1, 0, 1, 200, 0, 200});
    const struct {
        const char* name;
        QTransform painter;
        QRectF target;
    } cases[] = {
        {"as fuzzed, upright", QTransform(), QRectF(0, 0, 64, 48)},
        {"as fuzzed, a tall rectangle turned", QTransform().rotate(30), QRectF(-10, 5, 40, 1e4)},
        {"zoomed in", QTransform::fromScale(24, 24), QRectF(0, 0, 64, 48)},
        {"printed", QTransform::fromScale(600 / 96.0, 600 / 96.0), QRectF(0, 0, 64, 48)},
        {"zoomed out and turned back", QTransform().rotate(-60).scale(0.25, 0.25),
         QRectF(-100, 100, 64, 48)},
    };
    for (const QByteArray& file : {kHugeTextAdvances, kStretchedGlyphs}) {
        const QByteArray banded = file.left(kHeaderSize) + band + file.mid(kHeaderSize);
        for (const auto& c : cases) {
            const auto play = [&c](const QByteArray& bytes) {
                QImage image = White(64, 48);
                QPainter painter(&image);
                painter.setTransform(c.painter);
                PlayEnhancedMetafile(bytes, painter, c.target);
                painter.end();
                return image;
            };
            play(file);
            const QImage image = play(banded);
            int black = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    black += image.pixel(x, y) == qRgb(0, 0, 0);
                }
            }
            EXPECT_GT(black, 0) << c.name;
        }
    }
}

// Text stretched beyond what the glyph cache takes is filled as outlines: still drawn.
TEST(EmfLimits, StretchedTextIsStillDrawn) {
    const struct {
        const char* name;
        int64_t wide;
        int64_t tall;
    } cases[] = {{"wide", 8, 1}, {"tall", 1, 8}};
    for (const auto& c : cases) {
        const QByteArray records = Record(Emr::SetMapMode, Le32({Gdi::MmAnisotropic})) +
                                   Record(Emr::SetWindowExtEx, Le32({1, 1})) +
                                   Record(Emr::SetViewportExtEx, Le32({c.wide, c.tall})) +
                                   TextOut(1, 1, QStringLiteral("WW"));
        const QImage image = Played(ForeignFile(records), 100, 100, QRectF(0, 0, 100, 100));
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dark += qGray(image.pixel(x, y)) < 128;
            }
        }
        EXPECT_GT(dark, 50) << c.name;
    }
}

// Each case's records lie between a saved and a restored state, after one square
// and before another: whatever the records hold, both squares are drawn wherever
// the painter puts them.
TEST(EmfLimits, RecordsBeyondWhatQtTakesAreSkipped) {
    constexpr int64_t kFar = 0x7FFFFFFF;
    const QByteArray redBrush =
        Record(Emr::CreateBrushIndirect, Le32({1, Gdi::BsSolid, 0x0000FF, 0})) +
        Record(Emr::SelectObject, Le32({1}));
    const QByteArray anisotropic = Record(Emr::SetMapMode, Le32({Gdi::MmAnisotropic}));
    const QByteArray triangle = Polygon16({0, 0, 10, 0, 10, 10});
    const QByteArray info = Le32({40, 1, 1}) + Le16({1, 32}) + Le32({0, 4, 0, 0, 0, 0});
    const auto stretch = [&info](int64_t width, int64_t height, int64_t sourceWidth) {
        return Record(Emr::StretchDIBits,
                      Le32({0, 0, 0, 0, 0, 0, 0, 0, sourceWidth, 1, 80, info.size(),
                            80 + info.size(), 4, 0, Gdi::SrcCopy, width, height}) +
                          info + Le32({0x00FF0000}));
    };
    QByteArray compounding;
    for (int i = 0; i < 12; ++i) {
        compounding +=
            Record(Emr::ModifyWorldTransform, Le32({Bits(1 << 20), 0, 0, Bits(1 << 20), 0, 0, 3}));
    }
    QByteArray growingViewport = anisotropic;
    for (int i = 0; i < 40; ++i) {
        growingViewport += Record(Emr::ScaleViewportExtEx, Le32({kFar, 1, kFar, 1}));
    }
    const QByteArray region =
        Le32({32, 1, 2, 32, -kFar, -kFar, kFar, kFar, -kFar, -kFar, -5, -5, 5, 5, kFar, kFar});
    const struct {
        const char* name;
        QByteArray records;
    } cases[] = {
        {"text advancing far",
         TextOut(10, 50, QStringLiteral("abc"), 0, {}, {1, 0x50000000, 0x50000000})},
        {"text anchored far", TextOut(kFar, -kFar, QStringLiteral("abc"))},
        {"text of a huge font",
         Record(Emr::ExtCreateFontIndirectW, Le32({2, -(1 << 24)}) + QByteArray(88, '\0')) +
             Record(Emr::SelectObject, Le32({2})) + TextOut(10, 50, QStringLiteral("abc"))},
        {"text stretched along its baseline",
         anisotropic + Record(Emr::SetWindowExtEx, Le32({1, 1000})) +
             Record(Emr::SetViewportExtEx, Le32({1000, 1})) + TextOut(0, 0, QStringLiteral("abc"))},
        {"opaque text box far", TextOut(10, 50, {}, Gdi::EtoOpaque, QRect(-1, -1, 1 << 30, 8))},
        {"clipping text box far",
         TextOut(10, 50, QStringLiteral("abc"), Gdi::EtoClipped, QRect(0, 0, 1 << 30, 8))},
        {"text advancing the current position far",
         Record(Emr::SetTextAlign, Le32({Gdi::TaUpdateCP})) +
             TextOut(0, 0, QStringLiteral("ab"), 0, {}, {0x40000000, 0x40000000}) +
             TextOut(0, 0, QStringLiteral("ab"))},
        {"polygon reaching far",
         redBrush + Record(Emr::Polygon, Le32({0, 0, 0, 0, 3, 0, 0, kFar, 0, 0, kFar}))},
        {"world scaled beyond bounds", redBrush + World(1 << 24, 0, 0, 1 << 24, 0, 0) + triangle},
        {"world nearly flat", redBrush + World(1, 1, 1, 1.0000001f, 0, 0) + triangle},
        {"world translated to the device's edge",
         redBrush + World(1, 0, 0, 1, 1 << 24, 1 << 24) + triangle},
        {"world compounded to infinity",
         redBrush + compounding + Record(Emr::Ellipse, Le32({0, 0, 10, 10}))},
        {"viewport scaled to infinity", growingViewport +
                                            Record(Emr::Rectangle, Le32({0, 0, 10, 10})) +
                                            Record(Emr::IntersectClipRect, Le32({0, 0, 10, 10}))},
        {"origin far", Record(Emr::SetViewportOrgEx, Le32({kFar, kFar})) +
                           Record(Emr::RoundRect, Le32({0, 0, 10, 10, 4, 4}))},
        {"extents far apart", anisotropic + Record(Emr::SetWindowExtEx, Le32({1, 1})) +
                                  Record(Emr::SetViewportExtEx, Le32({kFar, kFar})) +
                                  Record(Emr::Arc, Le32({-kFar, -kFar, kFar, kFar, 0, 0, 1, 1}))},
        {"pen wider than the device",
         anisotropic + Record(Emr::SetViewportExtEx, Le32({1000, 1000})) +
             Record(Emr::ExtCreatePen, Le32({2, 0, 0, 0, 0, Gdi::PsGeometric | Gdi::PsSolid, kFar,
                                             Gdi::BsSolid, 0xFF, 0, 0})) +
             Record(Emr::SelectObject, Le32({2})) +
             Record(Emr::Polyline16, Le32({0, 0, 0, 0, 2}) + Le16({0, 0, 10, 10}))},
        {"pixel set far", Record(Emr::SetPixelV, Le32({kFar, kFar, 0xFF}))},
        {"bitmap stretched far", stretch(kFar, kFar, 1)},
        {"bitmap from an empty source", stretch(10, 10, 0)},
        {"blit fill far", Record(Emr::BitBlt, Le32({0, 0, 0, 0, -kFar, 0, kFar, 10, 0x00F00021}) +
                                                  QByteArray(60, '\0'))},
        {"region filled at its limits under a zoom",
         anisotropic + Record(Emr::SetViewportExtEx, Le32({1000, 1000})) +
             Record(Emr::FillRgn, Le32({0, 0, 0, 0, 64, 0x80000004}) + region)},
        {"clip path far beyond the device",
         Record(Emr::BeginPath, {}) +
             Record(Emr::Polygon, Le32({0, 0, 0, 0, 3, -kFar, -kFar, kFar, 0, 0, kFar})) +
             Record(Emr::EndPath, {}) + Record(Emr::SelectClipPath, Le32({Gdi::RgnCopy})) +
             redBrush + triangle},
        {"clip rectangles far", Record(Emr::ExtSelectClipRgn, Le32({64, Gdi::RgnXor}) + region) +
                                    Record(Emr::ExcludeClipRect, Le32({-kFar, -kFar, 5, 5})) +
                                    redBrush + triangle},
        {"clip rectangle under a flat world",
         World(1, 1, 1, 1.0000001f, 0, 0) + Record(Emr::IntersectClipRect, Le32({0, 0, 1, 1}))},
    };
    const struct {
        const char* name;
        QTransform painter;
    } painters[] = {
        {"upright", QTransform()},
        {"turned", QTransform::fromTranslate(200, 0).rotate(30)},
        {"zoomed", QTransform::fromScale(3.5, 3.5)},
    };
    const QByteArray before = Record(Emr::SelectObject, Le32({0x80000004})) +
                              Polygon16({10, 10, 30, 10, 30, 30, 10, 30}) + Record(Emr::SaveDC, {});
    const QByteArray after = Record(Emr::RestoreDC, Le32({-1})) +
                             Record(Emr::SelectObject, Le32({0x80000002})) +
                             Polygon16({60, 60, 80, 60, 80, 80, 60, 80});
    for (const auto& c : cases) {
        for (const auto& p : painters) {
            SCOPED_TRACE(std::string(c.name) + ", " + p.name);
            QImage image = White(400, 400);
            {
                QPainter painter(&image);
                painter.setTransform(p.painter);
                PlayEnhancedMetafile(ForeignFile(before + c.records + after), painter,
                                     QRectF(0, 0, 100, 100));
            }
            EXPECT_EQ(image.pixel(p.painter.map(QPointF(20, 20)).toPoint()), qRgb(0, 0, 0));
            EXPECT_EQ(image.pixel(p.painter.map(QPointF(70, 70)).toPoint()), qRgb(128, 128, 128));
        }
    }
}

// No assertions of its own: the sanitizers catch whatever the damage breaks.
TEST(EmfHostile, RandomDamageNeverBreaksThePlayer) {
    const QByteArray base = HostileBase();
    QRandomGenerator random(20260);
    for (int round = 0; round < 300; ++round) {
        QByteArray file = base;
        for (int k = 0; k < 6; ++k) {
            const auto offset =
                static_cast<qsizetype>(random.bounded(108, static_cast<int>(file.size()) - 4));
            PutU32(file, offset & ~3, random.generate());
        }
        PlaysSafely(file);
    }
}

} // namespace
} // namespace zov
