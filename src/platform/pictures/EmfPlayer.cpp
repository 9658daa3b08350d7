#include "platform/pictures/EmfPlayer.h"

#include "platform/pictures/Metafile.h"
#include "platform/types/Arithmetic.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace zov {
namespace {

constexpr size_t kMaxSavedStates = 256;
constexpr uint32_t kMaxObjects = 65536;
const QRect kEverywhere(-kMaxCoordinate, -kMaxCoordinate, 2 * kMaxCoordinate, 2 * kMaxCoordinate);

uint32_t RasterOpOf(uint32_t rop3) {
    switch (rop3) {
    case 0x008800C6: // source and destination
        return Gdi::R2MaskPen;
    case 0x00EE0086: // source or destination
        return Gdi::R2MergePen;
    case 0x00660046: // source xor destination
        return Gdi::R2XorPen;
    case 0x00550009: // invert destination
        return Gdi::R2Not;
    case 0x005A0049: // pattern xor destination
        return Gdi::R2XorPen;
    default:
        return Gdi::R2CopyPen;
    }
}

std::optional<QTransform> ReadTransform(const TEmfRecord& record, uint64_t offset) {
    double v[6];
    for (int i = 0; i < 6; ++i) {
        v[i] = record.F32(offset + 4 * i);
        if (!std::isfinite(v[i]) || std::abs(v[i]) > kMaxCoordinate) {
            return std::nullopt;
        }
    }
    const QTransform transform(v[0], v[1], v[2], v[3], v[4], v[5]);
    if (transform.determinant() == 0) {
        return std::nullopt;
    }
    return transform;
}

} // namespace

TEmfPlayer::TEmfPlayer(QPainter& painter, const TEmfHeader& header, const QRectF& target)
    : fOutput(painter, QTransform::fromTranslate(-header.frame.left(), -header.frame.top()) *
                           QTransform::fromScale(target.width() / header.frame.width(),
                                                 target.height() / header.frame.height()) *
                           QTransform::fromTranslate(target.left(), target.top()) *
                           painter.worldTransform()),
      fPixelsPerMm(header.pixelsPerMm) {
    fObjects.resize(std::min<uint32_t>(std::max<uint32_t>(header.handles, 1), kMaxObjects));
}

bool TEmfPlayer::Play(const TEmfRecord& record) {
    switch (record.Type()) {
    case Emr::Eof:
        return false;
    case Emr::SetBkMode:
    case Emr::SetPolyFillMode:
    case Emr::SetRop2:
    case Emr::SetTextAlign:
    case Emr::SetTextColor:
    case Emr::SetBkColor:
    case Emr::SetArcDirection:
    case Emr::MoveToEx:
    case Emr::SaveDC:
    case Emr::RestoreDC:
        PlayState(record);
        break;
    case Emr::SetMapMode:
    case Emr::SetWindowExtEx:
    case Emr::SetWindowOrgEx:
    case Emr::SetViewportExtEx:
    case Emr::SetViewportOrgEx:
    case Emr::ScaleViewportExtEx:
    case Emr::ScaleWindowExtEx:
    case Emr::SetWorldTransform:
    case Emr::ModifyWorldTransform:
        PlayMapping(record);
        break;
    case Emr::CreatePen:
    case Emr::ExtCreatePen:
    case Emr::CreateBrushIndirect:
    case Emr::CreateMonoBrush:
    case Emr::CreateDIBPatternBrushPt:
    case Emr::ExtCreateFontIndirectW:
    case Emr::SelectObject:
    case Emr::DeleteObject:
        PlayObject(record);
        break;
    case Emr::LineTo:
    case Emr::Rectangle:
    case Emr::RoundRect:
    case Emr::Ellipse:
    case Emr::Arc:
    case Emr::ArcTo:
    case Emr::Chord:
    case Emr::Pie:
    case Emr::SetPixelV:
        PlayShape(record);
        break;
    case Emr::PolyBezier:
    case Emr::Polygon:
    case Emr::Polyline:
    case Emr::PolyBezierTo:
    case Emr::PolylineTo:
    case Emr::PolyBezier16:
    case Emr::Polygon16:
    case Emr::Polyline16:
    case Emr::PolyBezierTo16:
    case Emr::PolylineTo16:
        PlayPoly(record);
        break;
    case Emr::PolyPolyline:
    case Emr::PolyPolygon:
    case Emr::PolyPolyline16:
    case Emr::PolyPolygon16:
        PlayPolyPoly(record);
        break;
    case Emr::BeginPath:
    case Emr::EndPath:
    case Emr::CloseFigure:
    case Emr::FillPath:
    case Emr::StrokeAndFillPath:
    case Emr::StrokePath:
    case Emr::AbortPath:
    case Emr::FillRgn:
    case Emr::PaintRgn:
        PlayPath(record);
        break;
    case Emr::SelectClipPath:
    case Emr::ExtSelectClipRgn:
    case Emr::IntersectClipRect:
    case Emr::ExcludeClipRect:
        PlayClip(record);
        break;
    case Emr::ExtTextOutA:
    case Emr::ExtTextOutW:
        PlayText(record);
        break;
    case Emr::BitBlt:
    case Emr::StretchBlt:
    case Emr::StretchDIBits:
        PlayBitmap(record);
        break;
    default:
        break;
    }
    return true;
}

