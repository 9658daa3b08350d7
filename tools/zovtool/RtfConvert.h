#pragma once

#include <QString>

namespace zov {

// Reads the RTF file inName and writes it to outName in the form its extension
// names: .txt (a line per paragraph, table cells one per line), .html, .rtf (our
// writer), .pdf and .png (laid out 16 cm wide) or .json (RtfStructure). Throws an
// Exception with a message for the user when the input cannot be read or is no
// RTF, or the output cannot be written; a failed output file is not left behind.
void ConvertRtf(const QString& inName, const QString& outName);

} // namespace zov
