#include "localization/IndexFile.h"
#include "localization/TextEncoding.h"
#include "support/Bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zov {
namespace {

using test::Bytes;

TEST(TextEncodingTest, ByteOrderMarksChooseTheEncoding) {
    const struct {
        const char* name;
        QByteArray bytes;
        TTextEncoding encoding;
        QString text;
    } cases[] = {
        {"UTF-8", Bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA4}), teUtf8, QStringLiteral("a\u00e4")},
        {"UTF-8, two marks", Bytes({0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF, 'a'}), teUtf8,
         QStringLiteral("\ufeffa")},
        {"UTF-16 LE", Bytes({0xFF, 0xFE, 'a', 0, 0xE4, 0}), teUtf16LE, QStringLiteral("a\u00e4")},
        {"UTF-16 BE", Bytes({0xFE, 0xFF, 0, 'a', 0x20, 0xAC}), teUtf16BE,
         QStringLiteral("a\u20ac")},
        {"odd UTF-16", Bytes({0xFF, 0xFE, 'a', 0, 'b'}), teUtf16LE, QStringLiteral("a")},
        {"ANSI", Bytes({'a', 0xE4, 0x80}), teAnsi, QStringLiteral("a\u00e4\u20ac")},
        {"half a mark", Bytes({0xEF, 0xBB}), teAnsi, QStringLiteral("\u00ef\u00bb")},
        {"empty", QByteArray(), teAnsi, QString()},
    };
    for (const auto& c : cases) {
        const TDecodedText decoded = DecodeText(c.bytes);
        EXPECT_EQ(decoded.Encoding, c.encoding) << c.name;
        EXPECT_EQ(decoded.Text, c.text) << c.name;
        if (c.bytes.size() % 2 == 0 || c.encoding != teUtf16LE) {
            EXPECT_EQ(EncodeText(decoded.Text, decoded.Encoding), c.bytes) << c.name;
        }
    }
}

TEST(TextEncodingTest, ReadsNoFileLargerThanTheLimit) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kMaxTextFileSize + 1));
    file.close();

    TDecodedText content;
    QString error;
    EXPECT_FALSE(ReadTextFile(path, content, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(ReadTextFile(dir.filePath(QStringLiteral("missing")), content, error));
    EXPECT_TRUE(error.isEmpty());
}

TEST(IndexFileTest, SkipsLinesThatCannotBeKeys) {
    const QString tooLong(kMaxKeyLength + 1, QLatin1Char('k'));
    const TIndexFile index = TIndexFile::Parse(
        {QStringLiteral("First\r\n\r\n   \r\n  Trimmed  \nA=B\r[Section]\r\n;comment\r\n"
                        "Tab\tinside\r\n") +
             tooLong + QStringLiteral("\r\nLast"),
         teAnsi});
    EXPECT_EQ(index.Keys, QStringList({"First", "Trimmed", "Last"}));
    EXPECT_FALSE(IsCatalogueKey(QStringLiteral(" padded")));
    EXPECT_FALSE(IsCatalogueKey(QStringLiteral("lone ") + QChar(0xDBFB)));
    EXPECT_TRUE(IsCatalogueKey(QStringLiteral("MainForm_FileNew1_C")));
}

TEST(IndexFileTest, WritesInTheEncodingItWasReadIn) {
    const QByteArray utf16be =
        Bytes({0xFE, 0xFF, 0, 'A', 0, '\r', 0, '\n', 0, 0xDC, 0, '\r', 0, '\n'});
    const TIndexFile index = TIndexFile::Parse(DecodeText(utf16be));
    EXPECT_EQ(index.Encoding, teUtf16BE);
    EXPECT_EQ(index.Keys, QStringList({"A", "\u00dc"}));
    EXPECT_EQ(index.Bytes(), utf16be);

    TIndexFile ansi{{"A", "\u00dc"}, teAnsi};
    EXPECT_EQ(ansi.Bytes(), QByteArray("A\r\n\xDC\r\n"));
    ansi.Keys.append(QStringLiteral("\u4e2d"));
    EXPECT_EQ(DecodeText(ansi.Bytes()).Encoding, teUtf8);
    EXPECT_EQ(TIndexFile::Parse(DecodeText(ansi.Bytes())).Keys, ansi.Keys);

    EXPECT_EQ(TIndexFile{{"K"}}.Bytes(), Bytes({0xEF, 0xBB, 0xBF, 'K', '\r', '\n'}));
}

TEST(IndexFileTest, SingleByteKeysThatLookLikeAByteOrderMarkStayKeys) {
    // Written in Windows-1252, these keys would begin the file with a byte-order mark.
    for (const char16_t* first :
         {u"\u00ff\u00fe\u00fe", u"\u00fe\u00ffx", u"\u00ef\u00bb\u00bfy"}) {
        const TIndexFile index{{QString::fromUtf16(first), QStringLiteral("Next")}, teAnsi};
        const TDecodedText written = DecodeText(index.Bytes());
        EXPECT_EQ(written.Encoding, teUtf8);
        EXPECT_EQ(TIndexFile::Parse(written).Keys, index.Keys);
    }
}

} // namespace
} // namespace zov
