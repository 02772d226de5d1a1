#include "convert/FavoritesPath.h"

bool HasFavoritesFolder(const CString& strFavoritesPath) {
    return !strFavoritesPath.IsEmpty() && strFavoritesPath != "ERR" && strFavoritesPath != "NO";
}