void TEmfPlayer::PlayState(const TEmfRecord& record) {
    const uint32_t value = record.U32(8);
    switch (record.Type()) {
    case Emr::SetBkMode:
        fState.opaqueBk = value == Gdi::Opaque;
        break;
    case Emr::SetPolyFillMode:
        fState.fillRule = value == Gdi::Winding ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case Emr::SetRop2:
        if (value >= Gdi::R2Black && value <= Gdi::R2White) {
            fState.rop2 = value;
        }
        break;
    case Emr::SetTextAlign:
        fState.textAlign = value;
        break;
    case Emr::SetTextColor:
        fState.textColor = record.Color(8);
        break;
    case Emr::SetBkColor:
        fState.bkColor = record.Color(8);
        break;
    case Emr::SetArcDirection:
        fState.clockwise = value == 2;
        break;
    case Emr::MoveToEx:
        fState.position = record.Point(8);
        if (fInPath) {
            fPath.moveTo(fState.position);
        }
        break;
    case Emr::SaveDC:
        if (fSaved.size() < kMaxSavedStates) {
            fSaved.push_back(fState);
        }
        break;
    case Emr::RestoreDC: {
        // Negative levels count back from the latest save, positive ones are absolute.
        const int64_t level = record.I32(8);
        const auto saved = static_cast<int64_t>(fSaved.size());
        const int64_t keep = level < 0 ? saved + level : level - 1;
        if (keep >= 0 && keep < saved) {
            fState = fSaved[static_cast<size_t>(keep)];
            fSaved.resize(static_cast<size_t>(keep));
            fOutput.SetClip(fState.clip);
        }
        break;
    }
    default:
        break;
    }
}

void TEmfPlayer::PlayMapping(const TEmfRecord& record) {
    const QPointF point = record.Point(8);
    const QSizeF extent(point.x(), point.y());
    const bool usable = extent.width() != 0 && extent.height() != 0;
    switch (record.Type()) {
    case Emr::SetMapMode:
        if (record.U32(8) >= Gdi::MmText && record.U32(8) <= Gdi::MmAnisotropic) {
            fState.mapMode = record.U32(8);
        }
        break;
    case Emr::SetWindowExtEx:
        if (usable) {
            fState.windowExt = extent;
        }
        break;
    case Emr::SetViewportExtEx:
        if (usable) {
            fState.viewportExt = extent;
        }
        break;
    case Emr::SetWindowOrgEx:
        fState.windowOrg = point;
        break;
    case Emr::SetViewportOrgEx:
        fState.viewportOrg = point;
        break;
    case Emr::ScaleViewportExtEx:
    case Emr::ScaleWindowExtEx: {
        const double xNum = record.I32(8), xDenom = record.I32(12);
        const double yNum = record.I32(16), yDenom = record.I32(20);
        if (xNum != 0 && xDenom != 0 && yNum != 0 && yDenom != 0) {
            QSizeF& ext =
                record.Type() == Emr::ScaleViewportExtEx ? fState.viewportExt : fState.windowExt;
            ext = QSizeF(ext.width() * xNum / xDenom, ext.height() * yNum / yDenom);
        }
        break;
    }
    case Emr::SetWorldTransform:
        if (const auto transform = ReadTransform(record, 8)) {
            fState.world = *transform;
        }
        break;
    case Emr::ModifyWorldTransform: {
        const auto transform = ReadTransform(record, 8);
        const uint32_t mode = record.U32(32);
        if (mode == 1) {
            fState.world = QTransform();
        } else if (transform && mode == 2) {
            fState.world = *transform * fState.world;
        } else if (transform && mode == 3) {
            fState.world = fState.world * *transform;
        } else if (transform && mode == 4) {
            fState.world = *transform;
        }
        break;
    }
    default:
        break;
    }
}

