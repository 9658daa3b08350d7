#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <memory>
#include <ostream>

// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& lines, std::ostream* out) {
    *out << '\n' << lines.join('\n').toStdString() << '\n';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '\n' << bytes.toStdString() << '\n';
}

namespace zov::test {

// body inside a document in the classic rich-edit control's form: fonts 0 Arial
// (ANSI), 1 "Arial Cyr" (Cyrillic), 2 Times New Roman; colours 1 red, 2 green.
QByteArray RichEditRtf(const QByteArray& body);

// A document read from rtf, whatever the reader's result.
std::unique_ptr<QTextDocument> ReadDocument(const QByteArray& rtf);

// The text of every block, as QTextBlock gives it (line separators and no-break
// spaces kept).
QStringList BlockTexts(const QTextDocument& document);

// The document's structure in lines: a paragraph outside tables as its text; a
// table as "table RxC" and a line per row of its cells' texts, "a | b", a cell's
// paragraphs joined by "/", a merged cell followed by "(RxC)" and the cells it
// covers left out.
QStringList Outline(const QTextDocument& document);

// Outline() with the formatting of every paragraph and run, in words, so that two
// documents compare equal when a reader would see the same text and formatting.
QStringList Describe(const QTextDocument& document);

// The character format of the first character of the first occurrence of text.
QTextCharFormat FormatOf(const QTextDocument& document, const QString& text);

// The block format of the block that holds text.
QTextBlockFormat BlockFormatOf(const QTextDocument& document, const QString& text);

} // namespace zov::test
