#include "fw/base/CFileException.h"

#include <cerrno>

int CFileException::CauseFromErrno(int nErrno) {
    switch (nErrno) {
        case ENOENT:
            return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
            return badPath;
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return accessDenied;
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return diskFull;
        case EIO:
            return hardIO;
        default:
            return genericException;
    }
}