QTransform TEmfPlayer::PageToDevice() const {
    double sx = 1;
    double sy = 1;
    // Millimetres per logical unit of the fixed mapping modes, whose y axis points up.
    static const double fixedModes[] = {0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
    const TEmfDcState& s = fState;
    if (s.mapMode >= 2 && s.mapMode <= 6) {
        sx = fixedModes[s.mapMode - 2] * fPixelsPerMm.width();
        sy = -fixedModes[s.mapMode - 2] * fPixelsPerMm.height();
    } else if (s.mapMode == Gdi::MmIsotropic || s.mapMode == Gdi::MmAnisotropic) {
        sx = s.viewportExt.width() / s.windowExt.width();
        sy = s.viewportExt.height() / s.windowExt.height();
        if (s.mapMode == Gdi::MmIsotropic) {
            const double scale = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(scale, sx);
            sy = std::copysign(scale, sy);
        }
    }
    return QTransform::fromTranslate(-s.windowOrg.x(), -s.windowOrg.y()) *
           QTransform::fromScale(sx, sy) *
           QTransform::fromTranslate(s.viewportOrg.x(), s.viewportOrg.y());
}

void TEmfPlayer::PlayObject(const TEmfRecord& record) {
    const uint32_t handle = record.U32(8);
    switch (record.Type()) {
    case Emr::SelectObject:
        if (handle & Gdi::StockObject) {
            Select(StockObject(handle & ~Gdi::StockObject));
        } else if (handle < fObjects.size()) {
            Select(fObjects[handle]);
        }
        break;
    case Emr::DeleteObject:
        if (handle < fObjects.size()) {
            fObjects[handle] = std::monostate();
        }
        break;
    default:
        // A table too small for its file is grown, within the limit of handles.
        if (handle != 0 && handle < kMaxObjects) {
            if (handle >= fObjects.size()) {
                fObjects.resize(handle + 1);
            }
            fObjects[handle] = DecodeObject(record);
        }
        break;
    }
}

void TEmfPlayer::Select(const TEmfObject& object) {
    if (const auto* pen = std::get_if<TEmfPen>(&object)) {
        fState.pen = *pen;
    } else if (const auto* brush = std::get_if<QBrush>(&object)) {
        fState.brush = *brush;
    } else if (const auto* font = std::get_if<TEmfFont>(&object)) {
        fState.font = *font;
    }
}

void TEmfPlayer::Emit(const QPainterPath& shape, bool stroke, bool fill) {
    if (fInPath) {
        fPath.addPath(shape);
    } else {
        fOutput.Shape(fState, Full(), shape, stroke, fill, fState.brush);
    }
}

void TEmfPlayer::PlayShape(const TEmfRecord& record) {
    const QRectF box = record.Box(8).normalized();
    QPainterPath shape;
    switch (record.Type()) {
    case Emr::LineTo: {
        const QPointF to = record.Point(8);
        if (fInPath) {
            if (fPath.elementCount() == 0) {
                fPath.moveTo(fState.position);
            }
            fPath.lineTo(to);
        } else {
            shape.moveTo(fState.position);
            shape.lineTo(to);
            fOutput.Shape(fState, Full(), shape, true, false, fState.brush);
        }
        fState.position = to;
        return;
    }
    case Emr::SetPixelV: {
        shape.addRect(QRectF(record.Point(8), QSizeF(1, 1)));
        fOutput.Shape(fState, Full(), shape, false, true, QBrush(record.Color(16)));
        return;
    }
    case Emr::Rectangle:
        shape.addRect(box);
        if (!fInPath && Full().type() <= QTransform::TxScale) {
            // Edges along the pixel grid need no smoothing, and a smoothed thin outline
            // leaves its corners partly uncovered.
            fOutput.Shape(fState, Full(), shape, true, true, fState.brush, false);
            return;
        }
        break;
    case Emr::RoundRect:
        shape.addRoundedRect(box, std::abs(record.I32(24)) / 2.0, std::abs(record.I32(28)) / 2.0);
        break;
    case Emr::Ellipse:
        shape.addEllipse(box);
        break;
    default: {
        // Arcs run from where the line from the centre to the start point meets the
        // ellipse to where the one to the end point does.
        const double rx = box.width() / 2;
        const double ry = box.height() / 2;
        if (rx <= 0 || ry <= 0) {
            return;
        }
        const QPointF c = box.center();
        const auto angleOf = [&](const QPointF& p) {
            return qRadiansToDegrees(std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx));
        };
        const double start = angleOf(record.Point(24));
        double sweep = angleOf(record.Point(32)) - start;
        sweep = fState.clockwise ? -std::fmod(360 - std::fmod(sweep + 720, 360), 360)
                                 : std::fmod(sweep + 720, 360);
        if (sweep == 0) {
            sweep = fState.clockwise ? -360 : 360;
        }
        const uint32_t type = record.Type();
        if (type == Emr::Pie) {
            shape.moveTo(c);
        } else if (type == Emr::ArcTo) {
            shape.moveTo(fState.position);
        } else {
            shape.arcMoveTo(box, start);
        }
        shape.arcTo(box, start, sweep);
        if (type == Emr::ArcTo) {
            fState.position = shape.currentPosition();
            if (fInPath) {
                fPath.connectPath(shape);
                return;
            }
        }
        if (type == Emr::Pie || type == Emr::Chord) {
            shape.closeSubpath();
        }
        Emit(shape, true, type == Emr::Pie || type == Emr::Chord);
        return;
    }
    }
    Emit(shape, true, true);
}

