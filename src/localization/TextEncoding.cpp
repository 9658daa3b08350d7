#include "localization/TextEncoding.h"

#include "platform/stream/Windows1252.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <span>

namespace zov {
namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LEMark("\xFF\xFE", 2);
const QByteArray kUtf16BEMark("\xFE\xFF", 2);

QString FromUtf16(const QByteArray& bytes, qsizetype start, bool bigEndian) {
    const qsizetype count = (bytes.size() - start) / 2;
    QString text(count, Qt::Uninitialized);
    QChar* out = text.data();
    const auto* in = reinterpret_cast<const uint8_t*>(bytes.constData()) + start;
    for (qsizetype i = 0; i < count; ++i, in += 2) {
        const char16_t unit =
            bigEndian ? char16_t(in[0] << 8 | in[1]) : char16_t(in[1] << 8 | in[0]);
        out[i] = QChar(unit);
    }
    return text;
}

QByteArray ToUtf16(const QString& text, bool bigEndian) {
    QByteArray bytes = bigEndian ? kUtf16BEMark : kUtf16LEMark;
    bytes.reserve(bytes.size() + text.size() * 2);
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes.append(bigEndian ? high : low);
        bytes.append(bigEndian ? low : high);
    }
    return bytes;
}

} // namespace

TDecodedText DecodeText(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Mark)) {
        // QString::fromUtf8 would drop a second mark too, and the key it begins with would
        // change on every save.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return {decoder(QByteArrayView(bytes).sliced(kUtf8Mark.size())), teUtf8};
    }
    if (bytes.startsWith(kUtf16LEMark)) {
        return {FromUtf16(bytes, kUtf16LEMark.size(), false), teUtf16LE};
    }
    if (bytes.startsWith(kUtf16BEMark)) {
        return {FromUtf16(bytes, kUtf16BEMark.size(), true), teUtf16BE};
    }
    return {FromWindows1252(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                      static_cast<size_t>(bytes.size()))),
            teAnsi};
}

QByteArray EncodeText(const QString& text, TTextEncoding encoding) {
    switch (encoding) {
    case teUtf8:
        return kUtf8Mark + text.toUtf8();
    case teUtf16LE:
        return ToUtf16(text, false);
    case teUtf16BE:
        return ToUtf16(text, true);
    case teAnsi:
        break;
    }
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        *out++ = static_cast<char>(ToWindows1252(c));
    }
    return bytes;
}

bool CanEncode(const QString& text, TTextEncoding encoding) {
    if (encoding == teUtf8) {
        return QStringView(text).isValidUtf16();
    }
    if (encoding != teAnsi) {
        return true;
    }
    // Single-byte text that begins like a byte-order mark would read back as Unicode.
    for (const char16_t* mark : {u"\u00ef\u00bb\u00bf", u"\u00ff\u00fe", u"\u00fe\u00ff"}) {
        if (text.startsWith(QStringView(mark))) {
            return false;
        }
    }
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return ToWindows1252(c) != '?' || c == QLatin1Char('?'); });
}

bool ReadTextFile(const QString& fileName, TDecodedText& result, QString& error) {
    error.clear();
    QFile file(fileName);
    if (!file.exists()) {
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.size() > kMaxTextFileSize) {
        error = QStringLiteral("larger than %1 bytes").arg(kMaxTextFileSize);
        return false;
    }
    // One byte more than the size shows a file that grew after the size was taken;
    // read() allocates what it is allowed to read, so the limit is not asked for.
    const QByteArray bytes = file.read(file.size() + 1);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    if (bytes.size() > kMaxTextFileSize) {
        error = QStringLiteral("larger than %1 bytes").arg(kMaxTextFileSize);
        return false;
    }
    result = DecodeText(bytes);
    return true;
}

} // namespace zov
