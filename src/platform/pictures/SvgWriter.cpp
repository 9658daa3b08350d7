#include "platform/pictures/SvgWriter.h"

#include "platform/types/Arithmetic.h"

#include <QBuffer>
#include <QIODevice>
#include <QImage>
#include <QImageWriter>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <QtMath>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zov {
namespace {

constexpr size_t kChunk = 64 * 1024;

// ---- Text of the document ------------------------------------------------------------

// Builds the document in a reusable buffer and hands it to the device in large chunks:
// no QString per element, no device call per element, and no memory that grows with
// the drawing.
class TSvgOutput {
public:
    explicit TSvgOutput(QIODevice& device) : fDevice(device) { fText.reserve(2 * kChunk); }

    TSvgOutput& operator<<(std::string_view text) {
        fText.append(text);
        return *this;
    }
    TSvgOutput& operator<<(char c) {
        fText.push_back(c);
        return *this;
    }
    TSvgOutput& operator<<(double value);
    TSvgOutput& operator<<(int value) { return *this << static_cast<double>(value); }
    TSvgOutput& operator<<(QPointF p) { return *this << p.x() << ' ' << p.y(); }

    // #rrggbb
    void Color(QRgb rgb);
    // UTF-8 with XML's special characters escaped; characters XML cannot carry at all
    // are left out.
    void Escaped(QStringView text);
    void Append(const QByteArray& bytes) { fText.append(bytes.constData(), bytes.size()); }
    // Hands the buffer to the device once it holds a chunk, or whatever it holds.
    void Flush(bool everything = false);
    bool Failed() const { return fFailed; }

private:
    void Utf8(char32_t c);

    QIODevice& fDevice;
    std::string fText;
    bool fFailed = false;
};

TSvgOutput& TSvgOutput::operator<<(double value) {
    constexpr double kLimit = 1e12; // far outside any picture, and still short to write
    value = std::isfinite(value) ? std::clamp(value, -kLimit, kLimit) : 0.0;
    std::array<char, 32> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                              std::chars_format::fixed, 3)
                    .ptr;
    // Three fixed decimals always come with a point, which stops the trimming.
    while (end[-1] == '0') {
        --end;
    }
    if (end[-1] == '.') {
        --end;
    }
    const std::string_view text(digits.data(), static_cast<size_t>(end - digits.data()));
    fText.append(text == "-0" ? std::string_view("0") : text);
    return *this;
}

void TSvgOutput::Color(QRgb rgb) {
    constexpr char kHex[] = "0123456789abcdef";
    fText.push_back('#');
    for (int shift = 20; shift >= 0; shift -= 4) {
        fText.push_back(kHex[(rgb >> shift) & 0xF]);
    }
}

void TSvgOutput::Escaped(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), text[++i].unicode());
        }
        switch (c) {
        case '&':
            fText.append("&amp;");
            continue;
        case '<':
            fText.append("&lt;");
            continue;
        case '>':
            fText.append("&gt;");
            continue;
        case '"':
            fText.append("&quot;");
            continue;
        case '\t':
            fText.append("&#9;");
            continue;
        case '\n':
            fText.append("&#10;");
            continue;
        case '\r':
            fText.append("&#13;");
            continue;
        default:
            break;
        }
        if (c >= 0x20 && !QChar::isSurrogate(c) && c != 0xFFFE && c != 0xFFFF) {
            Utf8(c);
        }
    }
}

