#include "platform/pictures/SvgWriter.h"

#include "platform/graphics/Canvas.h"
#include "support/CanvasScene.h"
#include "support/TestImages.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace zov {
namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;

QByteArray Written(QSize size, const std::function<void(QPainter&)>& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TSvgDevice device(buffer, size);
    QPainter painter(&device);
    draw(painter);
    EXPECT_TRUE(painter.end());
    return buffer.data();
}

// ---- Reading the document back -------------------------------------------------------

// The element the reader stands on, with its content, as a document of its own. A clip
// path becomes a group that fills its shape, by the clip's rule.
QByteArray Standalone(QXmlStreamReader& reader, QSize size, bool asMask) {
    const QString svg = QStringLiteral("http://www.w3.org/2000/svg");
    QByteArray document;
    QXmlStreamWriter writer(&document);
    writer.writeStartDocument();
    writer.writeDefaultNamespace(svg);
    writer.writeNamespace(QStringLiteral("http://www.w3.org/1999/xlink"), QStringLiteral("xlink"));
    writer.writeStartElement(svg, QStringLiteral("svg"));
    writer.writeAttribute(QStringLiteral("width"), QString::number(size.width()));
    writer.writeAttribute(QStringLiteral("height"), QString::number(size.height()));
    writer.writeAttribute(QStringLiteral("viewBox"),
                          QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height()));
    int depth = 0;
    while (!reader.atEnd()) {
        if (reader.isStartElement()) {
            const bool outer = depth == 0;
            writer.writeStartElement(svg, outer && asMask ? QStringLiteral("g")
                                                          : reader.name().toString());
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                if (asMask && a.name() == u"clip-rule") {
                    writer.writeAttribute(QStringLiteral("fill-rule"), a.value().toString());
                } else if (a.prefix() != u"xml" && !(outer && a.name() == u"clip-path")) {
                    writer.writeAttribute(a);
                }
            }
            ++depth;
        } else if (reader.isEndElement()) {
            writer.writeEndElement();
            --depth;
        } else if (reader.isCharacters()) {
            writer.writeCharacters(reader.text().toString());
        }
        if (depth == 0) {
            break;
        }
        reader.readNext();
    }
    writer.writeEndDocument();
    return document;
}

