#pragma once

#include <QByteArray>
#include <QString>

namespace zov {

// How the catalogue's text files are encoded. A byte-order mark tells the Unicode
// forms apart; a file without one is in the single-byte code page (Windows-1252).
enum TTextEncoding : uint8_t { teAnsi, teUtf8, teUtf16LE, teUtf16BE };

struct TDecodedText {
    QString Text;
    TTextEncoding Encoding = teAnsi;
};

// Recognises a UTF-8 or UTF-16 byte-order mark; anything else is ANSI. A UTF-16 file
// with an odd number of bytes loses its last byte.
TDecodedText DecodeText(const QByteArray& bytes);
// The text in the encoding, with the byte-order mark for the Unicode forms.
QByteArray EncodeText(const QString& text, TTextEncoding encoding);
// True when the text written in the encoding reads back as the same text: every
// character fits (UTF-8 holds no unpaired surrogates), and single-byte text does not
// begin like a byte-order mark.
bool CanEncode(const QString& text, TTextEncoding encoding);

// Files larger than this are not catalogue files; reading them would only cost memory.
inline constexpr qint64 kMaxTextFileSize = 8 * 1024 * 1024;

// Reads a text file of at most kMaxTextFileSize bytes. False when the file is missing,
// unreadable or too large; the reason then is in error (empty for a missing file).
bool ReadTextFile(const QString& fileName, TDecodedText& result, QString& error);

} // namespace zov
