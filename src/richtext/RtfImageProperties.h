#pragma once

#include <QTextFormat>

namespace zov {

// Properties the reader gives a picture's QTextImageFormat: the name of the format
// the document held it in ("png", "jpeg", "emf", "dib", "wbitmap"), and for PNG,
// JPEG and EMF the picture's own bytes, which the writer puts back unchanged.
inline constexpr int kRtfPictureFormatProperty = QTextFormat::UserProperty + 0x5254;
inline constexpr int kRtfPictureDataProperty = QTextFormat::UserProperty + 0x5255;

} // namespace zov
