#include "platform/stream/Filer.h"

#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"
#include "platform/types/Exceptions.h"
#include "support/Bytes.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace zov {
namespace {

using test::Bytes;
using test::Short;

template <typename F> QByteArray Written(F write) {
    TMemoryStream stream;
    TWriter writer(stream);
    write(writer);
    return stream.Bytes();
}

TEST(WriterTest, IntegersTakeTheSmallestForm) {
    const struct {
        int64_t value;
        QByteArray expected;
    } cases[] = {
        {0, Bytes({2, 0})},
        {127, Bytes({2, 0x7F})},
        {-128, Bytes({2, 0x80})},
        {128, Bytes({3, 0x80, 0})},
        {-129, Bytes({3, 0x7F, 0xFF})},
        {32767, Bytes({3, 0xFF, 0x7F})},
        {32768, Bytes({4, 0, 0x80, 0, 0})},
        {std::numeric_limits<int32_t>::min(), Bytes({4, 0, 0, 0, 0x80})},
        {int64_t{1} << 31, Bytes({19, 0, 0, 0, 0x80, 0, 0, 0, 0})},
        {-(int64_t{1} << 40), Bytes({19, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written([&](TWriter& w) { w.WriteInteger(c.value); }), c.expected) << c.value;
    }
}

TEST(WriterTest, StringsChooseTheirForm) {
    const QString ascii300(300, QLatin1Char('a'));
    const struct {
        const char* name;
        QString text;
        QByteArray expected;
    } cases[] = {
        {"ASCII", QStringLiteral("Start"), Bytes({6}) + Short("Start")},
        {"empty", QString(), Bytes({18, 0, 0, 0, 0})},
        {"umlaut", QStringLiteral("Gr\u00fcn"),
         Bytes({20, 5, 0, 0, 0}) + QByteArray("Gr\xC3\xBCn")},
        {"CJK", QStringLiteral("\u4e2d\u6587"), Bytes({18, 2, 0, 0, 0, 0x2D, 0x4E, 0x87, 0x65})},
        {"long ASCII", ascii300, Bytes({12, 0x2C, 0x01, 0, 0}) + ascii300.toLatin1()},
        {"255 ASCII", QString(255, QLatin1Char('b')), Bytes({6, 255}) + QByteArray(255, 'b')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written([&](TWriter& w) { w.WriteString(c.text); }), c.expected) << c.name;
    }
}

TEST(WriterTest, IdentifiersSetsAndBinaryBlocks) {
    EXPECT_EQ(Written([](TWriter& w) { w.WriteIdent(QStringLiteral("clRed")); }),
              Bytes({7}) + Short("clRed"));
    EXPECT_EQ(Written([](TWriter& w) {
                  w.WriteIdent(QStringLiteral("false"));
                  w.WriteIdent(QStringLiteral("TRUE"));
                  w.WriteIdent(QStringLiteral("null"));
                  w.WriteIdent(QStringLiteral("Nil"));
              }),
              Bytes({8, 9, 0, 13}));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteSet({}); }), Bytes({11, 0}));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteSet({QStringLiteral("goSelectable")}); }),
              Bytes({11}) + Short("goSelectable") + Bytes({0}));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteBinary(QByteArray("\x01\x02", 2)); }),
              Bytes({10, 2, 0, 0, 0, 1, 2}));
    EXPECT_EQ(Written([](TWriter& w) { w.WriteExtended(1.0); }),
              Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
}

TEST(WriterTest, LongShortStringsAreCutBetweenCharacters) {
    const QByteArray bytes =
        Written([](TWriter& w) { w.WriteShortString(QString(200, QChar(0x00E9))); });
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 254);
    TMemoryStream stream(bytes);
    EXPECT_EQ(TReader(stream).ReadShortString(), QString(127, QChar(0x00E9)));
}

