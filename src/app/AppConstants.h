#pragma once

#include "settings/FileAssociation.h"

#include <QStringList>

namespace zov {

// The title part of the graph filter of the open and save dialogs (the word and a
// blank: the filter then reads "ZOV  (*.ZOV)").
inline const QString GraphFilterTitle = QStringLiteral("ZOV ");
// The base of the names of new, unsaved documents.
inline const QString NewGraphBaseName = QStringLiteral("NONAME");
// The save name of a graph that has none yet.
inline const QString kUntitled = QStringLiteral("Untitled");

// The frame's graph filter: the graph files, then every file. File dialogs match
// names without regard to case, so "*.ZOV" also lists "*.zov".
inline QStringList GraphFileFilters() {
    return {GraphFilterTitle + QStringLiteral(" (*.") + GraphFileExt + QLatin1Char(')'),
            QStringLiteral("All Files (*)")};
}

// The name of a new document: "NONAME" + number + ".ZOV".
inline QString NewGraphName(int number) {
    return NewGraphBaseName + QString::number(number) + QLatin1Char('.') + GraphFileExt;
}

// The program's name, appended to document captions and naming print jobs.
QString ApplicationTitle();

} // namespace zov
