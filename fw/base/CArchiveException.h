#pragma once

#include "fw/base/CException.h"

class CArchiveException : public CException {
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    explicit CArchiveException(int cause = none) : m_cause(cause) {}

    int m_cause;
};