void TSvgOutput::Utf8(char32_t c) {
    if (c < 0x80) {
        fText.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        fText.push_back(static_cast<char>(0xC0 | (c >> 6)));
        fText.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        fText.push_back(static_cast<char>(0xE0 | (c >> 12)));
        fText.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        fText.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        fText.push_back(static_cast<char>(0xF0 | (c >> 18)));
        fText.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        fText.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        fText.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void TSvgOutput::Flush(bool everything) {
    if (fText.size() < kChunk && !everything) {
        return;
    }
    if (!fFailed && !fText.empty()) {
        const auto size = static_cast<qint64>(fText.size());
        fFailed = fDevice.write(fText.data(), size) != size;
    }
    fText.clear();
}

// Path data with repeated commands left implicit: "M1 2L3 4 5 6Z".
class TPathData {
public:
    explicit TPathData(TSvgOutput& out) : fOut(out) {}

    void Move(QPointF p) { Command('M') << p; }
    void Line(QPointF p) { Command('L') << p; }
    void Curve(QPointF c1, QPointF c2, QPointF p) { Command('C') << c1 << ' ' << c2 << ' ' << p; }
    void Close() { Command('Z'); }

    // Figures that end where they start are closed, as Qt joins their ends too.
    void Path(const QPainterPath& path, const QTransform& transform);
    void Rect(const QRectF& rect) {
        Move(rect.topLeft());
        Line(rect.topRight());
        Line(rect.bottomRight());
        Line(rect.bottomLeft());
        Close();
    }

private:
    // A move is always written: after one, bare coordinates would be lines.
    TSvgOutput& Command(char command) {
        if (command == fLast && command != 'M' && command != 'Z') {
            fOut << ' ';
        } else {
            fOut << command;
        }
        fLast = command;
        return fOut;
    }

    TSvgOutput& fOut;
    char fLast = 0;
};

void TPathData::Path(const QPainterPath& path, const QTransform& transform) {
    const int count = path.elementCount();
    QPointF start;
    const auto endsFigureAtStart = [&](int i) {
        return (i + 1 == count || path.elementAt(i + 1).isMoveTo()) &&
               QPointF(path.elementAt(i)) == start;
    };
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (e.isMoveTo()) {
            start = e;
            Move(transform.map(start));
        } else if (e.isLineTo()) {
            if (endsFigureAtStart(i)) {
                Close();
            } else {
                Line(transform.map(QPointF(e)));
            }
        } else if (e.isCurveTo() && i + 2 < count) {
            Curve(transform.map(QPointF(e)), transform.map(QPointF(path.elementAt(i + 1))),
                  transform.map(QPointF(path.elementAt(i + 2))));
            i += 2;
            if (endsFigureAtStart(i)) {
                Close();
            }
        }
    }
}

// ---- Attributes ----------------------------------------------------------------------

// A colour with its opacity; the default paints nothing.
struct TPaint {
    bool visible = false;
    QRgb rgb = 0;
    double opacity = 1;

    friend bool operator==(const TPaint&, const TPaint&) = default;
};

// How outlines are drawn, in device pixels; the default draws none.
struct TStroke {
    TPaint paint;
    double width = 1;
    Qt::PenCapStyle cap = Qt::FlatCap;
    Qt::PenJoinStyle join = Qt::MiterJoin;
    double miterLimit = 4;
    std::vector<double> dashes;
    double dashOffset = 0;

    friend bool operator==(const TStroke&, const TStroke&) = default;
};

// What an element needs from the group around it; a part left unset may be anything.
struct TStyle {
    std::optional<TPaint> fill;
    std::optional<Qt::FillRule> rule;
    std::optional<TStroke> stroke;

    bool Draws() const { return (fill && fill->visible) || (stroke && stroke->paint.visible); }
    bool FitsIn(const TStyle& group) const {
        return (!fill || fill == group.fill) && (!rule || rule == group.rule) &&
               (!stroke || stroke == group.stroke);
    }
    // This style, with the parts it leaves open taken from another.
    TStyle Over(const TStyle& other) const {
        return {fill ? fill : other.fill, rule ? rule : other.rule, stroke ? stroke : other.stroke};
    }
};

TPaint PaintOf(const QBrush& brush, double opacity) {
    QColor color = brush.color();
    switch (brush.style()) {
    case Qt::NoBrush:
        return {};
    case Qt::LinearGradientPattern:
    case Qt::RadialGradientPattern:
    case Qt::ConicalGradientPattern:
        // Gradients are not carried over; their first colour stands for them.
        if (!brush.gradient()->stops().isEmpty()) {
            color = brush.gradient()->stops().constFirst().second;
        }
        break;
    default:
        break;
    }
    const double alpha = color.alphaF() * opacity;
    if (alpha <= 0) {
        return {};
    }
    return {true, color.rgb() & RGB_MASK, alpha};
}

TStroke StrokeOf(const QPen& pen, double scale, double opacity) {
    TStroke stroke;
    stroke.paint = pen.style() == Qt::NoPen ? TPaint{} : PaintOf(pen.brush(), opacity);
    if (!stroke.paint.visible) {
        return {};
    }
    // Cosmetic pens are device pixels wide whatever the transform.
    if (pen.isCosmetic()) {
        stroke.width = pen.widthF() > 0 ? pen.widthF() : 1.0;
    } else {
        stroke.width = pen.widthF() * scale;
    }
    stroke.cap = pen.capStyle();
    stroke.join = pen.joinStyle() == Qt::SvgMiterJoin ? Qt::MiterJoin : pen.joinStyle();
    stroke.miterLimit = stroke.join == Qt::MiterJoin ? std::max(pen.miterLimit(), 1.0) : 4.0;
    if (pen.style() != Qt::SolidLine) {
        // Qt counts dashes in pen widths.
        for (qreal dash : pen.dashPattern()) {
            stroke.dashes.push_back(dash * stroke.width);
        }
        if (!stroke.dashes.empty()) {
            stroke.dashOffset = pen.dashOffset() * stroke.width;
        }
    }
    return stroke;
}

// How far an outline may reach beyond the points it is drawn through.
double StrokeReach(const TStroke& stroke) {
    if (!stroke.paint.visible) {
        return 0;
    }
    return stroke.width * (stroke.join == Qt::MiterJoin ? stroke.miterLimit : 1.0);
}

// ---- Clipping ------------------------------------------------------------------------

// An area in device pixels. Rectangles are kept apart from paths: captions clip to
// their rectangles one after another, and those must stay cheap to intersect.
struct TClipArea {
    std::optional<QRectF> rect;
    QPainterPath path;

    bool IsEmpty() const { return rect ? rect->isEmpty() : path.isEmpty(); }
    QPainterPath AsPath() const {
        if (!rect) {
            return path;
        }
        QPainterPath p;
        p.addRect(*rect);
        return p;
    }
    friend bool operator==(const TClipArea&, const TClipArea&) = default;
};

// The rectangle a path outlines, when it is just an axis-aligned rectangle.
std::optional<QRectF> AsRect(const QPainterPath& path) {
    const int count = path.elementCount();
    if (count != 4 && count != 5) {
        return std::nullopt;
    }
    std::array<QPointF, 4> p;
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if ((i == 0) != e.isMoveTo() || e.isCurveTo()) {
            return std::nullopt;
        }
        if (i < 4) {
            p[static_cast<size_t>(i)] = e;
        } else if (QPointF(e) != p[0]) {
            return std::nullopt;
        }
    }
    const bool widthFirst = p[0].y() == p[1].y() && p[1].x() == p[2].x() && p[2].y() == p[3].y() &&
                            p[3].x() == p[0].x();
    const bool heightFirst = p[0].x() == p[1].x() && p[1].y() == p[2].y() && p[2].x() == p[3].x() &&
                             p[3].y() == p[0].y();
    if (!widthFirst && !heightFirst) {
        return std::nullopt;
    }
    return QRectF(p[0], p[2]).normalized();
}

