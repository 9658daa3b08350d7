#include "GraphClassRegistry.h"

#include "GraphObject.h"

#include <QHash>

namespace zov {

namespace {

QHash<QString, const TGraphObjectClass*>& Registry() {
    static QHash<QString, const TGraphObjectClass*> registry;
    return registry;
}

} // namespace

void RegisterGraphClass(const TGraphObjectClass& cls) {
    Registry().insert(cls.Name, &cls);
}

void UnregisterGraphClass(const TGraphObjectClass& cls) {
    auto it = Registry().find(cls.Name);
    if (it != Registry().end() && it.value() == &cls) {
        Registry().erase(it);
    }
}

const TGraphObjectClass* FindGraphClass(const QString& name) {
    return Registry().value(name, nullptr);
}

} // namespace zov
