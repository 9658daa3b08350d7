#include "settings/SettingsXml.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace zov {

namespace {

// QXmlStreamWriter spells the encoding in capitals; the declaration is written here
// to keep the lower-case "utf-8" of the settings file.
constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>";

void WriteElement(QXmlStreamWriter& writer, const TXmlElement& element) {
    if (!element.Children.empty()) {
        writer.writeStartElement(element.Name);
        for (const auto& child : element.Children) {
            WriteElement(writer, *child);
        }
        writer.writeEndElement();
    } else if (element.Text.isEmpty()) {
        writer.writeEmptyElement(element.Name);
    } else {
        writer.writeTextElement(element.Name, element.Text);
    }
}

} // namespace

TXmlElement* TXmlElement::Child(const QString& name) const {
    for (const auto& child : Children) {
        if (child->Name == name) {
            return child.get();
        }
    }
    return nullptr;
}

TXmlElement& TXmlElement::AppendChild(const QString& name, const QString& text) {
    Children.push_back(std::make_unique<TXmlElement>(name, text));
    return *Children.back();
}

std::optional<std::unique_ptr<TXmlElement>> ParseSettingsXml(const QByteArray& bytes) {
    if (bytes.size() > kMaxSettingsFileSize) {
        return std::nullopt;
    }
    QXmlStreamReader reader(bytes);
    std::unique_ptr<TXmlElement> root;
    std::vector<TXmlElement*> open;
    int elements = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (++elements > kMaxSettingsElements ||
                static_cast<int>(open.size()) >= kMaxSettingsDepth) {
                return std::nullopt;
            }
            const QString name = reader.name().toString();
            if (open.empty()) {
                root = std::make_unique<TXmlElement>(name, QString());
                open.push_back(root.get());
            } else {
                open.push_back(&open.back()->AppendChild(name, QString()));
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty()) {
                open.back()->Text += reader.text();
            }
            break;
        default:
            break;
        }
    }
    if (reader.hasError() || !root) {
        return std::nullopt;
    }
    return root;
}

std::optional<QByteArray> SettingsXmlBytes(const TXmlElement& root) {
    QByteArray bytes(kDeclaration);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    QXmlStreamWriter writer(&buffer);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(2);
    WriteElement(writer, root);
    // An empty element's "/>" is written only when the writer moves on.
    writer.writeEndDocument();
    if (writer.hasError()) {
        return std::nullopt;
    }
    buffer.close();
    // The writer ends a document with one or two line feeds, depending on its last
    // element; the file always ends with one.
    while (bytes.endsWith('\n')) {
        bytes.chop(1);
    }
    bytes.append('\n');
    return bytes;
}

} // namespace zov