TClipArea DeviceArea(const QPainterPath& logical, const QTransform& transform) {
    if (transform.type() <= QTransform::TxScale) {
        if (const std::optional<QRectF> rect = AsRect(logical)) {
            return {transform.mapRect(*rect), {}};
        }
    }
    const QPainterPath mapped = transform.map(logical);
    if (const std::optional<QRectF> rect = AsRect(mapped)) {
        return {rect, {}};
    }
    return {std::nullopt, mapped};
}

// The painter's clip. Qt reports clipping as enabled even when nothing was ever
// clipped, so whether an area exists is kept apart from the switch.
class TClipState {
public:
    void Apply(Qt::ClipOperation operation, TClipArea area) {
        switch (operation) {
        case Qt::NoClip:
            fExists = false;
            break;
        case Qt::ReplaceClip:
            fArea = std::move(area);
            fExists = true;
            break;
        case Qt::IntersectClip:
            fArea = fExists ? Intersected(fArea, area) : std::move(area);
            fExists = true;
            break;
        }
    }
    void SetEnabled(bool on) { fEnabled = on; }
    // The area drawing is cut to, or null when nothing is cut.
    const TClipArea* Active() const { return fExists && fEnabled ? &fArea : nullptr; }

private:
    static TClipArea Intersected(const TClipArea& a, const TClipArea& b) {
        if (a.rect && b.rect) {
            const QRectF common = a.rect->intersected(*b.rect);
            return {common.isValid() ? common : QRectF(), {}};
        }
        const QPainterPath common = a.AsPath().intersected(b.AsPath());
        if (const std::optional<QRectF> rect = AsRect(common)) {
            return {rect, {}};
        }
        return {std::nullopt, common};
    }

    TClipArea fArea;
    bool fExists = false;
    bool fEnabled = true;
};