QImage RenderedAlone(const QByteArray& document, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(document);
    EXPECT_TRUE(renderer.isValid());
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

// The picture as a reader that honours clip paths sees it. Qt 6.4's own renderer
// ignores them, so each top-level group is rendered alone and cut to its clip path,
// which is rendered as a mask.
QImage Rendered(const QByteArray& svg, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter onPicture(&picture);
    std::map<QString, QImage> masks;
    QXmlStreamReader reader(svg);
    reader.readNextStartElement(); // the root
    while (reader.readNextStartElement()) {
        const bool isClip = reader.name() == u"clipPath";
        const QString id = reader.attributes().value(QLatin1String("id")).toString();
        const QString clip = reader.attributes().value(QLatin1String("clip-path")).toString();
        QImage layer = RenderedAlone(Standalone(reader, size, isClip), size);
        if (isClip) {
            masks[QStringLiteral("url(#%1)").arg(id)] = layer;
            continue;
        }
        if (!clip.isEmpty()) {
            EXPECT_TRUE(masks.count(clip)) << clip.toStdString();
            QPainter cut(&layer);
            cut.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            cut.drawImage(0, 0, masks[clip]);
        }
        onPicture.drawImage(0, 0, layer);
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return picture;
}

struct TElement {
    QString name;
    std::map<std::string, std::string> attributes;
    QString text;
};

// Every element of a document that must parse without error.
std::vector<TElement> Elements(const QByteArray& svg) {
    std::vector<TElement> elements;
    std::vector<size_t> open;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            TElement e{reader.name().toString(), {}, {}};
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                e.attributes[a.qualifiedName().toString().toStdString()] =
                    a.value().toString().toStdString();
            }
            open.push_back(elements.size());
            elements.push_back(e);
        } else if (reader.isEndElement()) {
            open.pop_back();
        } else if (reader.isCharacters() && !open.empty()) {
            elements[open.back()].text += reader.text();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return elements;
}

int Count(const std::vector<TElement>& elements, const QString& name) {
    return static_cast<int>(std::count_if(elements.begin(), elements.end(),
                                          [&name](const TElement& e) { return e.name == name; }));
}

int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// ---- The canvas scene ----------------------------------------------------------------

void DrawScene(TCanvas& canvas) {
    test::DrawSampleShapes(canvas);
    canvas.Font().SetStyle({fsBold, fsItalic, fsUnderline});
    canvas.TextOut(10, 160, QStringLiteral("Bold <&>"));
    canvas.Font().SetStyle({});
    // A picture cut to an ellipse, under a mapping that doubles and moves.
    canvas.SaveDC();
    canvas.SetMapMode(TMapMode::Isotropic);
    canvas.SetWindowExt(1, 1);
    canvas.SetViewportExt(2, 2);
    canvas.SetViewportOrg(240, 10);
    canvas.SelectClipRegion(TGraphRegion::Ellipse(TRect{0, 0, 25, 25}));
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    canvas.StretchDraw(TRect{0, 0, 25, 25}, picture);
    canvas.RestoreDC();
}

QImage SceneDirect() {
    TBitmapCanvas bitmap(kWidth, kHeight);
    DrawScene(bitmap.Canvas());
    return bitmap.Image();
}

QByteArray SceneSvg() {
    return Written({kWidth, kHeight}, [](QPainter& p) {
        TCanvas canvas(&p);
        DrawScene(canvas);
    });
}

TEST(SvgScene, ParsesWithTextKeptAsText) {
    const QByteArray svg = SceneSvg();
    const std::vector<TElement> elements = Elements(svg);
    ASSERT_FALSE(elements.empty());
    const TElement& root = elements.front();
    EXPECT_EQ(root.name, "svg");
    EXPECT_EQ(root.attributes.at("width"), "300px");
    EXPECT_EQ(root.attributes.at("height"), "200px");
    EXPECT_EQ(root.attributes.at("viewBox"), "0 0 300 200");

    std::map<QString, TElement> texts;
    for (const TElement& e : elements) {
        if (e.name == "text") {
            texts[e.text] = e;
        }
    }
    ASSERT_EQ(texts.size(), 3u);
    const TElement& plain = texts.at("Enhanced");
    EXPECT_EQ(plain.attributes.at("font-size"), "16");
    EXPECT_EQ(plain.attributes.at("xml:space"), "preserve");
    EXPECT_EQ(plain.attributes.count("font-weight"), 0u);
    const TElement& styled = texts.at("Bold <&>");
    EXPECT_EQ(styled.attributes.at("font-weight"), "bold");
    EXPECT_EQ(styled.attributes.at("font-style"), "italic");
    EXPECT_EQ(styled.attributes.at("text-decoration"), "underline");
    const TElement& turned = texts.at("Up");
    // Turned about its baseline point, which lies ascent to the right of (235, 130).
    const std::string& x = turned.attributes.at("x");
    EXPECT_EQ(turned.attributes.at("transform"), "rotate(-90 " + x + " 130)");
    EXPECT_EQ(turned.attributes.at("y"), "130");
    EXPECT_GT(std::stod(x), 245);

    // Nothing but text carries the captions: QPainter's own underline is left out.
    EXPECT_EQ(Count(elements, "image"), 2);
    for (const TElement& e : elements) {
        if (e.name == "image") {
            EXPECT_EQ(e.attributes.at("xlink:href").rfind("data:image/png;base64,", 0), 0u);
        }
    }
    EXPECT_EQ(Count(elements, "clipPath"), 2);
}

// Navy ink of the captions.
bool IsTextInk(QRgb pixel) {
    return qBlue(pixel) > 100 && qRed(pixel) < 100 && qGreen(pixel) < 100;
}

TEST(SvgScene, RendersLikeDirectDrawing) {
    const QImage direct = SceneDirect();
    const QImage rendered = Rendered(SceneSvg(), {kWidth, kHeight});
    test::SaveTestImage(rendered, QStringLiteral("svg-scene"));
    const struct {
        int x, y;
        QRgb color;
    } probes[] = {
        {40, 10, qRgb(0, 0, 0)},
        {69, 30, qRgb(0, 0, 0)},
        {40, 30, qRgb(255, 0, 0)},
        {70, 30, qRgb(255, 255, 255)},
        {115, 35, qRgb(0, 255, 0)},
        {190, 45, qRgb(0, 0, 255)},
        {85, 75, qRgb(0, 0, 0)},
        {100, 75, qRgb(255, 255, 255)},
        {92, 92, qRgb(0, 128, 0)},
        {120, 120, qRgb(255, 255, 0)},
        {161, 102, qRgb(0, 0, 0)},
        {190, 102, qRgb(255, 255, 255)},
        // The clip rectangle: the ellipse shows only inside it.
        {175, 140, qRgb(0, 128, 128)},
        {145, 140, qRgb(255, 255, 255)},
        {175, 155, qRgb(255, 255, 255)},
        {205, 140, qRgb(255, 255, 255)},
        // The picture cut to an ellipse at (240, 10)-(290, 60).
        {265, 35, qRgb(255, 0, 255)},
        {244, 14, qRgb(255, 255, 255)},
        {286, 56, qRgb(255, 255, 255)},
        {243, 35, qRgb(255, 0, 255)},
    };
    for (const auto& p : probes) {
        EXPECT_LE(Distance(rendered.pixel(p.x, p.y), p.color), 8) << p.x << "," << p.y;
        EXPECT_LE(Distance(direct.pixel(p.x, p.y), p.color), 8) << p.x << "," << p.y;
    }
    // Renderers shape and smooth glyphs their own way (Qt's leaves out underlines):
    // captions are compared by where their ink lies, everything else pixel by pixel.
    const QRect captions[] = {{10, 130, 80, 20}, {10, 160, 80, 25}, {228, 95, 22, 40}};
    int differing = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool caption = std::any_of(std::begin(captions), std::end(captions),
                                             [&](const QRect& r) { return r.contains(x, y); });
            differing += !caption && Distance(rendered.pixel(x, y), direct.pixel(x, y)) > 64;
        }
    }
    EXPECT_LT(differing, kWidth * kHeight / 500) << differing;
    for (const QRect& area : {captions[0], captions[2]}) {
        int inkDirect = 0;
        int inkRendered = 0;
        int same = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const bool a = IsTextInk(direct.pixel(x, y));
                const bool b = IsTextInk(rendered.pixel(x, y));
                inkDirect += a;
                inkRendered += b;
                same += a && b;
            }
        }
        EXPECT_GT(inkDirect, 40) << area.x();
        EXPECT_GT(same, inkDirect * 7 / 10) << area.x();
        EXPECT_NEAR(inkRendered, inkDirect, inkDirect / 5) << area.x();
    }
}

