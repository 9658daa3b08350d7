#pragma once

#include <QString>

namespace zov::test {

// The text of a PDF file as pdftotext gives it (pages end in form feeds); a null
// string when pdftotext is not installed, so the caller can skip.
QString PdfText(const QString& pdf);

} // namespace zov::test
