// The graph on the clipboard: its object list, a metafile and a bitmap of it.
#include "RaroviRovoz.h"
#include "graph/model/GraphNode.h"
#include "platform/pictures/Metafile.h"
#include "platform/pictures/Picture.h"
#include "platform/types/UpdateBracket.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <algorithm>

namespace zov {

namespace {

// The clipboard formats: the object list of the graph file, byte for byte.
const QString kNativeMimeType = QStringLiteral("application/x-rarovi-rovoz");
#ifdef Q_OS_WIN
// The name other programs register for the same data on Windows.
const QString kNativeWindowsFormat =
    QStringLiteral("application/x-qt-windows-mime;value=\"Rarovi Rovoz Format\"");
#endif
const QStringList kMetafileMimeTypes{QStringLiteral("image/emf"), QStringLiteral("image/x-emf")};

struct TClipboardPicture {
    QString GraphicClass; // empty when the clipboard holds no picture
    QByteArray Bytes;     // the picture's file image
};

TClipboardPicture ClipboardPicture(const QMimeData& data) {
    for (const QString& type : kMetafileMimeTypes) {
        if (data.hasFormat(type)) {
            const QByteArray bytes = data.data(type);
            if (IsEnhancedMetafile(bytes)) {
                return {QStringLiteral("TMetafile"), bytes};
            }
        }
    }
    if (data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull()) {
            return {QStringLiteral("TBitmap"),
                    BitmapFileBytes(image.convertToFormat(QImage::Format_RGB888))};
        }
    }
    return {};
}

} // namespace

void TRaroviRovoz::CopyToClipboard(bool selection) {
    TGraphObjectList& list = selection ? SelectedObjects() : Objects();
    if (list.Count() == 0) {
        return;
    }
    auto data = std::make_unique<QMimeData>();
    if (fClipboardFormats.Contains(cfNative)) {
        TMemoryStream stream;
        WriteObjectList(stream, list);
        data->setData(kNativeMimeType, stream.Bytes());
#ifdef Q_OS_WIN
        data->setData(kNativeWindowsFormat, stream.Bytes());
#endif
    }
    if (fClipboardFormats.Contains(cfMetafile)) {
        const QByteArray bytes = RecordMetafile(list).Bytes();
        for (const QString& type : kMetafileMimeTypes) {
            data->setData(type, bytes);
        }
    }
    if (fClipboardFormats.Contains(cfBitmap)) {
        data->setImageData(RenderBitmap(list));
    }
    QApplication::clipboard()->setMimeData(data.release());
}

bool TRaroviRovoz::ClipboardHasGraphData() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr) {
        return false;
    }
    const QStringList formats = data->formats();
    return formats.contains(kNativeMimeType) ||
           std::any_of(kMetafileMimeTypes.begin(), kMetafileMimeTypes.end(),
                       [&formats](const QString& type) { return formats.contains(type); });
}

void TRaroviRovoz::CopyMetafileToClipboard(const TMetafile& metafile) {
    auto data = std::make_unique<QMimeData>();
    const QByteArray bytes = metafile.Bytes();
    for (const QString& type : kMetafileMimeTypes) {
        data->setData(type, bytes);
    }
    QApplication::clipboard()->setMimeData(data.release());
}

bool TRaroviRovoz::PasteFromClipboard() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr) {
        return false;
    }
    if (data->hasFormat(kNativeMimeType)) {
        TMemoryStream stream(data->data(kNativeMimeType));
        WithUpdate(*this, [&] {
            ClearSelection();
            const int32_t first = Objects().Count();
            ReadObjectList(stream);
            for (int32_t i = Objects().Count() - 1; i >= first; --i) {
                Objects().Items(i)->SetSelected(true);
            }
        });
        return true;
    }
    const TClipboardPicture picture = ClipboardPicture(*data);
    if (picture.GraphicClass.isEmpty() || SelectedObjects().Count() != 1) {
        return false;
    }
    // A picture goes to a node only; a selected link stays as it is.
    if (auto* node = dynamic_cast<TGraphNode*>(SelectedObjects().Items(0))) {
        WithUpdate(*this,
                   [&] { node->Background().SetGraphic(picture.GraphicClass, picture.Bytes); });
    }
    return false;
}

} // namespace zov