void TEmfPlayer::PlayPoly(const TEmfRecord& record) {
    const uint32_t type = record.Type();
    const bool small = type >= Emr::PolyBezier16;
    const uint32_t count = record.U32(24);
    const uint64_t pointSize = small ? 4 : 8;
    if (count == 0 || !record.Has(28, count * pointSize)) {
        return;
    }
    QPolygonF points;
    points.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t at = 28 + i * pointSize;
        points.append(small ? record.Point16(at) : record.Point(at));
    }
    const uint32_t kind = small ? type - Emr::PolyBezier16 + Emr::PolyBezier : type;
    const bool continues = kind == Emr::PolyBezierTo || kind == Emr::PolylineTo;
    QPainterPath shape;
    qsizetype i = 0;
    if (continues) {
        shape.moveTo(fState.position);
    } else {
        shape.moveTo(points[i++]);
    }
    if (kind == Emr::PolyBezier || kind == Emr::PolyBezierTo) {
        for (; i + 2 < points.size(); i += 3) {
            shape.cubicTo(points[i], points[i + 1], points[i + 2]);
        }
    } else {
        for (; i < points.size(); ++i) {
            shape.lineTo(points[i]);
        }
    }
    if (continues) {
        fState.position = shape.currentPosition();
        if (fInPath) {
            // Continue the current figure. connectPath would also join it to the
            // previous figure, dropping the move that separates them.
            if (fPath.elementCount() == 0) {
                fPath.moveTo(shape.elementAt(0));
            }
            for (int e = 1; e < shape.elementCount(); ++e) {
                const QPainterPath::Element& element = shape.elementAt(e);
                if (element.isCurveTo() && e + 2 < shape.elementCount()) {
                    fPath.cubicTo(element, shape.elementAt(e + 1), shape.elementAt(e + 2));
                    e += 2;
                } else {
                    fPath.lineTo(element);
                }
            }
            return;
        }
    }
    const bool polygon = kind == Emr::Polygon;
    if (polygon) {
        shape.closeSubpath();
    }
    Emit(shape, true, polygon);
}

