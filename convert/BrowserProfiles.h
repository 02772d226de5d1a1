// Where the installed browsers keep their bookmarks. The Chromium family
// keeps a "Bookmarks" file in each profile folder under its user-data folder
// (in the local application data folder; Opera's in the roaming one), and
// names the profiles in the "Local State" file beside them. Firefox lists
// its profiles in profiles.ini and keeps the bookmarks in a database, which
// this program does not read: its profiles are listed so that the user can
// be told how to export them.
#pragma once

#include <string>
#include <vector>

#include "fw/base/CString.h"

struct BrowserProfile {
    CString strBrowser;      // "Google Chrome", "Firefox", ...
    CString strProfile;      // the name the browser shows, else the folder's name
    std::string strFile;     // the bookmarks file (a database for Firefox)
    int nLinks = -1;         // the links it holds; -1 when it cannot be read
    bool bDatabase = false;  // Firefox: not read here
};

// The profiles found under the two folders (either may be empty): the
// Chromium family in a fixed browser order, each browser's default profile
// first and the others in the order of their folder names; Firefox last.
std::vector<BrowserProfile> FindBrowserProfiles(const std::string& strLocalAppData,
                                                const std::string& strRoamingAppData);

// The browser a bookmarks file belongs to, from the folders on its path
// ("Google Chrome" for ...\Google\Chrome\User Data\Default\Bookmarks); else
// the file's name. Names the import folder.
CString BrowserNameOfFile(const std::string& strPath);
