#pragma once

#include <QByteArray>
#include <cstdint>

class QTextDocument;

namespace zov {

// How the writer stores a picture that has no PNG, JPEG or EMF bytes of its own
// (those are written back as they were read).
enum TRtfBitmapForm : uint8_t {
    rbPng, // "\pngblip"
    rbDib  // "\dibitmap0": a packed device-independent bitmap, for the oldest readers
};

// The document as RTF in the form the rich-edit control reads and writes: a
// "\rtf1\ansi\ansicpg1252\deff0" header with font and colour tables, "\pard"
// paragraphs, "\pn" lists with "\pntext" fallbacks, "\trowd" tables, "\pict"
// pictures. The output is 7-bit: other characters are "\'xx" in Windows-1252 or
// "\uN" with a "?" for readers without Unicode.
QByteArray WriteRtf(const QTextDocument& document, TRtfBitmapForm bitmaps = rbPng);

} // namespace zov
