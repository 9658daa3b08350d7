#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <map>
#include <memory>

namespace zov {

// The Windows code page the RTF default ("\ansi") stands for.
constexpr int kRtfDefaultCodePage = 1252;

// A font without "\fcharset".
constexpr int kRtfNoCharset = -1;

// The code page of a font's "\fcharsetN": ANSI (0) is Windows-1252; a font without
// a character set, the default (1) and symbol (2) ones use the document's code page.
int RtfCodePageOfCharset(int charset, int documentCodePage);

// Turns the bytes of "\'xx" escapes and plain text into characters by a Windows code
// page. Multi-byte code pages need a whole run of bytes at once. A code page Qt
// cannot convert is read as Windows-1252, so no byte is ever lost.
class TRtfTextDecoder {
public:
    QString Decode(QByteArrayView bytes, int codePage);

private:
    QStringDecoder* DecoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> fDecoders;
};

} // namespace zov