// ---- Groups and numbers --------------------------------------------------------------

TEST(SvgGroups, OpenOnlyWhenTheNextElementNeedsOtherAttributes) {
    const QImage image(2, 2, QImage::Format_RGB32);
    const QRectF box(10, 10, 20, 20);
    const struct {
        const char* name;
        std::function<void(QPainter&)> draw;
        int groups;
    } cases[] = {
        {"identical rectangles",
         [&](QPainter& p) {
             p.setBrush(Qt::red);
             for (int i = 0; i < 100; ++i) {
                 p.drawRect(box.translated(i, 0));
             }
         },
         1},
        {"changes undone before drawing",
         [&](QPainter& p) {
             p.drawRect(box);
             p.setPen(Qt::red);
             p.setBrush(Qt::blue);
             p.translate(5, 5);
             p.setClipRect(QRectF(0, 0, 5, 5));
             p.setClipping(false);
             p.setPen(Qt::black);
             p.setBrush(Qt::NoBrush);
             p.drawRect(box);
         },
         1},
        {"pictures and lines between shapes",
         [&](QPainter& p) {
             p.setBrush(Qt::red);
             p.drawRect(box);
             p.drawImage(box, image);
             p.drawLine(QPointF(0, 0), QPointF(50, 50));
             p.drawEllipse(box);
         },
         1},
        {"a clip that cuts nothing off",
         [&](QPainter& p) {
             p.drawRect(box);
             p.setClipRect(QRectF(0, 0, 100, 100));
             p.drawRect(box);
         },
         1},
        {"pen changed back and forth",
         [&](QPainter& p) {
             p.drawRect(box);
             p.setPen(Qt::red);
             p.drawRect(box);
             p.setPen(Qt::black);
             p.drawRect(box);
         },
         3},
        {"text takes the pen as its fill",
         [&](QPainter& p) {
             p.setBrush(Qt::white);
             p.drawRect(box);
             p.drawText(QPointF(10, 50), QStringLiteral("x"));
             p.drawRect(box);
         },
         3},
    };
    for (const auto& c : cases) {
        const std::vector<TElement> elements = Elements(Written({100, 100}, c.draw));
        EXPECT_EQ(Count(elements, "g"), c.groups) << c.name;
    }
    // Painting that draws nothing writes nothing but the frame.
    EXPECT_EQ(Written({100, 50},
                      [](QPainter& p) {
                          p.setPen(Qt::red);
                          p.rotate(30);
                          p.setClipRect(QRectF(0, 0, 5, 5));
                          p.setClipRect(QRectF(10, 10, 5, 5), Qt::IntersectClip);
                          p.drawRect(QRectF(0, 0, 20, 20)); // the clip holds nothing
                      }),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" "
              "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"100px\" height=\"50px\" "
              "viewBox=\"0 0 100 50\" version=\"1.1\">\n"
              "</svg>\n");
}

