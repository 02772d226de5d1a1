// The Favorites root as the tree view reads it from the registry.
#pragma once

#include "fw/base/CString.h"

// The registry reader leaves "ERR" (no key) or "NO" (no value) in place of a
// path. Neither is a folder, nor is an empty value: taken as paths they would
// name a folder relative to whatever the current directory happens to be.
bool HasFavoritesFolder(const CString& strFavoritesPath);
