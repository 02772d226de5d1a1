#include "convert/BrowserProfiles.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>

#include "convert/BrowserBookmarkFile.h"
#include "convert/BrowserData.h"
#include "convert/DiskDir.h"
#include "fw/base/FilePath.h"
#include "fw/base/Platform.h"

namespace {

using Json = nlohmann::json;

struct ChromiumBrowser {
    const char* pszName;
    bool bRoaming;              // under the roaming application data folder
    const char* pszFolders[3];  // the user-data folder, one name each
};

const ChromiumBrowser kBrowsers[] = {
    {"Google Chrome", false, {"Google", "Chrome", "User Data"}},
    {"Microsoft Edge", false, {"Microsoft", "Edge", "User Data"}},
    {"Brave", false, {"BraveSoftware", "Brave-Browser", "User Data"}},
    {"Vivaldi", false, {"Vivaldi", "User Data", nullptr}},
    {"Chromium", false, {"Chromium", "User Data", nullptr}},
    {"Opera", true, {"Opera Software", "Opera Stable", nullptr}},
    {"Opera GX", true, {"Opera Software", "Opera GX Stable", nullptr}},
};

const char kBookmarksFile[] = "Bookmarks";

std::string JoinAll(std::string strPath, const char* const* ppszNames, size_t nNames) {
    for (size_t i = 0; i < nNames && ppszNames[i]; ++i)
        strPath = diskdir::Join(strPath, ppszNames[i]);
    return strPath;
}

// Profile folders in the order the browsers show them: "Default" first, then
// by name with numbers compared as numbers ("Profile 2" before "Profile 10").
bool ProfileBefore(const std::string& a, const std::string& b) {
    if ((a == "Default") != (b == "Default")) return a == "Default";
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
            const std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            const size_t za = na.find_first_not_of('0'), zb = nb.find_first_not_of('0');
            const std::string ta = za == std::string::npos ? "" : na.substr(za);
            const std::string tb = zb == std::string::npos ? "" : nb.substr(zb);
            if (ta.size() != tb.size()) return ta.size() < tb.size();
            if (ta != tb) return ta < tb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// The profiles' names from "Local State": profile.info_cache.<folder>.name.
// Nothing when the file is missing or not as expected.
Json ProfileNames(const std::string& strUserData) {
    std::string bytes;
    if (!ReadFileBytes(diskdir::Join(strUserData, "Local State").c_str(), bytes)) return Json();
    const Json state = Json::parse(bytes, nullptr, false);
    if (!state.is_object()) return Json();
    const auto profile = state.find("profile");
    if (profile == state.end() || !profile->is_object()) return Json();
    const auto cache = profile->find("info_cache");
    if (cache == profile->end() || !cache->is_object()) return Json();
    return *cache;
}

CString ProfileName(const Json& names, const std::string& strFolder) {
    if (names.is_object()) {
        const auto entry = names.find(strFolder);
        if (entry != names.end() && entry->is_object()) {
            const auto name = entry->find("name");
            if (name != entry->end() && name->is_string() &&
                !name->get_ref<const std::string&>().empty())
                return TextFromUtf8(name->get_ref<const std::string&>());
        }
    }
    return diskdir::NameFromDisk(strFolder);
}

BrowserProfile ReadProfile(const char* pszBrowser, const CString& strProfile,
                           const std::string& strFile) {
    BrowserProfile p;
    p.strBrowser = pszBrowser;
    p.strProfile = strProfile;
    p.strFile = strFile;
    CBrowserBookmarkFile file;
    if (file.Load(strFile.c_str()) == CBrowserBookmarkFile::Status::Ok)
        p.nLinks = file.GetLinkCount();
    return p;
}

void FindChromiumProfiles(const ChromiumBrowser& browser, const std::string& strBase,
                          std::vector<BrowserProfile>& profiles) {
    const std::string strUserData = JoinAll(strBase, browser.pszFolders, 3);
    std::vector<diskdir::Entry> entries;
    if (!diskdir::List(strUserData, entries)) return;
    const Json names = ProfileNames(strUserData);
    // Opera has kept its one profile's files in the user-data folder itself.
    const std::string strOwn = diskdir::Join(strUserData, kBookmarksFile);
    if (platform::FileExists(strOwn)) profiles.push_back(ReadProfile(browser.pszName, "", strOwn));
    std::vector<std::string> folders;
    for (const diskdir::Entry& e : entries)
        if (e.bDirectory) folders.push_back(e.strName);
    std::sort(folders.begin(), folders.end(), ProfileBefore);
    for (const std::string& strFolder : folders) {
        const std::string strFile =
            diskdir::Join(diskdir::Join(strUserData, strFolder), kBookmarksFile);
        if (!platform::FileExists(strFile)) continue;
        profiles.push_back(ReadProfile(browser.pszName, ProfileName(names, strFolder), strFile));
    }
}

// profiles.ini: sections [Profile<n>] with Name=, Path= and IsRelative=.
void FindFirefoxProfiles(const std::string& strRoaming, std::vector<BrowserProfile>& profiles) {
    const char* const kFolders[] = {"Mozilla", "Firefox"};
    const std::string strRoot = JoinAll(strRoaming, kFolders, 2);
    std::string bytes;
    if (!ReadFileBytes(diskdir::Join(strRoot, "profiles.ini").c_str(), bytes)) return;
    struct Section {
        std::string strName, strPath;
        bool bRelative = true;
    };
    std::vector<Section> sections;
    bool bInProfile = false;
    size_t nPos = 0;
    while (nPos < bytes.size()) {
        size_t nEnd = bytes.find('\n', nPos);
        if (nEnd == std::string::npos) nEnd = bytes.size();
        std::string line = bytes.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty() && line[0] == '[') {
            bInProfile = line.compare(0, 8, "[Profile") == 0;
            if (bInProfile) sections.emplace_back();
            continue;
        }
        if (!bInProfile) continue;
        const size_t nEq = line.find('=');
        if (nEq == std::string::npos) continue;
        const std::string key = line.substr(0, nEq), value = line.substr(nEq + 1);
        if (key == "Name") sections.back().strName = value;
        if (key == "Path") sections.back().strPath = value;
        if (key == "IsRelative") sections.back().bRelative = value != "0";
    }
    for (const Section& s : sections) {
        if (s.strPath.empty()) continue;
        BrowserProfile p;
        p.strBrowser = "Firefox";
        p.strProfile = TextFromUtf8(s.strName.empty() ? s.strPath : s.strName);
        std::string strDir = s.strPath;
        if (s.bRelative) {
            // Relative paths are written with '/'; each part joins as a name.
            strDir = strRoot;
            size_t nFrom = 0;
            while (nFrom <= s.strPath.size()) {
                size_t nSlash = s.strPath.find('/', nFrom);
                if (nSlash == std::string::npos) nSlash = s.strPath.size();
                if (nSlash > nFrom)
                    strDir = diskdir::Join(strDir, s.strPath.substr(nFrom, nSlash - nFrom));
                nFrom = nSlash + 1;
            }
        }
        p.strFile = diskdir::Join(strDir, "places.sqlite");
        p.bDatabase = true;
        profiles.push_back(p);
    }
}

std::string Lower(std::string str) {
    for (char& c : str)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return str;
}

}  // namespace

std::vector<BrowserProfile> FindBrowserProfiles(const std::string& strLocalAppData,
                                                const std::string& strRoamingAppData) {
    std::vector<BrowserProfile> profiles;
    for (const ChromiumBrowser& browser : kBrowsers) {
        const std::string& strBase = browser.bRoaming ? strRoamingAppData : strLocalAppData;
        if (!strBase.empty()) FindChromiumProfiles(browser, strBase, profiles);
    }
    if (!strRoamingAppData.empty()) FindFirefoxProfiles(strRoamingAppData, profiles);
    return profiles;
}

CString BrowserNameOfFile(const std::string& strPath) {
    std::string path = Lower(strPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    for (const ChromiumBrowser& browser : kBrowsers) {
        std::string strFolders;
        for (const char* pszName : browser.pszFolders)
            if (pszName) strFolders += "/" + Lower(pszName);
        if (path.find(strFolders + "/") != std::string::npos) return browser.pszName;
    }
    return diskdir::NameFromDisk(filepath::FileName(CString(strPath)).str());
}
