// Native file system: names on disk are UTF-8.
#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>

#include "convert/DiskDir.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace diskdir {

bool List(const std::string& strDir, std::vector<Entry>& entries) {
    entries.clear();
    DIR* dir = opendir(strDir.c_str());
    if (!dir) return false;
    for (;;) {
        errno = 0;
        const dirent* d = readdir(dir);
        if (!d) break;
        const std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        bool bDirectory = d->d_type == DT_DIR;
        if (d->d_type == DT_LNK || d->d_type == DT_UNKNOWN) {
            struct stat st;
            bDirectory = stat(Join(strDir, name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        entries.push_back({name, bDirectory});
    }
    const bool bComplete = errno == 0;
    closedir(dir);
    if (!bComplete) entries.clear();
    return bComplete;
}

bool MakeDirectory(const std::string& strPath, bool* pbExists) {
    if (mkdir(strPath.c_str(), 0777) == 0) return true;
    if (pbExists) *pbExists = errno == EEXIST;
    return false;
}

const char kSeparator = '/';

std::string Join(const std::string& strDir, const std::string& strName) {
    if (!strDir.empty() && strDir.back() == '/') return strDir + strName;
    return strDir + "/" + strName;
}

bool GetDirId(const std::string& strPath, DirId& id) {
    struct stat st;
    if (stat(strPath.c_str(), &st) != 0) return false;
    id.nVolume = static_cast<uint64_t>(st.st_dev);
    id.nFile = static_cast<uint64_t>(st.st_ino);
    return true;
}

CString NameFromDisk(const std::string& strName) {
    std::string out;
    if (!platform::Utf8ToCodePage(strName, codepage::Active(), out)) return CString(strName);
    return CString(std::move(out));
}

std::string NameToDisk(const CString& strName) {
    std::string out;
    if (!platform::CodePageToUtf8(strName.str(), codepage::Active(), out)) return strName.str();
    return out;
}

}  // namespace diskdir
