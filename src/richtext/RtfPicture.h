#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <cstdint>

namespace zov {

// The kinds of picture data "\pict" holds that the reader shows.
enum TRtfPictureFormat : uint8_t {
    rpUnknown, // no format word, or one the reader does not show ("\wmetafile", "\macpict")
    rpPng,     // "\pngblip"
    rpJpeg,    // "\jpegblip"
    rpEmf,     // "\emfblip": drawn by the metafile player
    rpDib,     // "\dibitmap": a packed device-independent bitmap
    rpDdb      // "\wbitmap": rows of a device bitmap, described by "\wbm..." words
};

// The name a picture's format has in the document's image format, the writer and
// the JSON structure: "png", "jpeg", "emf", "dib", "wbitmap".
QString RtfPictureFormatName(TRtfPictureFormat format);

// One "\pict" group as it is read: its words, then its data as hex digits or
// "\bin" bytes. Data beyond kMaxBytes is dropped, and so is the picture.
class TRtfPicture {
public:
    static constexpr qsizetype kMaxBytes = 32 * 1024 * 1024;
    // Decoded bitmaps larger than this on a side, or in all, are not shown.
    static constexpr int kMaxSide = 16384;
    static constexpr qint64 kMaxPixels = qint64{1} << 25;

    TRtfPictureFormat format = rpUnknown;
    int picW = 0; // bitmaps: pixels; metafiles: their own units
    int picH = 0;
    int goalW = 0; // twips
    int goalH = 0;
    int scaleX = 100; // percent
    int scaleY = 100;
    int ddbBitsPerPixel = 1; // "\wbmbitspixel"
    int ddbWidthBytes = 0;   // "\wbmwidthbytes": bytes per row

    // Adds hex digits; other bytes (blanks, line breaks) are passed over.
    void AddHex(QByteArrayView text);
    void AddBinary(QByteArrayView bytes);

    // The picture as an image (null when it cannot be shown) and the size it is
    // shown at, in pixels at 96 dpi: the goal size or its own, times the scale.
    struct TShown {
        QImage image;
        QSizeF size;
    };
    TShown Decode() const;
    // The picture's bytes; empty when they were beyond the bound.
    const QByteArray& Data() const { return fData; }

private:
    QImage DecodeBitmap() const;
    QImage DecodeDdb() const;
    TShown DecodeMetafile() const;
    QSizeF Shown(QSizeF natural) const;

    QByteArray fData;
    int fHighNibble = -1; // the first digit of a pair, -1 when none
    bool fOverflow = false;
};

} // namespace zov
