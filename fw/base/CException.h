// Exceptions the file and archive layers throw. They are thrown by value and
// caught by reference; the document reports them to the user.
#pragma once

class CException {
public:
    virtual ~CException() = default;
};

class CMemoryException : public CException {};
