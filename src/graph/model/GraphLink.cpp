#include "GraphLink.h"

#include "Geometry.h"
#include "GraphConstraints.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/FontMeasure.h"
#include "platform/graphics/TextLayout.h"
#include "platform/stream/Filer.h"
#include "platform/types/Arithmetic.h"
#include "platform/types/Exceptions.h"

#include <cmath>
#include <utility>

namespace zov {
namespace {

constexpr TGraphChangeFlags kShapeChanged{gcView, gcData, gcText, gcPlacement};

// Releases a drag lock taken during one mouse press, also when the press fails.
class TDragLockGuard {
public:
    explicit TDragLockGuard(TGraphObject& object) : fObject(object) {}
    ~TDragLockGuard() {
        if (fLocked) {
            fObject.UnlockDrag();
        }
    }
    TDragLockGuard(const TDragLockGuard&) = delete;
    TDragLockGuard& operator=(const TDragLockGuard&) = delete;
    void Lock() {
        fObject.LockDrag();
        fLocked = true;
    }

private:
    TGraphObject& fObject;
    bool fLocked = false;
};

} // namespace

const TGraphObjectClass& TGraphLink::Class() {
    return GraphObjectClassOf<TGraphLink>("TGraphLink", true);
}

TGraphLink::TGraphLink(TGraphOwner* owner) : TGraphObject(owner) {
    fVisualRectFlags.Include(gcText);
}

TGraphLink* TGraphLink::CreateNew(const TGraphObjectClass& cls, TGraphOwner* owner,
                                  TGraphObject* source, std::span<const TPoint> pts,
                                  TGraphObject* target) {
    auto setup = [&](TGraphObject& object) {
        auto& link = static_cast<TGraphLink&>(object);
        TPoint pt;
        if (source != nullptr) {
            source->AnchorPoint(pt);
            link.fPoints.push_back(pt);
        }
        link.fPoints.insert(link.fPoints.end(), pts.begin(), pts.end());
        if (target != nullptr) {
            target->AnchorPoint(pt);
            link.fPoints.push_back(pt);
        }
        if (source != nullptr && target != nullptr) {
            link.Link(source, target);
        } else if (source != nullptr) {
            link.Hook(0, source);
        } else if (target != nullptr) {
            link.Hook(link.PointCount() - 1, target);
        }
        if (link.fSource != source || link.fTarget != target) {
            throw EGraphInvalidOperation(QString::fromUtf8(SLinkCreateError));
        }
    };
    return static_cast<TGraphLink*>(Create(cls, owner, setup));
}

// ---- Points -------------------------------------------------------------------------------

void TGraphLink::PointsChanged() {
    Changed(kShapeChanged);
}

TPoint TGraphLink::Points(int32_t index) const {
    if (index < 0 || index >= PointCount()) {
        throw EPointListError(Exception::Format(SPointIndexError, index));
    }
    return fPoints[static_cast<size_t>(index)];
}

void TGraphLink::SetPoints(int32_t index, const TPoint& pt) {
    if (Points(index) == pt) {
        return;
    }
    Unhook(index);
    fPoints[static_cast<size_t>(index)] = pt;
    PointsChanged();
}

void TGraphLink::SetPolyline(const TPoints& points) {
    if (points == fPoints) {
        return;
    }
    fPoints = points;
    if (fSource != nullptr) {
        Unhook(fSource);
    }
    if (fTarget != nullptr) {
        Unhook(fTarget);
    }
    PointsChanged();
}

int32_t TGraphLink::AddPoint(const TPoint& pt) {
    if (fTarget != nullptr) {
        Unhook(fTarget);
    }
    fPoints.push_back(pt);
    PointsChanged();
    return PointCount() - 1;
}

void TGraphLink::InsertPoint(int32_t index, const TPoint& pt) {
    if (index < 0) {
        if (fSource != nullptr) {
            Unhook(fSource);
        }
        index = 0;
    } else if (index > PointCount()) {
        index = PointCount();
    }
    fPoints.insert(fPoints.begin() + index, pt);
    PointsChanged();
}

void TGraphLink::RemovePoint(int32_t index) {
    if (index < 0 || index >= PointCount()) {
        return;
    }
    Unhook(index);
    fPoints.erase(fPoints.begin() + index);
    PointsChanged();
}

int32_t TGraphLink::IndexOfPoint(const TPoint& pt, int32_t neighborhood) const {
    const TRect area = SquareAround(pt, neighborhood);
    for (int32_t i = 0; i < PointCount(); ++i) {
        if (PtInRect(area, fPoints[static_cast<size_t>(i)])) {
            return i;
        }
    }
    return -1;
}

int32_t TGraphLink::AddBreakPoint(const TPoint& pt) {
    const int32_t marker = Owner() != nullptr ? Owner()->MarkerSize() : 3;
    const int32_t segment = ClosestSegmentIndex(pt, Pen().Width() / 2 + marker);
    if (segment < 0) {
        return 0;
    }
    InsertPoint(segment + 1, pt);
    return segment + 1;
}

int32_t TGraphLink::LongestSegmentIndex() const {
    int32_t best = -1;
    double longest = -1;
    for (int32_t i = 0; i + 1 < PointCount(); ++i) {
        const double d =
            PointDistance(fPoints[static_cast<size_t>(i)], fPoints[static_cast<size_t>(i + 1)]);
        if (d > longest) {
            longest = d;
            best = i;
        }
    }
    return best;
}

int32_t TGraphLink::ClosestSegmentIndex(const TPoint& pt, int32_t neighborhood) const {
    int32_t best = -1;
    double nearest = 0;
    for (int32_t i = 0; i + 1 < PointCount(); ++i) {
        const double d = SegmentDistance(fPoints[static_cast<size_t>(i)],
                                         fPoints[static_cast<size_t>(i + 1)], pt);
        if (std::trunc(d) <= neighborhood && (best < 0 || d < nearest)) {
            best = i;
            nearest = d;
        }
    }
    return best;
}

bool TGraphLink::NormalizeBreakPoints(TLinkNormalizeOptions options) {
    if (PointCount() < 3 || options.IsEmpty()) {
        return false;
    }
    bool removed = false;
    Updating([&] {
        if (options.Contains(lnoDeleteSamePoint)) {
            for (int32_t i = 1; i < PointCount();) {
                if (PointDistance(fPoints[static_cast<size_t>(i - 1)],
                                  fPoints[static_cast<size_t>(i)]) <= HandleSize()) {
                    RemovePoint(i == PointCount() - 1 ? i - 1 : i);
                    removed = true;
                } else {
                    ++i;
                }
            }
        }
        if (options.Contains(lnoDeleteSameAngle) && PointCount() >= 2) {
            double a = DirectionAngle(fPoints[0], fPoints[1]);
            for (int32_t i = 2; i < PointCount();) {
                const double b = DirectionAngle(fPoints[static_cast<size_t>(i - 1)],
                                                fPoints[static_cast<size_t>(i)]);
                if (std::abs(b - a) < 0.05 * Pi) {
                    RemovePoint(i == PointCount() - 1 ? i - 1 : i);
                    removed = true;
                } else {
                    ++i;
                }
                a = b;
            }
        }
    });
    return removed;
}

// ---- Hooks --------------------------------------------------------------------------------

bool TGraphLink::IsFixedPoint(int32_t index, bool hookedPointsAsFixed) const {
    if (index > 0 && index < PointCount() - 1) {
        return fLinkOptions.Contains(gloFixedBreakPoints);
    }
    return (index == 0 && fLinkOptions.Contains(gloFixedStartPoint)) ||
           (index == PointCount() - 1 && fLinkOptions.Contains(gloFixedEndPoint)) ||
           (hookedPointsAsFixed && IsHookedPoint(index));
}

TGraphObject* TGraphLink::HookedObjectOf(int32_t index) const {
    if (index == PointCount() - 1) {
        return fTarget;
    }
    if (index == 0) {
        return fSource;
    }
    return nullptr;
}

int32_t TGraphLink::HookedIndexOf(const TGraphObject* object) const {
    if (object == nullptr) {
        return -1;
    }
    if (object == fSource) {
        return 0;
    }
    if (object == fTarget) {
        return PointCount() - 1;
    }
    return -1;
}

int32_t TGraphLink::HookedPointCount() const {
    return (fSource != nullptr ? 1 : 0) + (fTarget != nullptr ? 1 : 0);
}

bool TGraphLink::CanHook(int32_t index, TGraphObject* object) {
    if (object == nullptr || object == this) {
        return false;
    }
    if (const auto* other = dynamic_cast<const TGraphLink*>(object);
        other != nullptr && other->HookedIndexOf(this) >= 0) {
        return false;
    }
    const bool start = index == 0;
    const bool end = index >= PointCount() - 1;
    if (!start && !end) {
        return false;
    }
    TGraphObject* own = start ? fSource : fTarget;
    TGraphObject* other = start ? fTarget : fSource;
    if (object == own) {
        return true;
    }
    if (!fCheckingLink && object == other) {
        return false;
    }
    bool result = object->Options().Contains(goLinkable);
    if (Owner() != nullptr) {
        Owner()->DoCanHookLink(object, this, index, result);
        if (result && !fCheckingLink && other != nullptr) {
            if (start) {
                Owner()->DoCanLinkObjects(this, object, other, result);
            } else {
                Owner()->DoCanLinkObjects(this, other, object, result);
            }
        }
    }
    return result;
}

void TGraphLink::AttachEnd(bool asSource, TGraphObject* object) {
    TPoint anchor;
    object->AnchorPoint(anchor);
    if (asSource) {
        if (fSource != nullptr) {
            Unhook(fSource);
        }
        if (fPoints.empty()) {
            fPoints.insert(fPoints.begin(), anchor);
        }
        fSource = object;
        fSourceID = object->ID();
        object->LinkOutputs().Add(this);
    } else {
        if (fTarget != nullptr) {
            Unhook(fTarget);
        }
        if (fPoints.size() < 2) {
            fPoints.push_back(anchor);
        }
        fTarget = object;
        fTargetID = object->ID();
        object->LinkInputs().Add(this);
    }
    Changed({gcView, gcData, gcDependency});
}

bool TGraphLink::Hook(int32_t index, TGraphObject* object) {
    if (object == nullptr) {
        return false;
    }
    const bool start = index == 0;
    const bool end = index >= PointCount() - 1;
    if ((start && object == fSource) || (!start && end && object == fTarget)) {
        return true;
    }
    if ((!start && !end) || !CanHook(index, object)) {
        return false;
    }
    Updating([&] { AttachEnd(start, object); });
    if (Owner() != nullptr) {
        Owner()->DoObjectHook(object, this, index);
    }
    return true;
}

int32_t TGraphLink::Unhook(TGraphObject* object) {
    int32_t result = -1;
    if (object == nullptr) {
        return result;
    }
    if (object == fSource) {
        fSource = nullptr;
        fSourceID = 0;
        object->LinkOutputs().Remove(this);
        result = 0;
    }
    if (object == fTarget) {
        fTarget = nullptr;
        fTargetID = 0;
        object->LinkInputs().Remove(this);
        result = PointCount() - 1;
    }
    if (result >= 0) {
        Changed({gcData});
        if (Owner() != nullptr) {
            Owner()->DoObjectUnhook(object, this, result);
        }
    }
    return result;
}

bool TGraphLink::Unhook(int32_t index) {
    if (index == 0 && fSource != nullptr) {
        return Unhook(fSource) >= 0;
    }
    if (index == PointCount() - 1 && fTarget != nullptr) {
        return Unhook(fTarget) >= 0;
    }
    return false;
}

bool TGraphLink::CanLink(TGraphObject* source, TGraphObject* target) {
    const bool saved = fCheckingLink;
    fCheckingLink = true;
    bool result = false;
    try {
        if (source != target && CanHook(0, source) && CanHook(PointCount() - 1, target)) {
            result = true;
            if (Owner() != nullptr) {
                Owner()->DoCanLinkObjects(this, source, target, result);
            }
        }
    } catch (...) {
        fCheckingLink = saved;
        throw;
    }
    fCheckingLink = saved;
    return result;
}

bool TGraphLink::Link(TGraphObject* source, TGraphObject* target) {
    if (!CanLink(source, target)) {
        return false;
    }
    Updating([&] {
        if (source != fSource) {
            AttachEnd(true, source);
            if (Owner() != nullptr) {
                Owner()->DoObjectHook(source, this, 0);
            }
        }
        if (target != fTarget) {
            AttachEnd(false, target);
            if (Owner() != nullptr) {
                Owner()->DoObjectHook(target, this, PointCount() - 1);
            }
        }
    });
    return true;
}

void TGraphLink::SetSource(TGraphObject* value) {
    if (value == fSource) {
        return;
    }
    Updating([&] {
        Unhook(0);
        Hook(0, value);
    });
}

void TGraphLink::SetTarget(TGraphObject* value) {
    if (value == fTarget) {
        return;
    }
    Updating([&] {
        Unhook(PointCount() - 1);
        Hook(PointCount() - 1, value);
    });
}

// ---- Following hooked objects -------------------------------------------------------------

void TGraphLink::RefreshFromReferences() {
    if (fUpdatingEndPoints || PointCount() < 2 || (fSource == nullptr && fTarget == nullptr)) {
        return;
    }
    fUpdatingEndPoints = true;
    try {
        const TPoint first = fPoints.front();
        const TPoint last = fPoints.back();
        TPoint& head = fPoints.front();
        TPoint& tail = fPoints.back();
        const bool straight = fSource != nullptr && fTarget != nullptr && PointCount() < 3;
        bool again = false;
        TPoint anchor;
        if (fSource != nullptr) {
            if (straight) {
                fTarget->AnchorPoint(anchor);
                fSource->AttachPoint(anchor, head);
                again = again || fTarget->IsLink();
            } else {
                fSource->AttachPoint(fPoints[1], head);
            }
        }
        if (fTarget != nullptr) {
            if (straight) {
                fSource->AnchorPoint(anchor);
                fTarget->AttachPoint(anchor, tail);
                again = again || fSource->IsLink();
            } else {
                fTarget->AttachPoint(fPoints[fPoints.size() - 2], tail);
            }
        }
        for (int pass = 0; again && pass < 5; ++pass) {
            const TPoint h = head;
            const TPoint t = tail;
            fSource->AttachPoint(fPoints[1], head);
            fTarget->AttachPoint(fPoints[fPoints.size() - 2], tail);
            again = head != h || tail != t;
        }
        if (fPoints.front() != first || fPoints.back() != last) {
            Changed({gcView, gcText, gcPlacement});
        }
    } catch (...) {
        fUpdatingEndPoints = false;
        throw;
    }
    fUpdatingEndPoints = false;
}

void TGraphLink::TellDependents(TDependentNotice notice) {
    if (fSource != nullptr || fTarget != nullptr) {
        if (notice == dnChanged) {
            RefreshFromReferences();
        } else {
            Unhook(fSource);
            Unhook(fTarget);
        }
    }
    TGraphObject::TellDependents(notice);
}

void TGraphLink::ReferenceChanged(TGraphObject* object, TDependentNotice notice) {
    if (object == nullptr || (object != fSource && object != fTarget)) {
        return;
    }
    if (notice == dnChanged) {
        RefreshFromReferences();
    } else {
        Unhook(object);
    }
}

void TGraphLink::ResolveReferences() {
    if (Owner() == nullptr) {
        return;
    }
    if (fSourceID != 0 && fSource == nullptr) {
        if (TGraphObject* found = Owner()->FindObjectByID(fSourceID)) {
            fSource = found;
            found->LinkOutputs().Add(this);
        }
    }
    if (fTargetID != 0 && fTarget == nullptr) {
        if (TGraphObject* found = Owner()->FindObjectByID(fTargetID)) {
            fTarget = found;
            found->LinkInputs().Add(this);
        }
    }
}

void TGraphLink::CollectReferencedObjects(std::vector<TGraphObject*>& objects) const {
    for (TGraphObject* end : {fSource, fTarget}) {
        if (end != nullptr) {
            objects.push_back(end);
        }
    }
}

void TGraphLink::ReleaseReferences() {
    if (TGraphObject* source = std::exchange(fSource, nullptr)) {
        source->LinkOutputs().Remove(this);
    }
    if (TGraphObject* target = std::exchange(fTarget, nullptr)) {
        target->LinkInputs().Remove(this);
    }
}

void TGraphLink::Loaded() {
    TGraphObject::Loaded();
    if (fSource != nullptr && fTarget != nullptr && fPoints.empty()) {
        TPoint a;
        TPoint b;
        fSource->AnchorPoint(a);
        fTarget->AnchorPoint(b);
        fPoints = {a, b};
        RefreshFromReferences();
        // The rectangle was computed while the link had no points.
        Changed({gcView, gcText, gcPlacement});
    }
}

void TGraphLink::RenumberID(uint32_t oldID, uint32_t newID) {
    TGraphObject::RenumberID(oldID, newID);
    if (fSourceID != 0 && fSourceID == oldID) {
        fSourceID = newID;
    }
    if (fTargetID != 0 && fTargetID == oldID) {
        fTargetID = newID;
    }
}

void TGraphLink::CollectRenumberableIDs(std::vector<uint32_t>& ids) const {
    TGraphObject::CollectRenumberableIDs(ids);
    for (uint32_t id : {fSourceID, fTargetID}) {
        if (id != 0) {
            ids.push_back(id);
        }
    }
}

void TGraphLink::RedirectReferences(TGraphObject* oldObject, TGraphObject* newObject) {
    if (fSource == oldObject) {
        fSource = newObject;
        fSourceID = newObject != nullptr ? newObject->ID() : 0;
    }
    if (fTarget == oldObject) {
        fTarget = newObject;
        fTargetID = newObject != nullptr ? newObject->ID() : 0;
    }
    TGraphObject::RedirectReferences(oldObject, newObject);
}

void TGraphLink::AnchorPoint(TPoint& pt) const {
    const int32_t n = PointCount();
    if (n == 0) {
        pt = Owner() != nullptr ? RectCenter(Owner()->VisibleBounds()) : TPoint{};
    } else if (n % 2 == 1) {
        pt = fPoints[static_cast<size_t>(n / 2)];
    } else {
        pt = MeanPoint(
            {fPoints[static_cast<size_t>(n / 2 - 1)], fPoints[static_cast<size_t>(n / 2)]});
    }
}

void TGraphLink::AttachPoint(const TPoint& reference, TPoint& pt) const {
    const int32_t s = ClosestSegmentIndex(reference, 2147483647);
    if (s < 0) {
        pt = PointCount() == 1 ? fPoints[0] : reference;
        return;
    }
    const TPoint q = ClosestOnSegment(fPoints[static_cast<size_t>(s)],
                                      fPoints[static_cast<size_t>(s + 1)], reference);
    const int32_t i = IndexOfPoint(q, HandleSize());
    // A point hooked to a node sits on that node's outline: not a place to attach.
    auto qualifies = [this](int32_t index) {
        const TGraphObject* hooked = HookedObjectOf(index);
        return hooked == nullptr || hooked->IsLink();
    };
    if (i < 0) {
        pt = q;
    } else if (qualifies(i)) {
        pt = fPoints[static_cast<size_t>(i)];
    } else if (i == 0 && PointCount() > 1 && qualifies(1)) {
        pt = fPoints[1];
    } else if (i == PointCount() - 1 && i > 0 && qualifies(i - 1)) {
        pt = fPoints[static_cast<size_t>(i - 1)];
    } else {
        AnchorPoint(pt);
    }
}

// ---- Transforms -------------------------------------------------------------------------

bool TGraphLink::CanMove() const {
    return fSource == nullptr && fTarget == nullptr &&
           (fLinkOptions *
            TGraphLinkOptions{gloFixedStartPoint, gloFixedEndPoint, gloFixedBreakPoints})
               .IsEmpty();
}

bool TGraphLink::Rotate(double angle, const TPoint& origin) {
    if (!CanMove() || PointCount() <= 1) {
        return false;
    }
    TPoints points = fPoints;
    TurnPoints(points, origin, angle);
    if (Owner() != nullptr && !Owner()->GraphConstraints().WithinBounds(points)) {
        return false;
    }
    SetPolyline(points);
    return true;
}

bool TGraphLink::Scale(double factor) {
    if (!CanMove() || PointCount() <= 1) {
        return false;
    }
    TPoints points = fPoints;
    ScalePointsAbout(points, MeanPoint(fPoints), factor);
    if (Owner() != nullptr && !Owner()->GraphConstraints().WithinBounds(points)) {
        return false;
    }
    SetPolyline(points);
    return true;
}

void TGraphLink::Reverse() {
    TGraphObject* oldSource = fSource;
    TGraphObject* oldTarget = fTarget;
    std::swap(fSource, fTarget);
    std::swap(fSourceID, fTargetID);
    if (oldSource != nullptr) {
        oldSource->LinkOutputs().Remove(this);
        oldSource->LinkInputs().Add(this);
    }
    if (oldTarget != nullptr) {
        oldTarget->LinkInputs().Remove(this);
        oldTarget->LinkOutputs().Add(this);
    }
    if (fTextPosition >= 0 && PointCount() > 2) {
        fTextPosition = PointCount() - fTextPosition - 2;
    }
    std::reverse(fPoints.begin(), fPoints.end());
    Changed({gcView, gcData, gcPlacement});
}

// ---- Properties ---------------------------------------------------------------------------

void TGraphLink::SetBeginStyle(TLinkBeginEndStyle value) {
    if (value != fBeginStyle) {
        fBeginStyle = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphLink::SetEndStyle(TLinkBeginEndStyle value) {
    if (value != fEndStyle) {
        fEndStyle = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphLink::SetBeginSize(uint8_t value) {
    if (value != fBeginSize) {
        fBeginSize = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphLink::SetEndSize(uint8_t value) {
    if (value != fEndSize) {
        fEndSize = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphLink::SetLinkOptions(TGraphLinkOptions value) {
    if (value != fLinkOptions) {
        fLinkOptions = value;
        Changed({gcView, gcData});
    }
}

void TGraphLink::SetTextPosition(int32_t value) {
    if (value != fTextPosition) {
        fTextPosition = value;
        Changed({gcView, gcData, gcText});
    }
}

void TGraphLink::SetTextSpacing(int32_t value) {
    value = ClampCoordinate(value);
    if (value != fTextSpacing) {
        fTextSpacing = value;
        Changed({gcView, gcData, gcText});
    }
}

const TPropertyList& TGraphLink::Properties() const {
    using C = TGraphLink;
    static const TPropertyList list =
        TPropertyListBuilder<C>(TGraphObject::ClassProperties())
            .Enumeration<TLinkBeginEndStyle>("BeginStyle", &C::BeginStyle, &C::SetBeginStyle,
                                             kLinkBeginEndStyleNames, lsNone)
            .Integer("BeginSize", &C::BeginSize, &C::SetBeginSize, 6)
            .Enumeration<TLinkBeginEndStyle>("EndStyle", &C::EndStyle, &C::SetEndStyle,
                                             kLinkBeginEndStyleNames, lsArrow)
            .Integer("EndSize", &C::EndSize, &C::SetEndSize, 6)
            .Set<TGraphLinkOptions>("LinkOptions", &C::LinkOptions, &C::SetLinkOptions,
                                    kGraphLinkOptionNames, TGraphLinkOptions{})
            .Integer("TextPosition", &C::TextPosition, &C::SetTextPosition, -1)
            .Integer("TextSpacing", &C::TextSpacing, &C::SetTextSpacing, 0)
            .Build();
    return list;
}

void TGraphLink::DefineProperties(TFiler& filer) {
    TGraphObject::DefineProperties(filer);
    auto readID = [](uint32_t& id) {
        return [&id](TReader& r) {
            id = static_cast<uint32_t>(r.ReadInt64());
        };
    };
    filer.DefineProperty(
        QStringLiteral("Source"), readID(fSourceID),
        [this](TWriter& w) { w.WriteInteger(int64_t{fSourceID}); }, fSource != nullptr);
    filer.DefineProperty(
        QStringLiteral("Target"), readID(fTargetID),
        [this](TWriter& w) { w.WriteInteger(int64_t{fTargetID}); }, fTarget != nullptr);
    filer.DefineBinaryProperty(
        QStringLiteral("BreakPoints"), [this](TStream& s) { ReadBreakPoints(s); },
        [this](TStream& s) { WriteBreakPoints(s); }, !fPoints.empty());
    // Older files.
    filer.DefineProperty(QStringLiteral("FromNode"), readID(fSourceID), nullptr, false);
    filer.DefineProperty(QStringLiteral("ToNode"), readID(fTargetID), nullptr, false);
    filer.DefineProperty(
        QStringLiteral("Kind"),
        [this](TReader& r) {
            const QString kind = r.ReadIdent().toLower();
            if (kind == QLatin1String("lkundirected")) {
                SetEndStyle(lsNone);
            } else if (kind == QLatin1String("lkbidirected")) {
                SetBeginStyle(lsArrow);
            }
        },
        nullptr, false);
    filer.DefineProperty(
        QStringLiteral("ArrowSize"),
        [this](TReader& r) { SetEndSize(static_cast<uint8_t>(r.ReadInteger() + 2)); }, nullptr,
        false);
}

void TGraphLink::ReadBreakPoints(TStream& stream) {
    const auto count = stream.ReadLE<int32_t>();
    if (count < 0 || int64_t{count} * 8 > stream.Remaining()) {
        throw EReadError(QString::fromUtf8(SReadError));
    }
    TPoints points(static_cast<size_t>(count));
    for (TPoint& p : points) {
        const auto x = stream.ReadLE<int32_t>();
        p = {ClampCoordinate(x), ClampCoordinate(stream.ReadLE<int32_t>())};
    }
    fPoints = std::move(points);
}

void TGraphLink::WriteBreakPoints(TStream& stream) const {
    stream.WriteLE(PointCount());
    for (const TPoint& p : fPoints) {
        stream.WriteLE(p.X);
        stream.WriteLE(p.Y);
    }
}

void TGraphLink::Assign(const TGraphObject& source) {
    const auto* link = dynamic_cast<const TGraphLink*>(&source);
    if (link == nullptr || link == this) {
        TGraphObject::Assign(source);
        return;
    }
    Updating([&] {
        TGraphObject::Assign(source);
        SetPolyline(link->Polyline());
        SetBeginStyle(link->BeginStyle());
        SetBeginSize(link->BeginSize());
        SetEndStyle(link->EndStyle());
        SetEndSize(link->EndSize());
        SetLinkOptions(link->LinkOptions());
        SetTextPosition(link->TextPosition());
        SetTextSpacing(link->TextSpacing());
        if (link->Source() != nullptr && link->Target() != nullptr) {
            Link(link->Source(), link->Target());
        } else if (link->Source() != nullptr) {
            Hook(0, link->Source());
        } else if (link->Target() != nullptr) {
            Hook(PointCount() - 1, link->Target());
        }
    });
}

// ---- Caption ------------------------------------------------------------------------------

TGraphRegion TGraphLink::BuildCaptionRegion() {
    fTextToShow.clear();
    const int32_t n = PointCount();
    if (Text().isEmpty() || n <= 1) {
        return {};
    }
    fTextLine = fTextPosition;
    if (fTextLine < 0 || fTextLine > n - 2) {
        fTextLine = LongestSegmentIndex();
    }
    int32_t m = 0;
    if (fTextLine == 0) {
        m = EndMarkLength(fBeginStyle, fBeginSize);
    } else if (fTextLine == n - 2) {
        m = EndMarkLength(fEndStyle, fEndSize);
    }
    const TPoint a = fPoints[static_cast<size_t>(fTextLine)];
    const TPoint b = fPoints[static_cast<size_t>(fTextLine + 1)];
    fTextCenter = MeanPoint({a, b});
    fTextAngle = DirectionAngle(a, b);
    const int64_t w = int64_t{ClampToInt32(PointDistance(a, b))} - Pen().Width() - m;
    if (w <= 0) {
        return {};
    }
    TRect r{0, 0, static_cast<int32_t>(std::min<int64_t>(w, 2147483647)), 0};
    unsigned flags = DrawTextFlag::CalcRect | DrawTextFlag::NoPrefix | DrawTextFlag::EditControl |
                     DrawTextFlag::EndEllipsis | DrawTextFlag::ModifyString |
                     DrawTextFlag::SingleLine;
    if (Owner() != nullptr && Owner()->UseRightToLeftReading()) {
        flags |= DrawTextFlag::RtlReading;
    }
    // One line: a line break shows as a space.
    QString shown = Text().trimmed();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    shown.replace(u'\r', u' ').replace(u'\n', u' ');
    CalcTextRect(TFontMeasure::Shared(Font()), shown, r, flags);
    fTextToShow = shown;

    const int32_t d = fTextSpacing + (Pen().Width() + 1) / 2;
    const bool leftwards = std::abs(fTextAngle) > Pi / 2;
    const int32_t g = leftwards ? r.Top + d : r.Top - d;
    fTextCenter = StepAgainst(fTextCenter, fTextAngle - Pi / 2, g);
    fTextCenter = StepAgainst(fTextCenter, fTextAngle, m / 2);

    const int32_t ox = fTextCenter.X - r.Right / 2;
    const int32_t oy = fTextCenter.Y - r.Bottom;
    TPoints corners{{r.Left + ox, r.Top + oy},
                    {r.Right + ox, r.Top + oy},
                    {r.Right + ox, r.Bottom + oy},
                    {r.Left + ox, r.Bottom + oy}};
    TurnPoints(corners, fTextCenter, leftwards ? fTextAngle - Pi : fTextAngle);
    return TGraphRegion::Polygon(corners, pfAlternate);
}

bool TGraphLink::LayoutCaption(bool recalc, int32_t dX, int32_t dY) {
    if (recalc) {
        fTextRegion = BuildCaptionRegion();
        return true;
    }
    if (fTextRegion.IsEmpty()) {
        return false;
    }
    fTextRegion.Offset(dX, dY);
    fTextCenter = {fTextCenter.X + dX, fTextCenter.Y + dY};
    return true;
}

void TGraphLink::DrawCaption(TCanvas& canvas) {
    if (fTextRegion.IsEmpty()) {
        return;
    }
    const double upright = std::abs(fTextAngle) <= Pi / 2 ? fTextAngle : fTextAngle - Pi;
    canvas.SaveDC();
    canvas.Font().SetOrientation(Round(-1800 * upright / Pi));
    canvas.Font().SetQuality(fqProof);
    canvas.SetBkMode(TBkMode::Transparent);
    unsigned align = TextAlign::Center | TextAlign::Bottom;
    if (Owner() != nullptr && Owner()->UseRightToLeftReading()) {
        align |= TextAlign::RtlReading;
    }
    canvas.SetTextAlign(align);
    canvas.TextOut(fTextCenter.X, fTextCenter.Y, fTextToShow);
    canvas.RestoreDC();
}

void TGraphLink::SmearCaption(TCanvas& canvas) {
    canvas.SmearText(fTextRegion);
}

// ---- Decorations ------------------------------------------------------------------------

int32_t TGraphLink::EndMarkLength(TLinkBeginEndStyle style, uint8_t size) const {
    switch (style) {
    case lsArrow:
    case lsArrowSimple:
        return 2 * (size + Pen().Width());
    case lsCircle:
    case lsDiamond:
        return (size + Pen().Width() + 1) / 2;
    case lsNone:
        break;
    }
    return 0;
}

TRect TGraphLink::EndMarkRect(const TPoint& pt, TLinkBeginEndStyle style, uint8_t size,
                              double angle) const {
    const int32_t s = EndMarkLength(style, size);
    TRect r;
    switch (style) {
    case lsArrow:
        r = PointsExtent(
            {pt, StepAgainst(pt, angle + Pi / 9, s), StepAgainst(pt, angle - Pi / 9, s)});
        break;
    case lsArrowSimple:
        r = PointsExtent(
            {StepAgainst(pt, angle + Pi / 6, s), StepAgainst(pt, angle - Pi / 6, s), pt});
        break;
    case lsCircle:
    case lsDiamond:
        r = SquareAround(pt, s);
        break;
    case lsNone:
        r = SquareAround(pt, 0);
        break;
    }
    if (Pen().Style() != psInsideFrame) {
        const int32_t grow = Pen().Width() / 2 + 1;
        r = {r.Left - grow, r.Top - grow, r.Right + grow, r.Bottom + grow};
    }
    return r;
}

TPoint TGraphLink::DrawEndMark(TCanvas& canvas, const TPoint& pt, uint8_t size,
                               TLinkBeginEndStyle style, double angle) const {
    const int32_t s = EndMarkLength(style, size);
    switch (style) {
    case lsArrow: {
        const TPoint notch = StepAgainst(pt, angle, MulDiv(s, 6, 10));
        canvas.Polygon(
            {pt, StepAgainst(pt, angle + Pi / 9, s), notch, StepAgainst(pt, angle - Pi / 9, s)});
        return notch;
    }
    case lsArrowSimple:
        canvas.Polyline(
            {StepAgainst(pt, angle + Pi / 6, s), pt, StepAgainst(pt, angle - Pi / 6, s)});
        return pt;
    case lsCircle:
        canvas.Ellipse({pt.X - s, pt.Y - s, pt.X + s, pt.Y + s});
        return StepAgainst(pt, angle, s);
    case lsDiamond: {
        const TPoint back = StepAgainst(pt, angle, s);
        canvas.Polygon({back, StepAgainst(pt, angle + Pi / 2, s), StepAgainst(pt, angle, -s),
                        StepAgainst(pt, angle - Pi / 2, s)});
        return back;
    }
    case lsNone:
        break;
    }
    return pt;
}

// ---- Drawing ------------------------------------------------------------------------------

void TGraphLink::DrawShape(TCanvas& canvas) {
    const int32_t n = PointCount();
    if (n == 1) {
        TRect r = SquareAround(fPoints[0], Pen().Width() / 2);
        while (!r.IsEmpty()) {
            canvas.Ellipse(r);
            r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        }
        return;
    }
    if (n < 2) {
        return;
    }
    TPoints line = fPoints;
    if (fBeginStyle != lsNone || fEndStyle != lsNone) {
        const TPenStyle style = canvas.Pen().Style();
        canvas.Pen().SetStyle(psSolid);
        line.front() = DrawEndMark(canvas, fPoints[0], fBeginSize, fBeginStyle,
                                   DirectionAngle(fPoints[1], fPoints[0]));
        line.back() =
            DrawEndMark(canvas, fPoints.back(), fEndSize, fEndStyle,
                        DirectionAngle(fPoints[static_cast<size_t>(n - 2)], fPoints.back()));
        canvas.Pen().SetStyle(style);
    }
    const TBrushStyle brush = canvas.Brush().Style();
    canvas.Brush().SetStyle(bsClear);
    canvas.Polyline(line);
    canvas.Brush().SetStyle(brush);
}

void TGraphLink::DrawDragOutline(TCanvas& canvas) {
    const int32_t n = PointCount();
    if (n == 1) {
        canvas.Ellipse(SquareAround(fPoints[0], canvas.Pen().Width()));
        return;
    }
    if (n < 2) {
        return;
    }
    if (fMovingPoint >= 0 && fMovingPoint < n) {
        const auto from = static_cast<size_t>(std::max(fMovingPoint - 1, 0));
        const auto to = static_cast<size_t>(std::min(fMovingPoint + 1, n - 1));
        canvas.Polyline(TPoints(fPoints.begin() + static_cast<ptrdiff_t>(from),
                                fPoints.begin() + static_cast<ptrdiff_t>(to) + 1));
    } else {
        canvas.Polyline(fPoints);
    }
}

void TGraphLink::DrawHandles(TCanvas& canvas) {
    const int32_t n = PointCount();
    if (n == 0) {
        return;
    }
    const bool locked = Owner() != nullptr && Owner()->LockLinks();
    DrawHandle(canvas, fPoints[0], !locked && !fLinkOptions.Contains(gloFixedStartPoint));
    for (int32_t i = 1; i < n - 1; ++i) {
        DrawHandle(canvas, fPoints[static_cast<size_t>(i)],
                   !locked && !fLinkOptions.Contains(gloFixedBreakPoints));
    }
    DrawHandle(canvas, fPoints.back(), !locked && !fLinkOptions.Contains(gloFixedEndPoint));
}

TRect TGraphLink::BoundsRect() const {
    return PointsExtent(fPoints);
}

void TGraphLink::ComputeVisualRect(TRect& rect) const {
    rect = BoundsRect();
    const int32_t grow = Pen().Width() / 2;
    rect = {rect.Left - grow, rect.Top - grow, rect.Right + grow, rect.Bottom + grow};
    const int32_t n = PointCount();
    if (n >= 2) {
        GrowRectToInclude(rect, EndMarkRect(fPoints[0], fBeginStyle, fBeginSize,
                                            DirectionAngle(fPoints[1], fPoints[0])));
        GrowRectToInclude(
            rect, EndMarkRect(fPoints.back(), fEndStyle, fEndSize,
                              DirectionAngle(fPoints[static_cast<size_t>(n - 2)], fPoints.back())));
    }
    if (!fTextRegion.IsEmpty() && Options().Contains(goShowCaption)) {
        GrowRectToInclude(rect, fTextRegion.Bounds());
    }
}

// ---- Hit testing --------------------------------------------------------------------------

uint32_t TGraphLink::LocalHitTest(const TPoint& pt) const {
    const int32_t r = HandleSize();
    for (int32_t i = PointCount() - 1; i >= 0; --i) {
        if (PtInRect(SquareAround(fPoints[static_cast<size_t>(i)], r), pt)) {
            return Selected() ? PointHitTest(i, hcPoint) : hcBody;
        }
    }
    for (int32_t i = 0; i + 1 < PointCount(); ++i) {
        if (SegmentDistance(fPoints[static_cast<size_t>(i)], fPoints[static_cast<size_t>(i + 1)],
                            pt) <= r) {
            return Selected() ? PointHitTest(i, hcSegment | hcBody) : hcBody;
        }
    }
    if (Options().Contains(goShowCaption) && fTextRegion.Contains(pt)) {
        return hcCaption | hcBody;
    }
    return hcNone;
}

bool TGraphLink::ContainsRect(const TRect& rect) const {
    if (!TGraphObject::ContainsRect(rect)) {
        return false;
    }
    if (Options().Contains(goShowCaption) && fTextRegion.Intersects(rect)) {
        return true;
    }
    for (const TPoint& p : fPoints) {
        if (PtInRect(rect, p)) {
            return true;
        }
    }
    for (const TPoint& corner : {rect.TopLeft(), rect.BottomRight()}) {
        for (const double angle : {0.0, Pi / 2}) {
            for (const TPoint& p : CrossPolyline(corner, angle, fPoints)) {
                if (PtInRect(rect, p)) {
                    return true;
                }
            }
        }
    }
    return false;
}

// ---- Editing ------------------------------------------------------------------------------

void TGraphLink::PickEditMode(uint32_t hitTest, TShiftState shift) {
    fChangeMode = lcmNone;
    const uint32_t code = hitTest & 0xFFFF & ~hcBody;
    const auto index = HitPointIndex(hitTest);
    if (code == hcCaption) {
        if (!fLinkOptions.Contains(gloFixedBreakPoints) && HookedPointCount() < PointCount()) {
            fChangeMode = lcmMovePolyline;
        }
    } else if (code == hcPoint) {
        if (!IsFixedPoint(index, false)) {
            fChangeMode = shift.Contains(ssAlt) ? lcmRemovePoint : lcmMovePoint;
        }
    } else if (code == hcSegment && !fLinkOptions.Contains(gloFixedBreakPoints)) {
        if (shift.Contains(ssAlt)) {
            fChangeMode = lcmInsertPoint;
        } else if (!IsFixedPoint(index, true) && !IsFixedPoint(index + 1, true)) {
            fChangeMode = lcmMovePolyline;
        }
    }
}

TCursor TGraphLink::CursorFor(uint32_t hitTest) const {
    const uint32_t code = hitTest & 0xFFFF;
    if (code & hcCaption) {
        return fChangeMode == lcmMovePolyline ? crSizeAll : crHandPoint;
    }
    if (code & hcPoint) {
        if (fChangeMode == lcmRemovePoint) {
            return crXHair3;
        }
        if (fChangeMode == lcmMovePoint) {
            return fAcceptingHook ? crXHairLink : crXHair2;
        }
        return crHandPoint;
    }
    if (code & hcSegment) {
        if (fChangeMode == lcmInsertPoint) {
            return crXHair1;
        }
        return fChangeMode == lcmMovePolyline ? crSizeAll : crHandPoint;
    }
    if (code == hcBody) {
        return crHandPoint;
    }
    return TGraphObject::CursorFor(hitTest);
}

void TGraphLink::MouseDown(TMouseButton button, TShiftState shift, const TPoint& pt) {
    bool consumed = false;
    uint32_t hitTest = hcNone;
    if (Dragging()) {
        const bool ended = EndDrag(true);
        if (ended && shift.Contains(ssRight) && fChangeMode == lcmMovePoint && Owner() != nullptr) {
            // A right click while drawing drops a break point and goes on dragging.
            TPoint dropped = pt;
            if (shift.Contains(ssCtrl) != Owner()->SnapToGrid()) {
                dropped = Owner()->SnapPoint(dropped);
            }
            Owner()->GraphConstraints().ConfinePt(dropped);
            const int32_t m = fMovingPoint;
            if (m > 0) {
                BeginDrag(pt, PointHitTest(m + 1, hcPoint));
                InsertPoint(m, dropped);
                fMovingPoint = m + 1;
            } else {
                BeginDrag(pt, hcPoint);
                InsertPoint(1, dropped);
            }
            return;
        }
    }
    TDragLockGuard dragLock(*this);
    if (button == mbLeft && Selected() && !IsLocked()) {
        hitTest = HitTest(pt);
        PickEditMode(hitTest, shift);
        switch (fChangeMode) {
        case lcmInsertPoint:
            fMovingPoint = AddBreakPoint(pt);
            if (fMovingPoint > 0) {
                fChangeMode = lcmMovePoint; // the new point is dragged from here on
            } else {
                consumed = true;
            }
            break;
        case lcmRemovePoint:
            RemovePoint(HitPointIndex(hitTest));
            if (PointCount() == 0) {
                Free();
                return;
            }
            consumed = true;
            break;
        case lcmMovePoint:
            fMovingPoint = HitPointIndex(hitTest);
            fHookingObject = HookedObjectOf(fMovingPoint);
            fAcceptingHook = fHookingObject != nullptr;
            Unhook(fMovingPoint);
            break;
        case lcmMovePolyline:
            fMovingPoint = -1;
            break;
        case lcmNone:
            dragLock.Lock(); // no drag for the rest of this press
            break;
        }
    }
    if (consumed) {
        if (Dragging()) {
            EndDrag(true);
        }
        if (Owner() != nullptr) {
            Owner()->SetScreenCursor(CursorFor(hitTest));
        }
    } else {
        TGraphObject::MouseDown(button, shift, pt);
    }
}

void TGraphLink::MouseMove(TShiftState shift, const TPoint& pt) {
    if (!Dragging()) {
        if (Selected() && !IsLocked()) {
            PickEditMode(HitTest(pt), shift);
        }
    } else if (fChangeMode == lcmMovePoint && Owner() != nullptr &&
               (fMovingPoint == 0 || fMovingPoint == PointCount() - 1)) {
        fHookingObject = Owner()->FindObjectAt(pt.X, pt.Y);
        const bool accept = !shift.Contains(ssAlt) && CanHook(fMovingPoint, fHookingObject);
        if (accept != fAcceptingHook) {
            fAcceptingHook = accept;
            Owner()->SetScreenCursor(CursorFor(PointHitTest(fMovingPoint, hcPoint)));
        }
    }
    TGraphObject::MouseMove(shift, pt);
}

void TGraphLink::MouseUp(TMouseButton button, TShiftState shift, const TPoint& pt) {
    if (button == mbRight && Dragging() && fChangeMode == lcmMovePoint) {
        return;
    }
    TGraphObject::MouseUp(button, shift, pt);
    if (fChangeMode == lcmMovePoint && fAcceptingHook) {
        Hook(fMovingPoint, fHookingObject);
    }
    fMovingPoint = -1;
    fHookingObject = nullptr;
    fAcceptingHook = false;
    fChangeMode = lcmNone;
}

// ---- Dragging -----------------------------------------------------------------------------

bool TGraphLink::JoinDrag(uint32_t hitTest) {
    return (hitTest & (hcBody | hcCaption)) != 0 && TGraphObject::JoinDrag(hitTest);
}

TObjectSides TGraphLink::MovableSides(uint32_t hitTest) const {
    if (hitTest & (hcBody | hcCaption | hcPoint)) {
        return AllObjectSides;
    }
    return {};
}

void TGraphLink::SnapDragOffset(uint32_t hitTest, int32_t& dX, int32_t& dY) {
    if (Owner() == nullptr || fPoints.empty()) {
        return;
    }
    int32_t index = -1;
    if (hitTest & hcPoint) {
        index = HitPointIndex(hitTest);
    } else if (hitTest & (hcBody | hcCaption)) {
        index = 0;
    }
    if (index >= 0 && index < PointCount()) {
        Owner()->SnapOffset(fPoints[static_cast<size_t>(index)], dX, dY);
    }
}

bool TGraphLink::ApplyDragOffset(uint32_t hitTest, int32_t dX, int32_t dY) {
    const uint32_t code = hitTest & 0xFFFF;
    if (code & hcPoint) {
        const auto index = HitPointIndex(hitTest);
        if (index >= PointCount() || IsFixedPoint(index, true)) {
            return false;
        }
        TPoint& p = fPoints[static_cast<size_t>(index)];
        p = {p.X + dX, p.Y + dY};
        PointsChanged();
        return true;
    }
    if (code & (hcBody | hcCaption)) {
        int32_t moved = 0;
        for (int32_t i = 0; i < PointCount(); ++i) {
            if (!IsFixedPoint(i, true)) {
                TPoint& p = fPoints[static_cast<size_t>(i)];
                p = {p.X + dX, p.Y + dY};
                ++moved;
            }
        }
        if (moved == 0) {
            return false;
        }
        if (moved < PointCount() || States().Contains(osUpdating)) {
            PointsChanged();
        } else {
            AfterMoveResize(dX, dY, 0, 0);
        }
        return true;
    }
    // The keyboard resize: spread the points away from the opposite side or corner.
    const TRect b = BoundsRect();
    const int32_t midX = (b.Left + b.Right) / 2;
    const int32_t midY = (b.Top + b.Bottom) / 2;
    TPoint reference;
    switch (code) {
    case hcLeft:
        reference = {b.Right, midY};
        dX = -dX;
        dY = 0;
        break;
    case hcTop:
        reference = {midX, b.Bottom};
        dX = 0;
        dY = -dY;
        break;
    case hcRight:
        reference = {b.Left, midY};
        dY = 0;
        break;
    case hcBottom:
        reference = {midX, b.Top};
        dX = 0;
        break;
    case hcTopLeft:
        reference = {b.Right, b.Bottom};
        dX = -dX;
        dY = -dY;
        break;
    case hcTopRight:
        reference = {b.Left, b.Bottom};
        dY = -dY;
        break;
    case hcBottomLeft:
        reference = {b.Right, b.Top};
        dX = -dX;
        break;
    case hcBottomRight:
        reference = {b.Left, b.Top};
        break;
    default:
        return false;
    }
    if (!CanMove()) {
        return false;
    }
    SpreadPoints(fPoints, reference, dX, dY);
    PointsChanged();
    return true;
}

void TGraphLink::OffsetBy(int32_t dX, int32_t dY) {
    if (fPoints.empty() || (dX == 0 && dY == 0)) {
        return;
    }
    ShiftPoints(fPoints, dX, dY);
    if (States().Contains(osUpdating)) {
        PointsChanged();
    } else {
        AfterMoveResize(dX, dY, 0, 0);
    }
}

} // namespace zov
