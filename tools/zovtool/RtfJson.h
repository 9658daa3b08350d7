#pragma once

#include <QJsonObject>

class QTextDocument;

namespace zov {

// The structure of a rich-text document for tests and scripts: its paragraphs
// ("blocks", with alignment, indents and spacing in twips, line spacing, list,
// table cell and runs of formatted text), its tables and its pictures.
QJsonObject RtfStructure(const QTextDocument& document);

} // namespace zov
