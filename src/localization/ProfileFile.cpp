#include "localization/ProfileFile.h"

#include <QStringView>
#include <algorithm>

namespace zov {
namespace {

const QChar kEquals = QLatin1Char('=');
const QString kLineEnd = QStringLiteral("\r\n");

bool IsLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

bool HasLineBreak(const QString& text) {
    return std::any_of(text.begin(), text.end(), IsLineBreak);
}

// A key line has an "=" and is neither a section header nor a comment.
bool IsKeyLine(QStringView trimmed) {
    return trimmed.contains(kEquals) && !trimmed.startsWith(QLatin1Char('[')) &&
           !trimmed.startsWith(QLatin1Char(';'));
}

QString KeyOfLine(QStringView trimmed) {
    return trimmed.left(trimmed.indexOf(kEquals)).trimmed().toString();
}

// The section name of a header line: between "[" and "]" (or the line's end).
QString SectionOfHeader(QStringView trimmed) {
    QStringView name = trimmed.mid(1);
    const qsizetype close = name.indexOf(QLatin1Char(']'));
    if (close >= 0) {
        name = name.left(close);
    }
    return name.trimmed().toString();
}

QString ValueOfLine(QStringView line) {
    QStringView value = line.mid(line.indexOf(kEquals) + 1).trimmed();
    if (value.size() >= 2 &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
    }
    return value.left(kMaxProfileValueLength).toString();
}

} // namespace

TProfileFile::TProfileFile(const TDecodedText& content) : fEncoding(content.Encoding) {
    const QString& text = content.Text;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && !IsLineBreak(text[end])) {
            ++end;
        }
        const QString line = text.mid(start, end - start);
        // CR LF, LF and a lone CR each end a line.
        if (end < text.size() && text[end] == QLatin1Char('\r') && end + 1 < text.size() &&
            text[end + 1] == QLatin1Char('\n')) {
            ++end;
        }
        start = end + 1;

        const QStringView trimmed = QStringView(line).trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            const QString folded = SectionOfHeader(trimmed).toCaseFolded();
            if (!fSectionIndex.contains(folded)) {
                fSectionIndex.insert(folded, fSections.size());
            }
            fSections.push_back(TSection{line, {}, {}, 0});
        } else {
            AddLine(fSections.back(), line);
        }
    }
}

void TProfileFile::AddLine(TSection& section, const QString& line) {
    const QStringView trimmed = QStringView(line).trimmed();
    if (IsKeyLine(trimmed)) {
        const QString key = KeyOfLine(trimmed);
        if (!key.isEmpty()) {
            const QString folded = key.toCaseFolded();
            if (!section.KeyLines.contains(folded)) {
                section.KeyLines.insert(folded, static_cast<qsizetype>(section.Lines.size()));
            }
        }
    }
    section.Lines.push_back(line);
    if (!trimmed.isEmpty()) {
        section.ContentEnd = static_cast<qsizetype>(section.Lines.size());
    }
}

const TProfileFile::TSection* TProfileFile::FindSection(const QString& name) const {
    const auto found = fSectionIndex.constFind(name.trimmed().toCaseFolded());
    return found == fSectionIndex.constEnd() ? nullptr : &fSections[found.value()];
}

QStringList TProfileFile::KeyNames(const QString& section) const {
    QStringList names;
    if (const TSection* found = FindSection(section)) {
        for (const QString& line : found->Lines) {
            const QStringView trimmed = QStringView(line).trimmed();
            if (IsKeyLine(trimmed)) {
                QString key = KeyOfLine(trimmed);
                if (!key.isEmpty()) {
                    names.append(std::move(key));
                }
            }
        }
    }
    return names;
}

QString TProfileFile::ReadString(const QString& section, const QString& key,
                                 const QString& defaultValue) const {
    const TSection* found = FindSection(section);
    if (found == nullptr) {
        return defaultValue;
    }
    const auto line = found->KeyLines.constFind(key.trimmed().toCaseFolded());
    return line == found->KeyLines.constEnd() ? defaultValue
                                              : ValueOfLine(found->Lines[line.value()]);
}

bool TProfileFile::IsValidKeyName(const QString& key) {
    const QString trimmed = key.trimmed();
    return !trimmed.isEmpty() && !HasLineBreak(key) && !trimmed.contains(kEquals) &&
           !trimmed.startsWith(QLatin1Char('[')) && !trimmed.startsWith(QLatin1Char(';'));
}

bool TProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = section.trimmed();
    if (sectionName.isEmpty() || HasLineBreak(section) || sectionName.contains(QLatin1Char(']')) ||
        !IsValidKeyName(key) || HasLineBreak(value)) {
        return false;
    }
    const QString keyName = key.trimmed();
    const QString line = keyName + kEquals + value;
    const QString folded = sectionName.toCaseFolded();
    auto found = fSectionIndex.constFind(folded);
    if (found == fSectionIndex.constEnd()) {
        found = fSectionIndex.insert(folded, fSections.size());
        fSections.push_back(TSection{QLatin1Char('[') + sectionName + QLatin1Char(']'), {}, {}, 0});
    }
    TSection& target = fSections[found.value()];
    const auto existing = target.KeyLines.constFind(keyName.toCaseFolded());
    if (existing != target.KeyLines.constEnd()) {
        target.Lines[existing.value()] = line;
        return true;
    }
    // Appended after the section's last non-blank line, before the blank lines that
    // separate it from the next section: the first of those blank lines moves to the
    // end, which costs the same however many there are, and no key line moves.
    const qsizetype at = target.ContentEnd++;
    if (at < static_cast<qsizetype>(target.Lines.size())) {
        QString blank = std::move(target.Lines[at]);
        target.Lines[at] = line;
        target.Lines.push_back(std::move(blank));
    } else {
        target.Lines.push_back(line);
    }
    target.KeyLines.insert(keyName.toCaseFolded(), at);
    return true;
}

QByteArray TProfileFile::Bytes() const {
    QString text;
    for (const TSection& section : fSections) {
        if (!section.HeaderLine.isEmpty()) {
            text += section.HeaderLine + kLineEnd;
        }
        for (const QString& line : section.Lines) {
            text += line + kLineEnd;
        }
    }
    return EncodeText(text, CanEncode(text, fEncoding) ? fEncoding : teUtf16LE);
}

} // namespace zov
