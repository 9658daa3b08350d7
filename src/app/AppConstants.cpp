#include "app/AppConstants.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace zov {

QString ApplicationTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace zov