// Underline, overline and strike-out lines that QPainter draws itself right after a
// text item; the text element carries them already.
class TDecorationFilter {
public:
    void NoteText(const QPointF& origin, const QTextItem& item, QRgb color) {
        const QTextItem::RenderFlags flags = item.renderFlags();
        const int lines = (flags & QTextItem::Underline ? 1 : 0) +
                          (flags & QTextItem::Overline ? 1 : 0) +
                          (flags & QTextItem::StrikeOut ? 1 : 0);
        const double right = origin.x() + item.width();
        // Runs of one line in several fonts share one set of lines.
        if (lines > 0 && fLines > 0 && origin.y() == fBaseline && color == fColor &&
            std::abs(origin.x() - fRight) < 0.01) {
            fRight = right;
            return;
        }
        fLines = lines;
        fColor = color;
        fBaseline = origin.y();
        fLeft = origin.x();
        fRight = right;
        fReach = item.ascent() + item.descent();
    }
    // True for, and consumes, a line that decorates the last text.
    bool Takes(const QLineF& line, QRgb color) {
        if (fLines == 0 || line.dy() != 0 || color != fColor) {
            fLines = 0;
            return false;
        }
        // QPainter puts the ends on whole units.
        const double left = std::min(line.x1(), line.x2());
        const bool fits = left >= std::floor(fLeft) - 0.01 && left <= fLeft + 0.01 &&
                          std::abs(std::abs(line.dx()) - (fRight - fLeft)) <= 1.01 &&
                          std::abs(line.y1() - fBaseline) <= fReach;
        if (!fits) {
            fLines = 0;
            return false;
        }
        --fLines;
        return true;
    }

private:
    int fLines = 0;
    QRgb fColor = 0;
    double fBaseline = 0;
    double fLeft = 0;
    double fRight = 0;
    double fReach = 0;
};

// A transform attribute: the transform's linear part, then the given move.
void WriteMatrix(TSvgOutput& out, const QTransform& t, QPointF move) {
    out << " transform=\"matrix(" << t.m11() << ' ' << t.m12() << ' ' << t.m21() << ' ' << t.m22()
        << ' ' << move << ")\"";
}

void WriteFont(TSvgOutput& out, const QFont& font, double pixels, QTextItem::RenderFlags flags) {
    out << " font-family=\"";
    out.Escaped(font.family());
    out << "\" font-size=\"" << pixels << '"';
    const int weight = font.weight();
    if (weight == QFont::Bold) {
        out << " font-weight=\"bold\"";
    } else if (weight != QFont::Normal) {
        out << " font-weight=\"" << weight << '"';
    }
    if (font.style() != QFont::StyleNormal) {
        out << (font.style() == QFont::StyleItalic ? " font-style=\"italic\""
                                                   : " font-style=\"oblique\"");
    }
    if (flags & (QTextItem::Underline | QTextItem::Overline | QTextItem::StrikeOut)) {
        out << " text-decoration=\"";
        std::string_view separator;
        for (const auto& [flag, name] : {std::pair{QTextItem::Underline, "underline"},
                                         std::pair{QTextItem::Overline, "overline"},
                                         std::pair{QTextItem::StrikeOut, "line-through"}}) {
            if (flags & flag) {
                out << separator << name;
                separator = " ";
            }
        }
        out << '"';
    }
}

bool KeepsAxes(const QTransform& transform) {
    return transform.type() <= QTransform::TxScale && transform.m11() > 0 && transform.m22() > 0;
}

} // namespace

// ---- Engine --------------------------------------------------------------------------

// Turns QPainter's calls into elements as they come. The painter's transform is
// applied here, so shapes need no transform attribute and outlines keep their
// widths in device pixels.
class TSvgPaintEngine : public QPaintEngine {
public:
    TSvgPaintEngine(QIODevice& output, QSize size)
        : QPaintEngine(AllFeatures), fDevice(output), fOut(output), fSize(size) {}

    bool begin(QPaintDevice*) override;
    bool end() override;
    Type type() const override { return SVG; }
    void updateState(const QPaintEngineState& state) override;

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPoints;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawTextItem(const QPointF& origin, const QTextItem& item) override;
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override;
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override;

private:
    struct TGroup {
        TStyle style;
        std::optional<TClipArea> clip;
        int clipId = 0;
    };

