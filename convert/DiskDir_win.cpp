// Windows file system: names on disk are in the ANSI code page, as the
// document's text is.
#include <windows.h>

#include "convert/DiskDir.h"

namespace diskdir {

bool List(const std::string& strDir, std::vector<Entry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(Join(strDir, "*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool bComplete = true;
    for (;;) {
        const std::string name = fd.cFileName;
        if (name != "." && name != "..")
            entries.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        if (!FindNextFileA(h, &fd)) {
            // Only the normal end of the listing counts as complete.
            bComplete = GetLastError() == ERROR_NO_MORE_FILES;
            break;
        }
    }
    FindClose(h);
    if (!bComplete) entries.clear();
    return bComplete;
}

bool MakeDirectory(const std::string& strPath, bool* pbExists) {
    if (CreateDirectoryA(strPath.c_str(), nullptr)) return true;
    if (pbExists) *pbExists = GetLastError() == ERROR_ALREADY_EXISTS;
    return false;
}

const char kSeparator = '\\';

std::string Join(const std::string& strDir, const std::string& strName) {
    // The last byte may be a trail byte equal to '\', so a separator at the
    // end is looked for character by character.
    const CString dir(strDir);
    if (!strDir.empty() && (strDir.back() == '/' || dir.ReverseFind('\\') == dir.GetLength() - 1))
        return strDir + strName;
    return strDir + "\\" + strName;
}

bool GetDirId(const std::string& strPath, DirId& id) {
    HANDLE h =
        CreateFileA(strPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool bOk = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    if (!bOk) return false;
    id.nVolume = info.dwVolumeSerialNumber;
    id.nFile = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

CString NameFromDisk(const std::string& strName) {
    return CString(strName);
}

std::string NameToDisk(const CString& strName) {
    return strName.str();
}

}  // namespace diskdir
