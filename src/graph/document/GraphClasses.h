#pragma once

namespace zov {

// Registers the standard link and node classes once per program (and unregisters
// them when it ends), so graphs can create them by name.
void InitializeGraphClasses();

} // namespace zov