void TEmfPlayer::PlayPolyPoly(const TEmfRecord& record) {
    const bool small = record.Type() == Emr::PolyPolyline16 || record.Type() == Emr::PolyPolygon16;
    const bool polygon = record.Type() == Emr::PolyPolygon || record.Type() == Emr::PolyPolygon16;
    const uint32_t polys = record.U32(24);
    const uint32_t total = record.U32(28);
    const uint64_t pointSize = small ? 4 : 8;
    const uint64_t pointsAt = 32 + uint64_t{polys} * 4;
    if (!record.Has(32, uint64_t{polys} * 4) || !record.Has(pointsAt, total * pointSize)) {
        return;
    }
    QPainterPath shape;
    uint64_t next = 0;
    for (uint32_t k = 0; k < polys; ++k) {
        const uint32_t n = record.U32(32 + 4 * uint64_t{k});
        if (n > total - next) {
            break;
        }
        for (uint32_t i = 0; i < n; ++i, ++next) {
            const uint64_t at = pointsAt + next * pointSize;
            const QPointF p = small ? record.Point16(at) : record.Point(at);
            if (i == 0) {
                shape.moveTo(p);
            } else {
                shape.lineTo(p);
            }
        }
        if (polygon && n > 0) {
            shape.closeSubpath();
        }
    }
    Emit(shape, true, polygon);
}

void TEmfPlayer::PlayPath(const TEmfRecord& record) {
    switch (record.Type()) {
    case Emr::BeginPath:
        fPath = QPainterPath();
        fInPath = true;
        break;
    case Emr::EndPath:
        fInPath = false;
        break;
    case Emr::AbortPath:
        fPath = QPainterPath();
        fInPath = false;
        break;
    case Emr::CloseFigure:
        if (fInPath) {
            fPath.closeSubpath();
        }
        break;
    case Emr::FillPath:
    case Emr::StrokePath:
    case Emr::StrokeAndFillPath:
        if (!fInPath) {
            const bool stroke = record.Type() != Emr::FillPath;
            const bool fill = record.Type() != Emr::StrokePath;
            fOutput.Shape(fState, Full(), fPath, stroke, fill, fState.brush);
            fPath = QPainterPath();
        }
        break;
    case Emr::FillRgn:
    case Emr::PaintRgn: {
        const bool paint = record.Type() == Emr::PaintRgn;
        QBrush brush = fState.brush;
        if (!paint) {
            const uint32_t handle = record.U32(28);
            const TEmfObject object = (handle & Gdi::StockObject)
                                          ? StockObject(handle & ~Gdi::StockObject)
                                      : handle < fObjects.size() ? fObjects[handle]
                                                                 : TEmfObject();
            const auto* chosen = std::get_if<QBrush>(&object);
            if (chosen == nullptr) {
                return;
            }
            brush = *chosen;
        }
        QPainterPath area;
        for (const QRect& rect : DecodeRegionRects(record, paint ? 28 : 32, record.U32(24))) {
            area.addRect(rect);
        }
        fOutput.Shape(fState, Full(), area, false, true, brush);
        break;
    }
    default:
        break;
    }
}

void TEmfPlayer::PlayClip(const TEmfRecord& record) {
    // Clips are cut to the device as regions, so only their mapping must be sound.
    const bool mappable = IsDrawableTransform(Full());
    switch (record.Type()) {
    case Emr::ExtSelectClipRgn: {
        const uint32_t size = record.U32(8);
        const uint32_t mode = record.U32(12);
        if (size == 0) {
            if (mode == Gdi::RgnCopy) {
                fState.clip.reset();
                fOutput.SetClip(fState.clip);
            }
            return;
        }
        if (IsDrawableTransform(fOutput.DeviceToPaint())) {
            CombineClip(fOutput.DeviceRegion(DecodeRegionRects(record, 16, size)), mode);
        }
        break;
    }
    case Emr::IntersectClipRect:
    case Emr::ExcludeClipRect:
        if (mappable) {
            QPainterPath path;
            path.addRect(record.Box(8).normalized());
            const uint32_t mode =
                record.Type() == Emr::IntersectClipRect ? Gdi::RgnAnd : Gdi::RgnDiff;
            CombineClip(fOutput.DevicePathRegion(Full().map(path)), mode);
        }
        break;
    case Emr::SelectClipPath:
        if (!fInPath) {
            if (mappable) {
                QPainterPath path = fPath;
                path.setFillRule(fState.fillRule);
                CombineClip(fOutput.DevicePathRegion(Full().map(path)), record.U32(8));
            }
            fPath = QPainterPath();
        }
        break;
    default:
        break;
    }
}

