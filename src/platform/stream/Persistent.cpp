#include "platform/stream/Persistent.h"

namespace zov {

void TPersistent::DefineProperties(TFiler&) {}

const TPropertyInfo* TPersistent::FindProperty(const QString& name) const {
    for (const TPropertyInfo& p : Properties()) {
        if (p.Name.compare(name, Qt::CaseInsensitive) == 0) {
            return &p;
        }
    }
    return nullptr;
}

} // namespace zov
