#pragma once

#include "localization/TextEncoding.h"

#include <QByteArray>
#include <QStringList>

namespace zov {

// The longest key the catalogue keeps; longer lines of an index file are not keys.
inline constexpr qsizetype kMaxKeyLength = 1024;

// Whether a text can be a catalogue key: it must stand as the name of a line of the
// language file, so it is not empty, has no surrounding blanks, is at most kMaxKeyLength
// characters, has no control characters, "=" or unpaired surrogates (which UTF-8 cannot
// hold), and does not start with "[" or ";".
bool IsCatalogueKey(const QString& key);

// The key list of the catalogue, one key per line, in the encoding it was read in.
struct TIndexFile {
    QStringList Keys;
    // A new index is UTF-8 with byte-order mark.
    TTextEncoding Encoding = teUtf8;

    // The keys of a decoded index in file order, trimmed; lines that cannot be keys
    // are skipped so that they never reach the language file.
    static TIndexFile Parse(const TDecodedText& content);
    // Lines ended by CR LF. A single-byte index that cannot hold a key becomes UTF-8.
    QByteArray Bytes() const;
};

} // namespace zov