TEST(SvgGroups, AttributesAndCoordinatesInDevicePixels) {
    const QByteArray svg = Written({100, 100}, [](QPainter& p) {
        p.translate(0.5, 10);
        p.scale(2, 2);
        QPen pen(QColor(255, 0, 0, 128), 1.5);
        pen.setDashPattern({4, 2});
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::BevelJoin);
        p.setPen(pen);
        p.setBrush(QColor(0x12, 0x34, 0xab));
        const QPointF points[] = {{-0.2501, -5}, {1.0 / 3, 20}, {-0.0001, 1e20}, {5, 5}};
        p.drawPolygon(points, 4, Qt::OddEvenFill);
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(QPointF(0, 0), QPointF(10, 0));
    });
    const std::vector<TElement> elements = Elements(svg);
    ASSERT_EQ(Count(elements, "g"), 2);
    std::vector<const TElement*> groups, paths;
    for (const TElement& e : elements) {
        (e.name == "g" ? groups : paths).push_back(&e);
    }
    const std::map<std::string, std::string> expected{
        {"fill", "#1234ab"},          {"fill-rule", "evenodd"},     {"stroke", "#ff0000"},
        {"stroke-opacity", "0.502"},  {"stroke-width", "3"},        {"stroke-linecap", "round"},
        {"stroke-linejoin", "bevel"}, {"stroke-dasharray", "12 6"},
    };
    EXPECT_EQ(groups[0]->attributes, expected);
    // Pens of width 0 stay one pixel wide whatever the scale; a line fills nothing, so
    // it keeps the fill it finds.
    EXPECT_EQ(groups[1]->attributes,
              (std::map<std::string, std::string>{{"fill", "#1234ab"},
                                                  {"fill-rule", "evenodd"},
                                                  {"stroke", "#000000"},
                                                  {"stroke-linecap", "square"},
                                                  {"stroke-linejoin", "bevel"}}));
    EXPECT_EQ(paths[paths.size() - 2]->attributes.at("d"),
              "M0 0L1.167 50 0.5 1000000000000 10.5 20Z");
    EXPECT_EQ(paths.back()->attributes.at("d"), "M0.5 10L20.5 10");
}

