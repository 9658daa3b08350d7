#pragma once

#include <QByteArray>
#include <QSize>
#include <cstdint>

class QImage;
class QTextCursor;
class QTextDocument;

namespace zov {

// Bitmaps larger than this on a side are not turned into RTF: as hex they would
// put many megabytes into a text node.
constexpr int kMaxRtfBitmapSide = 4096;

// "{\rtf1 {\pict\dibitmap <hex> }}": the image as a packed 24-bit device-independent
// bitmap (its 40-byte header, then the rows bottom-up, each padded to 4 bytes), every
// byte as two hex digits. Empty for a null image or one beyond kMaxRtfBitmapSide.
QByteArray BitmapToRtf(const QImage& image);

// The RTF of an empty table of rows x columns (each at least 1) whose cells share
// nodeWidth pixels: each cell (nodeWidth / columns) * 14 - 10 twips wide, which is
// negative for a node narrower than its columns.
QByteArray TableRtf(int rows, int columns, int32_t nodeWidth);

// Replaces the cursor's selection by the RTF document in rtf (pictures included);
// false, leaving the text alone, when rtf holds no RTF.
bool InsertRtf(QTextCursor& cursor, const QByteArray& rtf);

// The document laid out size.width() pixels wide and drawn from the top into an
// enhanced metafile of that size (text stays text); the file's bytes. The size is
// bounded to what a metafile can hold.
QByteArray RenderToMetafile(const QTextDocument& document, QSize size);

} // namespace zov
