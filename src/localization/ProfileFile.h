#pragma once

#include "localization/TextEncoding.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace zov {

// The longest value a read returns, as the classic profile routines read into a
// buffer of 2048 characters.
inline constexpr qsizetype kMaxProfileValueLength = 2047;

// An initialisation file ("[section]" lines and "key=value" lines) held in memory and
// read and written the way the classic private-profile routines do: section and key
// names match without regard to case, the first of two equal names wins, values are
// trimmed and lose one pair of enclosing quotes, and writing replaces a key's line or
// appends one to its section. Lines it does not understand are kept as they are.
class TProfileFile {
public:
    // A new file: UTF-16 little endian with byte-order mark, so no character is lost.
    TProfileFile() = default;
    explicit TProfileFile(const TDecodedText& content);

    TTextEncoding Encoding() const { return fEncoding; }

    // The key names of a section in file order, every line once.
    QStringList KeyNames(const QString& section) const;
    // The value of a key, or defaultValue when the section or the key is missing.
    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Writes key=value into the section, creating the section at the end of the file.
    // False, changing nothing, when the names or the value cannot stand on one line
    // (line breaks; a key with "=" or starting with "[" or ";"; empty names).
    bool WriteString(const QString& section, const QString& key, const QString& value);

    // The file's bytes, lines ended by CR LF. A file read in the single-byte code page
    // is written back in it unless a character would be lost; then it becomes UTF-16.
    QByteArray Bytes() const;

    // Whether a name can be a key of the file.
    static bool IsValidKeyName(const QString& key);

private:
    struct TSection {
        QString HeaderLine; // empty for the lines before the first section
        std::vector<QString> Lines;
        QHash<QString, qsizetype> KeyLines; // case-folded key -> index into Lines
        qsizetype ContentEnd = 0;           // index after the last non-blank line
    };

    const TSection* FindSection(const QString& name) const;
    void AddLine(TSection& section, const QString& line);

    std::vector<TSection> fSections{TSection{}};
    QHash<QString, size_t> fSectionIndex; // case-folded name -> index into fSections
    TTextEncoding fEncoding = teUtf16LE;
};

} // namespace zov