TEST(SvgStream, WritesWhilePaintingAndEscapesText) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TSvgDevice device(buffer, {100, 100});
    QPainter painter(&device);
    for (int i = 0; i < 5000; ++i) {
        painter.setBrush(QColor::fromRgb(static_cast<QRgb>(i * 1237)));
        painter.drawRect(QRectF(i % 90, i % 77, 10, 10));
    }
    // All but the last chunk is out before the painting ends.
    const qint64 before = buffer.size();
    EXPECT_GT(before, 0);
    painter.drawText(QPointF(5, 50), QStringLiteral("a\"b'c\u0001 \u00e9\U0001F600"));
    ASSERT_TRUE(painter.end());
    EXPECT_GT(before, buffer.size() - 65 * 1024);
    const std::vector<TElement> elements = Elements(buffer.data());
    ASSERT_EQ(Count(elements, "text"), 1);
    const auto text = std::find_if(elements.begin(), elements.end(),
                                   [](const TElement& e) { return e.name == "text"; });
    EXPECT_EQ(text->text, QStringLiteral("a\"b'c \u00e9\U0001F600"));
}

// ---- Clipping ------------------------------------------------------------------------

TEST(SvgClip, FollowsThePainter) {
    const QRectF whole(0, 0, 100, 100);
    const struct {
        const char* name;
        std::function<void(QPainter&)> draw;
        std::vector<QPoint> red;
        std::vector<QPoint> white;
        int clipPaths;
    } cases[] = {
        {"rectangle",
         [&](QPainter& p) {
             p.setClipRect(QRectF(20, 20, 30, 30));
             p.fillRect(whole, Qt::red);
         },
         {{25, 25}, {48, 48}},
         {{10, 10}, {55, 30}, {30, 55}},
         1},
        {"restored away",
         [&](QPainter& p) {
             p.save();
             p.setClipRect(QRectF(20, 20, 30, 30));
             p.restore();
             p.fillRect(whole, Qt::red);
         },
         {{10, 10}, {90, 90}},
         {},
         0},
        {"switched off and on",
         [&](QPainter& p) {
             p.setClipRect(QRectF(20, 20, 30, 30));
             p.setClipping(false);
             p.fillRect(QRectF(0, 0, 10, 10), Qt::red);
             p.setClipping(true);
             p.fillRect(whole, Qt::red);
         },
         {{5, 5}, {25, 25}},
         {{60, 60}, {15, 30}},
         1},
        {"ellipse intersected with a moved rectangle",
         [&](QPainter& p) {
             QPainterPath ellipse;
             ellipse.addEllipse(QRectF(0, 0, 100, 100));
             p.setClipPath(ellipse);
             p.translate(50, 0);
             p.setClipRect(QRectF(0, 0, 50, 100), Qt::IntersectClip);
             p.resetTransform();
             p.fillRect(whole, Qt::red);
         },
         {{75, 50}, {55, 10}},
         {{45, 50}, {95, 5}, {95, 95}},
         1},
        {"even-odd hole",
         [&](QPainter& p) {
             QPainterPath ring;
             ring.addRect(QRectF(10, 10, 80, 80));
             ring.addRect(QRectF(30, 30, 40, 40));
             p.setClipPath(ring);
             p.fillRect(whole, Qt::red);
         },
         {{20, 20}, {80, 50}},
         {{50, 50}, {5, 5}},
         1},
        {"replaced after a save, then restored",
         [&](QPainter& p) {
             p.setClipRect(QRectF(0, 0, 50, 100));
             p.save();
             p.setClipRect(QRectF(50, 0, 50, 100));
             p.fillRect(QRectF(0, 0, 100, 50), Qt::red);
             p.restore();
             p.fillRect(QRectF(0, 50, 100, 50), Qt::red);
         },
         {{75, 25}, {25, 75}},
         {{25, 25}, {75, 75}},
         2},
    };
    for (const auto& c : cases) {
        const QByteArray svg = Written({100, 100}, c.draw);
        EXPECT_EQ(Count(Elements(svg), "clipPath"), c.clipPaths) << c.name;
        const QImage rendered = Rendered(svg, {100, 100});
        for (const QPoint& p : c.red) {
            EXPECT_EQ(rendered.pixel(p), qRgb(255, 0, 0)) << c.name << " " << p.x() << "," << p.y();
        }
        for (const QPoint& p : c.white) {
            EXPECT_EQ(rendered.pixel(p), qRgb(255, 255, 255))
                << c.name << " " << p.x() << "," << p.y();
        }
    }
}

} // namespace
} // namespace zov