    // Makes sure the element is written inside a group with the style it needs and
    // the painter's clip; bounds are its extent in device pixels. False when nothing
    // of it can show.
    bool Enter(const TStyle& style, const QRectF& bounds);
    void OpenGroup(const TGroup& group);
    void CloseGroup();
    // The id of a clip path of the area, written now unless it was written lately.
    int ClipId(const TClipArea& area);
    TStyle ShapeStyle(bool filled, std::optional<Qt::FillRule> rule) const;
    QRectF Reach(const QRectF& deviceBounds) const;
    void Finish() {
        fOut << "/>\n";
        fOut.Flush();
    }

    QIODevice& fDevice;
    TSvgOutput fOut;
    QSize fSize;
    bool fStarted = false;
    QTransform fTransform;
    double fScale = 1; // how much the transform enlarges lengths
    double fOpacity = 1;
    QPen fPen;
    QBrush fBrush;
    TStroke fStroke = StrokeOf(fPen, 1, 1);
    TPaint fFill;
    QPainter::RenderHints fHints;
    TClipState fClip;
    TDecorationFilter fDecorations;
    std::optional<TGroup> fGroup;
    // The last few clip paths written: restoring a painter brings earlier clips back.
    std::array<std::pair<TClipArea, int>, 4> fWrittenClips{};
    size_t fNextClipSlot = 0;
    int fClipCount = 0;
};

bool TSvgPaintEngine::begin(QPaintDevice*) {
    // One document per device: a second painter would start a second root element.
    if (fStarted || !fDevice.isWritable()) {
        return false;
    }
    fStarted = true;
    fOut << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" "
            "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\""
         << fSize.width() << "px\" height=\"" << fSize.height() << "px\" viewBox=\"0 0 "
         << fSize.width() << ' ' << fSize.height() << "\" version=\"1.1\">\n";
    return true;
}

bool TSvgPaintEngine::end() {
    CloseGroup();
    fOut << "</svg>\n";
    fOut.Flush(true);
    return !fOut.Failed();
}

void TSvgPaintEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if (flags & DirtyTransform) {
        fTransform = state.transform();
        fScale = std::sqrt(std::abs(fTransform.determinant()));
    }
    if (flags & DirtyOpacity) {
        fOpacity = state.opacity();
    }
    if (flags & DirtyHints) {
        fHints = state.renderHints();
    }
    if (flags & DirtyPen) {
        fPen = state.pen();
    }
    if (flags & DirtyBrush) {
        fBrush = state.brush();
    }
    if (flags & (DirtyPen | DirtyTransform | DirtyOpacity)) {
        fStroke = StrokeOf(fPen, fScale, fOpacity);
    }
    if (flags & (DirtyBrush | DirtyOpacity)) {
        fFill = PaintOf(fBrush, fOpacity);
    }
    // Restoring a painter replays its clips, each with the transform it was set under.
    if (flags & DirtyClipPath) {
        fClip.Apply(state.clipOperation(), DeviceArea(state.clipPath(), fTransform));
    } else if (flags & DirtyClipRegion) {
        const QRegion& region = state.clipRegion();
        QPainterPath area;
        if (region.rectCount() == 1) {
            area.addRect(QRectF(region.boundingRect()));
        } else {
            area.addRegion(region);
        }
        fClip.Apply(state.clipOperation(), DeviceArea(area, fTransform));
    }
    if (flags & DirtyClipEnabled) {
        fClip.SetEnabled(state.isClipEnabled());
    }
}

TStyle TSvgPaintEngine::ShapeStyle(bool filled, std::optional<Qt::FillRule> rule) const {
    TStyle style;
    style.fill = filled ? fFill : TPaint{};
    if (filled && fFill.visible) {
        style.rule = rule;
    }
    style.stroke = fStroke;
    return style;
}

QRectF TSvgPaintEngine::Reach(const QRectF& deviceBounds) const {
    const double r = StrokeReach(fStroke);
    return deviceBounds.adjusted(-r, -r, r, r);
}

bool TSvgPaintEngine::Enter(const TStyle& style, const QRectF& bounds) {
    const TClipArea* clip = fClip.Active();
    if (clip != nullptr && clip->IsEmpty()) {
        return false;
    }
    // An element inside a rectangular clip is not cut by it, so it may go into a
    // group without clip, or into one whose rectangle holds it too.
    const auto holds = [&bounds](const std::optional<TClipArea>& area) {
        return !area || (area->rect && area->rect->contains(bounds));
    };
    const bool free = clip == nullptr || (clip->rect && clip->rect->contains(bounds));
    const auto clipFits = [&](const TGroup& group) {
        return free ? holds(group.clip) : group.clip == *clip;
    };
    if (fGroup && style.FitsIn(fGroup->style) && clipFits(*fGroup)) {
        return true;
    }
    TGroup next;
    next.style = fGroup ? style.Over(fGroup->style) : style;
    // What SVG assumes when nothing is written.
    next.style.rule = next.style.rule.value_or(Qt::WindingFill);
    next.style.stroke = next.style.stroke.value_or(TStroke{});
    if (fGroup && clipFits(*fGroup)) {
        next.clip = fGroup->clip;
        next.clipId = fGroup->clipId;
    }
    CloseGroup();
    if (!free && next.clipId == 0) {
        next.clip = *clip;
        next.clipId = ClipId(*clip);
    }
    OpenGroup(next);
    return true;
}