void TEmfPlayer::CombineClip(const QRegion& area, uint32_t mode) {
    std::optional<QRegion>& clip = fState.clip;
    switch (mode) {
    case Gdi::RgnCopy:
        clip = area;
        break;
    case Gdi::RgnAnd:
        clip = clip ? clip->intersected(area) : area;
        break;
    case Gdi::RgnOr:
        if (clip) {
            clip = clip->united(area);
        }
        break;
    case Gdi::RgnXor:
        clip = clip.value_or(QRegion(kEverywhere)).xored(area);
        break;
    case Gdi::RgnDiff:
        clip = clip.value_or(QRegion(kEverywhere)).subtracted(area);
        break;
    default:
        return;
    }
    fOutput.SetClip(clip);
}

void TEmfPlayer::PlayText(const TEmfRecord& record) {
    if (!record.Has(36, 40) || fInPath) {
        return;
    }
    const bool wide = record.Type() == Emr::ExtTextOutW;
    const uint32_t count = record.U32(44);
    const uint32_t stringOffset = record.U32(48);
    const uint32_t dxOffset = record.U32(72);
    TEmfText text;
    text.options = record.U32(52);
    text.rect = record.Box(56).normalized();
    text.origin = (fState.textAlign & Gdi::TaUpdateCP) ? fState.position : record.Point(36);
    if (record.Has(stringOffset, uint64_t{count} * (wide ? 2 : 1))) {
        text.text.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            text.text[i] = QChar(wide ? record.U16(stringOffset + 2 * uint64_t{i})
                                      : record.U8(stringOffset + uint64_t{i}));
        }
        const uint64_t step = (text.options & 0x2000) ? 8 : 4; // with vertical advances too
        if (dxOffset != 0 && record.Has(dxOffset, count * step)) {
            for (uint32_t i = 0; i < count; ++i) {
                text.advances.push_back(record.I32(dxOffset + step * i));
            }
        }
    }
    const double advance = fOutput.Text(fState, Full(), text);
    if (fState.textAlign & Gdi::TaUpdateCP) {
        fState.position += QPointF(advance, 0);
    }
}

void TEmfPlayer::PlayBitmap(const TEmfRecord& record) {
    QRectF dest;
    QRectF source;
    uint32_t rop = 0;
    uint32_t info = 0;
    bool bottomUp = false;
    QImage image;
    if (record.Type() == Emr::StretchDIBits) {
        if (record.Size() < 80) {
            return;
        }
        dest = QRectF(record.Point(24), QSizeF(record.I32(72), record.I32(76)));
        source = QRectF(record.Point(32), QSizeF(record.I32(40), record.I32(44)));
        info = record.U32(48);
        image = DecodeDib(record, info, record.U32(52), record.U32(56), record.U32(60));
        rop = record.U32(68);
        bottomUp = true;
    } else {
        const bool stretch = record.Type() == Emr::StretchBlt;
        if (record.Size() < (stretch ? 108u : 100u)) {
            return;
        }
        dest = QRectF(record.Point(24), QSizeF(record.I32(32), record.I32(36)));
        rop = record.U32(40);
        source = QRectF(record.Point(44),
                        stretch ? QSizeF(record.I32(100), record.I32(104)) : dest.size());
        info = record.U32(84);
        if (record.U32(88) != 0) {
            image = DecodeDib(record, info, record.U32(88), record.U32(92), record.U32(96));
        }
    }
    if (fInPath) {
        return;
    }
    const uint32_t rop2 = RasterOpOf(rop);
    if (image.isNull()) {
        // Blits without a bitmap fill with a colour or the brush.
        const QBrush fill = rop == 0x00000042    ? QBrush(Qt::black)
                            : rop == 0x00FF0062  ? QBrush(Qt::white)
                            : rop2 == Gdi::R2Not ? QBrush(Qt::white)
                                                 : fState.brush;
        fOutput.Fill(Full(), dest, fill, rop2);
        return;
    }
    // Bottom-up bitmaps count source rows from their last line.
    if (bottomUp && record.I32(uint64_t{info} + 8) > 0) {
        source.moveTop(image.height() - source.bottom());
    }
    fOutput.Bitmap(Full(), dest, image, source, rop2);
}

} // namespace zov
