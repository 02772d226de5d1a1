// The file system as the Favorites import and export need it: listing and
// making directories, and names on disk. On Windows names on disk are in the
// ANSI code page already; natively they are UTF-8 and are converted to and
// from the document's code page here, at this one boundary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fw/base/CString.h"

namespace diskdir {

struct Entry {
    std::string strName;  // as on disk
    bool bDirectory;      // a directory, or a link that leads to one
};

// The entries of a directory but "." and "..", in the order the system lists
// them. False when the directory cannot be listed or the listing breaks off.
bool List(const std::string& strDir, std::vector<Entry>& entries);

// Creates a directory. On failure *pbExists (when given) tells whether it
// failed because the name exists already.
bool MakeDirectory(const std::string& strPath, bool* pbExists = nullptr);

// strDir and strName joined with the system's separator.
std::string Join(const std::string& strDir, const std::string& strName);
// The system's separator, for paths grown in place.
extern const char kSeparator;

// What identifies a directory however it is reached (through links too).
struct DirId {
    uint64_t nVolume = 0;
    uint64_t nFile = 0;
    bool operator==(const DirId& o) const { return nVolume == o.nVolume && nFile == o.nFile; }
};
bool GetDirId(const std::string& strPath, DirId& id);

// A name on disk in the document's code page, and back.
CString NameFromDisk(const std::string& strName);
std::string NameToDisk(const CString& strName);

}  // namespace diskdir