int TSvgPaintEngine::ClipId(const TClipArea& area) {
    for (const auto& [written, id] : fWrittenClips) {
        if (id != 0 && written == area) {
            return id;
        }
    }
    const int id = ++fClipCount;
    fWrittenClips[fNextClipSlot] = {area, id};
    fNextClipSlot = (fNextClipSlot + 1) % fWrittenClips.size();
    fOut << "<clipPath id=\"c" << id << "\"><path d=\"";
    TPathData data(fOut);
    if (area.rect) {
        data.Rect(*area.rect);
    } else {
        data.Path(area.path, QTransform());
    }
    fOut << '"';
    if (!area.rect && area.path.fillRule() == Qt::OddEvenFill) {
        fOut << " clip-rule=\"evenodd\"";
    }
    fOut << "/></clipPath>\n";
    return id;
}

void TSvgPaintEngine::OpenGroup(const TGroup& group) {
    fOut << "<g";
    if (group.clipId != 0) {
        fOut << " clip-path=\"url(#c" << group.clipId << ")\"";
    }
    const TStyle& style = group.style;
    if (style.fill) {
        fOut << " fill=\"";
        if (style.fill->visible) {
            fOut.Color(style.fill->rgb);
            fOut << '"';
            if (style.fill->opacity < 1) {
                fOut << " fill-opacity=\"" << style.fill->opacity << '"';
            }
        } else {
            fOut << "none\"";
        }
    }
    if (style.rule == Qt::OddEvenFill) {
        fOut << " fill-rule=\"evenodd\"";
    }
    // Attributes equal to what SVG assumes are left out.
    if (style.stroke && style.stroke->paint.visible) {
        const TStroke& s = *style.stroke;
        fOut << " stroke=\"";
        fOut.Color(s.paint.rgb);
        fOut << '"';
        if (s.paint.opacity < 1) {
            fOut << " stroke-opacity=\"" << s.paint.opacity << '"';
        }
        if (s.width != 1) {
            fOut << " stroke-width=\"" << s.width << '"';
        }
        if (s.cap == Qt::SquareCap) {
            fOut << " stroke-linecap=\"square\"";
        } else if (s.cap == Qt::RoundCap) {
            fOut << " stroke-linecap=\"round\"";
        }
        if (s.join == Qt::BevelJoin) {
            fOut << " stroke-linejoin=\"bevel\"";
        } else if (s.join == Qt::RoundJoin) {
            fOut << " stroke-linejoin=\"round\"";
        } else if (s.miterLimit != 4) {
            fOut << " stroke-miterlimit=\"" << s.miterLimit << '"';
        }
        if (!s.dashes.empty()) {
            fOut << " stroke-dasharray=\"";
            for (size_t i = 0; i < s.dashes.size(); ++i) {
                fOut << (i == 0 ? "" : " ") << s.dashes[i];
            }
            fOut << '"';
            if (s.dashOffset != 0) {
                fOut << " stroke-dashoffset=\"" << s.dashOffset << '"';
            }
        }
    }
    fOut << ">\n";
    fGroup = group;
}

void TSvgPaintEngine::CloseGroup() {
    if (fGroup) {
        fOut << "</g>\n";
        fGroup.reset();
    }
}

void TSvgPaintEngine::drawPath(const QPainterPath& path) {
    const TStyle style = ShapeStyle(true, path.fillRule());
    if (path.isEmpty() || !style.Draws() ||
        !Enter(style, Reach(fTransform.mapRect(path.controlPointRect())))) {
        return;
    }
    fOut << "<path d=\"";
    TPathData(fOut).Path(path, fTransform);
    fOut << '"';
    Finish();
}

void TSvgPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    const bool polyline = mode == PolylineMode;
    // Up to three corners cannot overlap themselves, so the rule makes no difference.
    std::optional<Qt::FillRule> rule;
    if (count > 3 && (mode == OddEvenMode || mode == WindingMode)) {
        rule = mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill;
    }
    TStyle style = ShapeStyle(!polyline, rule);
    if (polyline && count == 2) {
        style.fill.reset(); // a single segment has no area to fill
    }
    if (count < 2 || !style.Draws()) {
        return;
    }
    double left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, points[i].x());
        right = std::max(right, points[i].x());
        top = std::min(top, points[i].y());
        bottom = std::max(bottom, points[i].y());
    }
    if (!Enter(style,
               Reach(fTransform.mapRect(QRectF(QPointF(left, top), QPointF(right, bottom)))))) {
        return;
    }
    fOut << "<path d=\"";
    TPathData data(fOut);
    data.Move(fTransform.map(points[0]));
    for (int i = 1; i < count; ++i) {
        data.Line(fTransform.map(points[i]));
    }
    if (!polyline) {
        data.Close();
    }
    fOut << '"';
    Finish();
}

void TSvgPaintEngine::drawRects(const QRectF* rects, int count) {
    const TStyle style = ShapeStyle(true, std::nullopt);
    if (!style.Draws()) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        const QRectF rect = rects[i].normalized();
        const QRectF box = fTransform.mapRect(rect);
        if (!Enter(style, Reach(box))) {
            continue;
        }
        if (KeepsAxes(fTransform)) {
            fOut << "<rect x=\"" << box.x() << "\" y=\"" << box.y() << "\" width=\"" << box.width()
                 << "\" height=\"" << box.height() << '"';
        } else {
            fOut << "<path d=\"";
            TPathData data(fOut);
            data.Move(fTransform.map(rect.topLeft()));
            data.Line(fTransform.map(rect.topRight()));
            data.Line(fTransform.map(rect.bottomRight()));
            data.Line(fTransform.map(rect.bottomLeft()));
            data.Close();
            fOut << '"';
        }
        Finish();
    }
}

void TSvgPaintEngine::drawEllipse(const QRectF& rect) {
    if (!KeepsAxes(fTransform)) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    const TStyle style = ShapeStyle(true, std::nullopt);
    const QRectF box = fTransform.mapRect(rect.normalized());
    if (!style.Draws() || !Enter(style, Reach(box))) {
        return;
    }
    fOut << "<ellipse cx=\"" << box.center().x() << "\" cy=\"" << box.center().y() << "\" rx=\""
         << box.width() / 2 << "\" ry=\"" << box.height() / 2 << '"';
    Finish();
}

void TSvgPaintEngine::drawLines(const QLineF* lines, int count) {
    // A single segment has no area, so any fill will do.
    TStyle style;
    style.stroke = fStroke;
    for (int i = 0; i < count; ++i) {
        if (fDecorations.Takes(lines[i], fStroke.paint.rgb) || !style.Draws()) {
            continue;
        }
        const QPointF a = fTransform.map(lines[i].p1());
        const QPointF b = fTransform.map(lines[i].p2());
        if (!Enter(style, Reach(QRectF(a, b).normalized()))) {
            continue;
        }
        fOut << "<path d=\"";
        TPathData data(fOut);
        data.Move(a);
        data.Line(b);
        fOut << '"';
        Finish();
    }
}

// Points are dots of the pen's width filled with its colour. Without smoothing Qt
// sets the pixel whose corner is the point, so dots go to pixel centres then.
void TSvgPaintEngine::drawPoints(const QPointF* points, int count) {
    if (count <= 0 || !fStroke.paint.visible) {
        return;
    }
    const double size = fStroke.width;
    const bool aliased = !fHints.testFlag(QPainter::Antialiasing);
    QPainterPath dots;
    for (int i = 0; i < count; ++i) {
        QPointF centre = fTransform.map(points[i]);
        if (aliased) {
            centre = QPointF(std::floor(centre.x()) + 0.5, std::floor(centre.y()) + 0.5);
        }
        const QRectF dot(centre.x() - size / 2, centre.y() - size / 2, size, size);
        if (fStroke.cap == Qt::RoundCap) {
            dots.addEllipse(dot);
        } else {
            dots.addRect(dot);
        }
    }
    TStyle style;
    style.fill = fStroke.paint;
    style.rule = Qt::WindingFill; // dots on one spot must not cancel each other
    style.stroke = TStroke{};
    if (!Enter(style, dots.controlPointRect())) {
        return;
    }
    fOut << "<path d=\"";
    TPathData(fOut).Path(dots, QTransform());
    fOut << '"';
    Finish();
}

