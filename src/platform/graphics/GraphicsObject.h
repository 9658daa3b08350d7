#pragma once

#include "platform/stream/Persistent.h"

#include <functional>

namespace zov {

// Common base of pens, brushes and fonts: value-like drawing attributes that tell
// their owner when they change. A copy starts without a change handler, so a copy
// never reports to the original's owner.
class TGraphicsObject : public TPersistent {
public:
    std::function<void()> OnChange;

protected:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) : TPersistent() {}
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;
    ~TGraphicsObject() override = default;

    void Changed() {
        if (OnChange) {
            OnChange();
        }
    }

    // Stores value in field and reports the change, unless nothing differs.
    template <typename T, typename U> void Update(T& field, const U& value) {
        if (field != value) {
            field = value;
            Changed();
        }
    }
};

} // namespace zov
