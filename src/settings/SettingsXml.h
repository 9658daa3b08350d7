#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace zov {

// One element of the settings document: a name, a text and child elements. An element
// with children is written without its text.
struct TXmlElement {
    QString Name;
    QString Text;
    std::vector<std::unique_ptr<TXmlElement>> Children;

    TXmlElement(const QString& name, const QString& text) : Name(name), Text(text) {}

    // The first child of that name, or null.
    TXmlElement* Child(const QString& name) const;
    TXmlElement& AppendChild(const QString& name, const QString& text);
};

// Limits that keep a hostile file cheap: a settings file holds a few dozen elements.
inline constexpr qsizetype kMaxSettingsFileSize = 256 * 1024;
inline constexpr int kMaxSettingsDepth = 16;
inline constexpr int kMaxSettingsElements = 4096;

// The root element of a settings file, or nothing when the bytes are not well-formed
// XML or exceed the limits. The encoding is taken from the declaration.
std::optional<std::unique_ptr<TXmlElement>> ParseSettingsXml(const QByteArray& bytes);

// The document as UTF-8 with its declaration, one element per line indented by two
// blanks per level, an empty element in its short form. Nothing when the writer
// refuses a text (characters XML cannot carry).
std::optional<QByteArray> SettingsXmlBytes(const TXmlElement& root);

} // namespace zov