TEST(ReaderTest, EveryValueReadsBackAsWritten) {
    const double floats[] = {0.0, 1.5, -3.25e300, 1e-300, 0.1};
    const QByteArray bytes = Written([&](TWriter& w) {
        for (int64_t v :
             {int64_t{0}, int64_t{-5}, int64_t{300}, int64_t{70000}, int64_t{1} << 40}) {
            w.WriteInteger(v);
        }
        for (const QString& s : {QStringLiteral("plain"), QString(), QStringLiteral("\u00e4\u00f6"),
                                 QStringLiteral("\u65e5\u672c"), QString(400, QLatin1Char('x'))}) {
            w.WriteString(s);
        }
        w.WriteIdent(QStringLiteral("psDash"));
        w.WriteBoolean(true);
        w.WriteSet({QStringLiteral("a"), QStringLiteral("b")});
        w.WriteBinary(QByteArray("xyz"));
        for (double f : floats) {
            w.WriteExtended(f);
            w.WriteDouble(f);
        }
        w.WriteSingle(2.5f);
        w.WriteCurrency(123456);
        w.WriteDate(45000.25);
        w.WriteExtended(std::numeric_limits<double>::infinity());
    });
    TMemoryStream stream(bytes);
    TReader r(stream);
    EXPECT_EQ(r.ReadInteger(), 0);
    EXPECT_EQ(r.ReadInteger(), -5);
    EXPECT_EQ(r.ReadInteger(), 300);
    EXPECT_EQ(r.ReadInt64(), 70000);
    EXPECT_EQ(r.ReadInt64(), int64_t{1} << 40);
    EXPECT_EQ(r.ReadString(), QStringLiteral("plain"));
    EXPECT_EQ(r.ReadString(), QString());
    EXPECT_EQ(r.ReadString(), QStringLiteral("\u00e4\u00f6"));
    EXPECT_EQ(r.ReadString(), QStringLiteral("\u65e5\u672c"));
    EXPECT_EQ(r.ReadString(), QString(400, QLatin1Char('x')));
    EXPECT_EQ(r.ReadIdent(), QStringLiteral("psDash"));
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_EQ(r.ReadSet(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(r.ReadBinary(), QByteArray("xyz"));
    for (double f : floats) {
        EXPECT_EQ(r.ReadFloat(), f);
        EXPECT_EQ(r.ReadFloat(), f);
    }
    EXPECT_EQ(r.ReadFloat(), 2.5);
    EXPECT_EQ(r.ReadFloat(), 12.3456);
    EXPECT_EQ(r.ReadFloat(), 45000.25);
    EXPECT_TRUE(std::isinf(r.ReadFloat()));
    EXPECT_EQ(stream.Remaining(), 0);
}

TEST(ReaderTest, SingleByteStringsAreWindows1252) {
    TMemoryStream stream(Bytes({6, 3, 0x80, 0xE9, 0x41}));
    TReader r(stream);
    EXPECT_EQ(r.ReadString(), QStringLiteral("\u20ac\u00e9A"));
}

TEST(ReaderTest, SkipValuePassesOverEveryKindOfValue) {
    const QByteArray bytes = Written([](TWriter& w) {
        w.WriteInteger(1);
        w.WriteInteger(1000);
        w.WriteInteger(100000);
        w.WriteInteger(int64_t{1} << 50);
        w.WriteString(QStringLiteral("s"));
        w.WriteString(QString(300, QLatin1Char('l')));
        w.WriteString(QStringLiteral("\u00fc"));
        w.WriteString(QStringLiteral("\u4e2d"));
        w.WriteIdent(QStringLiteral("x"));
        w.WriteBoolean(false);
        w.WriteIdent(QStringLiteral("nil"));
        w.WriteSet({QStringLiteral("e")});
        w.WriteBinary(QByteArray(5, 'b'));
        w.WriteExtended(2.0);
        w.WriteSingle(1.0f);
        w.WriteCurrency(1);
        w.WriteDate(1.0);
        w.WriteDouble(1.0);
        w.WriteListBegin();
        w.WriteInteger(1);
        w.WriteListBegin();
        w.WriteListEnd();
        w.WriteListEnd();
    });
    // A collection: one item with an index and one property, one item without.
    const QByteArray collection = Bytes({14, 2, 0, 1}) + Short("P") + Bytes({2, 7, 0, 1, 0, 0});
    TMemoryStream stream(bytes + collection);
    TReader r(stream);
    int values = 0;
    while (stream.Remaining() > 0) {
        r.SkipValue();
        ++values;
    }
    EXPECT_EQ(values, 20);
}

TEST(ReaderTest, MalformedInputRaisesReadErrors) {
    const auto integer = [](TReader& r) {
        r.ReadInteger();
    };
    const auto string = [](TReader& r) {
        r.ReadString();
    };
    const struct {
        const char* name;
        QByteArray bytes;
        std::function<void(TReader&)> read;
    } cases[] = {
        {"integer expected", Bytes({6, 1, 'a'}), integer},
        {"64-bit integer where 32 bits are read", Bytes({19, 0, 0, 0, 0, 0, 0, 0, 0}), integer},
        {"truncated integer", Bytes({4, 1, 2}), integer},
        {"empty stream", QByteArray(), integer},
        {"string length beyond the end", Bytes({20, 0xFF, 0xFF, 0, 0, 'a'}), string},
        {"negative length", Bytes({12, 0xFF, 0xFF, 0xFF, 0xFF}), string},
        {"huge wide string", Bytes({18, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0}), string},
        {"unknown tag", Bytes({200}),
         [](TReader& r) {
             r.SkipValue();
         }},
    };
    for (const auto& c : cases) {
        TMemoryStream stream(c.bytes);
        TReader reader(stream);
        EXPECT_THROW(c.read(reader), EReadError) << c.name;
    }
}

TEST(ReaderTest, DeeplyNestedListsFailInsteadOfExhaustingTheStack) {
    TMemoryStream stream(QByteArray(100000, char(vaList)));
    TReader r(stream);
    EXPECT_THROW(r.SkipValue(), EReadError);
}

// A persistent class with one property of every kind and two defined properties.
class TSample : public TPersistent {
public:
    int32_t Number() const { return fNumber; }
    void SetNumber(int32_t v) { fNumber = v; }
    TColor Colour() const { return fColour; }
    void SetColour(TColor v) { fColour = v; }
    TPenStyle Style() const { return fStyle; }
    void SetStyle(TPenStyle v) { fStyle = v; }
    bool Flag() const { return fFlag; }
    void SetFlag(bool v) { fFlag = v; }
    TFontStyles Styles() const { return fStyles; }
    void SetStyles(TFontStyles v) { fStyles = v; }
    QString Text() const { return fText; }
    void SetText(const QString& v) { fText = v; }
    TPen& Pen() { return fPen; }

    int32_t fExtra = 0;
    QByteArray fBlock;

    const TPropertyList& Properties() const override {
        static const TPropertyList list =
            TPropertyListBuilder<TSample>()
                .Integer("Number", &TSample::Number, &TSample::SetNumber, 0)
                .NamedInteger("Colour", &TSample::Colour, &TSample::SetColour, ColorToIdent,
                              IdentToColor, clWhite)
                .Enumeration<TPenStyle>("Style", &TSample::Style, &TSample::SetStyle,
                                        kPenStyleNames, psSolid)
                .Boolean("Flag", &TSample::Flag, &TSample::SetFlag, false)
                .Set<TFontStyles>("Styles", &TSample::Styles, &TSample::SetStyles, kFontStyleNames,
                                  TFontStyles{})
                .String("Text", &TSample::Text, &TSample::SetText)
                .Object("Pen", &TSample::Pen)
                .Build();
        return list;
    }

    void DefineProperties(TFiler& filer) override {
        filer.DefineProperty(
            QStringLiteral("Extra"), [this](TReader& r) { fExtra = r.ReadInteger(); },
            [this](TWriter& w) { w.WriteInteger(fExtra); }, fExtra != 0);
        filer.DefineBinaryProperty(
            QStringLiteral("Block"),
            [this](TStream& s) {
                fBlock.resize(s.Size());
                s.ReadBuffer(fBlock.data(), s.Size());
            },
            [this](TStream& s) { s.WriteBuffer(fBlock.constData(), fBlock.size()); },
            !fBlock.isEmpty());
    }

private:
    int32_t fNumber = 0;
    TColor fColour = clWhite;
    TPenStyle fStyle = psSolid;
    bool fFlag = false;
    TFontStyles fStyles;
    QString fText;
    TPen fPen;
};

QByteArray Component(const QByteArray& records) {
    return QByteArray("TPF0") + Short("TSample") + Bytes({0}) + records + Bytes({0, 0});
}

QByteArray WriteSample(const TSample& sample) {
    TMemoryStream stream;
    TWriter(stream).WriteRootComponent(QStringLiteral("TSample"), sample);
    return stream.Bytes();
}

void ReadSample(const QByteArray& bytes, TSample& sample) {
    TMemoryStream stream(bytes);
    TReader(stream).ReadRootComponent(sample);
}

TEST(ComponentStreamTest, DefaultsAreLeftOut) {
    EXPECT_EQ(WriteSample(TSample()), Component({}));
}

TEST(ComponentStreamTest, WritesEveryKindOfPropertyAndReadsItBack) {
    TSample sample;
    sample.SetNumber(-200);
    sample.SetColour(clRed);
    sample.SetStyle(psDot);
    sample.SetFlag(true);
    sample.SetStyles({fsBold, fsStrikeOut});
    sample.SetText(QStringLiteral("Hi"));
    sample.Pen().SetColor(0x123456);
    sample.Pen().SetWidth(3);
    sample.fExtra = 5;
    sample.fBlock = QByteArray("\x00\x01", 2);
    const QByteArray bytes = WriteSample(sample);
    EXPECT_EQ(bytes, Component(Short("Number") + Bytes({3, 0x38, 0xFF}) + Short("Colour") +
                               Bytes({7}) + Short("clRed") + Short("Style") + Bytes({7}) +
                               Short("psDot") + Short("Flag") + Bytes({9}) + Short("Styles") +
                               Bytes({11}) + Short("fsBold") + Short("fsStrikeOut") + Bytes({0}) +
                               Short("Text") + Bytes({6}) + Short("Hi") + Short("Pen.Color") +
                               Bytes({4, 0x56, 0x34, 0x12, 0}) + Short("Pen.Width") +
                               Bytes({2, 3}) + Short("Extra") + Bytes({2, 5}) + Short("Block") +
                               Bytes({10, 2, 0, 0, 0, 0, 1})));

    TSample copy;
    ReadSample(bytes, copy);
    EXPECT_EQ(copy.Number(), -200);
    EXPECT_EQ(copy.Colour(), clRed);
    EXPECT_EQ(copy.Style(), psDot);
    EXPECT_TRUE(copy.Flag());
    EXPECT_EQ(copy.Styles(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(copy.Text(), QStringLiteral("Hi"));
    EXPECT_TRUE(copy.Pen().SameAs(sample.Pen()));
    EXPECT_EQ(copy.fExtra, 5);
    EXPECT_EQ(copy.fBlock, sample.fBlock);
}

TEST(ComponentStreamTest, NamesIgnoreCaseAndAPrefixByteIsSkipped) {
    TSample sample;
    ReadSample(QByteArray("TPF0") + Bytes({0xF2, 2, 7}) + Short("TSample") + Bytes({0}) +
                   Short("pen.COLOR") + Bytes({7}) + Short("clblue") + Short("style") + Bytes({7}) +
                   Short("PSDASH") + Bytes({0, 0}),
               sample);
    EXPECT_EQ(sample.Pen().Color(), clBlue);
    EXPECT_EQ(sample.Style(), psDash);
}

TEST(ComponentStreamTest, BadContentFailsAfterApplyingWhatCameBefore) {
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"bad signature", QByteArray("TPF1") + Short("TSample") + Bytes({0, 0, 0})},
        {"unknown property",
         Component(Short("Number") + Bytes({2, 9}) + Short("Bogus") + Bytes({2, 1}))},
        {"unknown sub-object",
         Component(Short("Number") + Bytes({2, 9}) + Short("Brush.Color") + Bytes({2, 1}))},
        {"integer property given a string",
         Component(Short("Number") + Bytes({2, 9}) + Short("Number") + Bytes({6}) + Short("x"))},
        {"unknown enumeration name", Component(Short("Number") + Bytes({2, 9}) + Short("Style") +
                                               Bytes({7}) + Short("psWavy"))},
        {"unknown set element", Component(Short("Number") + Bytes({2, 9}) + Short("Styles") +
                                          Bytes({11}) + Short("fsShadow") + Bytes({0}))},
        {"unknown colour name", Component(Short("Number") + Bytes({2, 9}) + Short("Colour") +
                                          Bytes({7}) + Short("clPink"))},
        {"nil for a sub-object",
         Component(Short("Number") + Bytes({2, 9}) + Short("Pen") + Bytes({13}))},
        {"child component",
         Component(Short("Number") + Bytes({2, 9})).chopped(1) + QByteArray("TPF0")},
    };
    for (const auto& c : cases) {
        TSample sample;
        EXPECT_THROW(ReadSample(c.bytes, sample), EReadError) << c.name;
        if (c.name[0] != 'b') {
            EXPECT_EQ(sample.Number(), 9) << c.name;
        }
    }
}

TEST(ComponentStreamTest, EveryTruncationOfAValidBodyFailsCleanly) {
    TSample sample;
    sample.SetText(QStringLiteral("\u00fcber"));
    sample.SetStyles({fsItalic});
    sample.fBlock = QByteArray(10, 'z');
    const QByteArray bytes = WriteSample(sample);
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        TSample target;
        EXPECT_THROW(ReadSample(bytes.left(n), target), EReadError) << n;
    }
}

TEST(ComponentStreamTest, FontsWriteTheirAttributesAlwaysAndSizeNever) {
    TFont font;
    TMemoryStream stream;
    TWriter(stream).WriteProperties(font, QStringLiteral("Font."));
    EXPECT_EQ(stream.Bytes(), Short("Font.Charset") + Bytes({7}) + Short("DEFAULT_CHARSET") +
                                  Short("Font.Color") + Bytes({7}) + Short("clWindowText") +
                                  Short("Font.Height") + Bytes({2, 0xF5}) + Short("Font.Name") +
                                  Bytes({6}) + Short("Arial") + Short("Font.Style") +
                                  Bytes({11, 0}));
}

} // namespace
} // namespace zov
