#pragma once

#include "fw/base/CException.h"
#include "fw/base/CString.h"

class CFileException : public CException {
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = none, long lOsError = -1, const CString& strFileName = CString())
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(strFileName) {}

    // The cause for a C library errno value.
    static int CauseFromErrno(int nErrno);

    int m_cause;
    long m_lOsError;
    CString m_strFileName;
};