void TSvgPaintEngine::drawTextItem(const QPointF& origin, const QTextItem& item) {
    fDecorations.NoteText(origin, item, fStroke.paint.rgb);
    const QString text = item.text();
    if (text.isEmpty() || !fStroke.paint.visible) {
        return;
    }
    // Text is painted with the pen. Its extent is the advance box: glyphs that
    // overhang it slightly may escape a clip that the box fits in exactly.
    TStyle style;
    style.fill = fStroke.paint;
    style.stroke = TStroke{};
    const QRectF box(origin.x(), origin.y() - item.ascent(), item.width(),
                     item.ascent() + item.descent());
    if (!Enter(style, fTransform.mapRect(box))) {
        return;
    }
    const QFont font = item.font();
    const double em = TVectorPaintDevice::EmPixels(font);
    const QTransform& t = fTransform;
    // Screens put baselines on whole pixels; text that runs along an axis does so here
    // too, so that it lands where the screen shows it.
    QPointF baseline = t.map(origin);
    if (t.m12() == 0 && t.m21() == 0) {
        baseline.setY(std::floor(baseline.y() + 0.5));
    } else if (t.m11() == 0 && t.m22() == 0) {
        baseline.setX(std::floor(baseline.x() + 0.5));
    }
    const double tolerance = 1e-9 * std::max(fScale, 1.0);
    // Turning and even scaling keep the glyphs' shapes: the font size takes the scale.
    const bool conformal = t.type() <= QTransform::TxRotate &&
                           std::abs(t.m11() - t.m22()) <= tolerance &&
                           std::abs(t.m12() + t.m21()) <= tolerance;
    fOut << "<text";
    if (conformal) {
        fOut << " x=\"" << baseline.x() << "\" y=\"" << baseline.y() << '"';
        if (t.m12() != 0 || t.m11() < 0) {
            fOut << " transform=\"rotate(" << qRadiansToDegrees(std::atan2(t.m12(), t.m11())) << ' '
                 << baseline << ")\"";
        }
    } else {
        WriteMatrix(fOut, t, baseline);
    }
    WriteFont(fOut, font, em * (conformal ? fScale : 1.0), item.renderFlags());
    fOut << " xml:space=\"preserve\">";
    fOut.Escaped(text);
    fOut << "</text>\n";
    fOut.Flush();
}

void TSvgPaintEngine::drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                                Qt::ImageConversionFlags) {
    const QRect part = source.toAlignedRect().intersected(image.rect());
    if (image.isNull() || part.isEmpty() || rect.isEmpty() ||
        !Enter(TStyle{}, fTransform.mapRect(rect))) {
        return;
    }
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(part == image.rect() ? image : image.copy(part));
    }
    fOut << "<image";
    if (KeepsAxes(fTransform)) {
        const QRectF box = fTransform.mapRect(rect);
        fOut << " x=\"" << box.x() << "\" y=\"" << box.y() << "\" width=\"" << box.width()
             << "\" height=\"" << box.height() << '"';
    } else {
        const QTransform& t = fTransform;
        fOut << " x=\"" << rect.x() << "\" y=\"" << rect.y() << "\" width=\"" << rect.width()
             << "\" height=\"" << rect.height() << '"';
        WriteMatrix(fOut, t, QPointF(t.dx(), t.dy()));
    }
    fOut << " preserveAspectRatio=\"none\"";
    if (!fHints.testFlag(QPainter::SmoothPixmapTransform)) {
        fOut << " image-rendering=\"optimizeSpeed\"";
    }
    if (fOpacity < 1) {
        fOut << " opacity=\"" << fOpacity << '"';
    }
    fOut << " xlink:href=\"data:image/png;base64,";
    fOut.Append(png.toBase64());
    fOut << '"';
    Finish();
}

void TSvgPaintEngine::drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) {
    drawImage(rect, pixmap.toImage(), source, Qt::AutoColor);
}

// ---- Device --------------------------------------------------------------------------

TSvgDevice::TSvgDevice(QIODevice& output, QSize size)
    : TVectorPaintDevice(size), fEngine(std::make_unique<TSvgPaintEngine>(output, Size())) {}

TSvgDevice::~TSvgDevice() = default;

QPaintEngine* TSvgDevice::paintEngine() const {
    return fEngine.get();
}

} // namespace zov
