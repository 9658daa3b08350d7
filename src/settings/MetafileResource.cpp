#include "settings/MetafileResource.h"

#include <QFile>

namespace zov {

TMetafile LoadMetafileResource(const QString& name) {
    // A name is one resource, never a path to another folder of them.
    if (name.isEmpty() || name.contains(QLatin1Char('/'))) {
        return TMetafile();
    }
    QFile file(QStringLiteral(":/resources/%1.emf").arg(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return TMetafile();
    }
    QByteArray bytes = file.readAll();
    return IsEnhancedMetafile(bytes) ? TMetafile(std::move(bytes)) : TMetafile();
}

} // namespace zov
