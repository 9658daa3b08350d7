#pragma once

#include "platform/pictures/Metafile.h"

#include <QString>

namespace zov {

// The metafile the program carries under that name (":/resources/NAME.emf"), such as
// the logo "QUORIXLOGO". A missing resource, or one that is no enhanced metafile,
// gives an empty metafile; nothing is reported.
TMetafile LoadMetafileResource(const QString& name);

} // namespace zov
