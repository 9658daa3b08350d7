#pragma once

#include "platform/types/Exceptions.h"

#include <QString>

namespace zov {

// The graph files' extension, without the dot.
inline const QString GraphFileExt = QStringLiteral("ZOV");
// How the desktop names graph files.
inline const QString kGraphFileDescription = QStringLiteral("ZOV Grafik");
// On Linux: the graph files' MIME type, and the names of the files that tell the
// desktop about it and about the program.
inline const QString kGraphMimeType = QStringLiteral("application/x-zov-graph");
inline const QString kMimePackageName = QStringLiteral("zov-graph.xml");
inline const QString kDesktopEntryName = QStringLiteral("zov.desktop");
inline const QString kIconName = QStringLiteral("zov");

// A step of the file association that failed; the message names what and why.
class EAssociationError : public Exception {
    using Exception::Exception;
};

// Makes graph files open with the program and puts the program into the user's start
// menu, then stores "CITRIX" as "1". Nothing happens when PRG.bEndungReg is set.
// Everything goes to the current user's part of the system, so no administrator
// rights are needed; a file that already holds what it should is not written again.
// Throws EAssociationError when a step fails; the steps before it stay done.
void InstallFileAssociation(const QString& programPath);
// The same for the running program.
void InstallFileAssociation();

} // namespace zov
