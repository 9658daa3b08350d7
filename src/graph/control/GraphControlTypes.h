#pragma once

#include "graph/document/GraphDocumentTypes.h"

namespace zov {

enum TGraphZoomOrigin : uint8_t { zoTopLeft, zoCenter, zoCursor, zoCursorCenter };
enum TGraphClipboardFormat : uint8_t { cfNative, cfMetafile, cfBitmap };
using TGraphClipboardFormats = TSet<TGraphClipboardFormat, uint8_t>;

} // namespace zov
