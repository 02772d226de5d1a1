// Any bytes as a bookmark file: the single-pass import stays within the
// record limit, stops only there, and, where the plain level reader is cheap
// enough to run, creates exactly the records it does.
#include <cstdint>
#include <string>

#include "tests/native/BookmarkReference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CBookmarkFile file;
    file.SetText(std::string(reinterpret_cast<const char*>(data), size));
    COrdelinkDoc fast;
    const int nResult = ImportBookmarkLevel(fast, file, nullptr, 0, 1);
    const int64_t nLimit = BookmarkRecordLimit(file);
    const int64_t nMade = fast.m_PtrAry.GetSize();
    // Only the record limit stops an import.
    if (nMade > nLimit || (nResult == 0 && nMade != nLimit)) __builtin_trap();
    // The plain reader passes over every line once per folder it enters:
    // compared where that stays cheap.
    if (file.GetLineCount() <= 64 && nMade <= 256) {
        COrdelinkDoc plain;
        int64_t nBudget = nLimit;
        if (ReferenceImport(plain, file, 0, 1, nBudget) != nResult) __builtin_trap();
        if (RecordLines(plain) != RecordLines(fast)) __builtin_trap();
    }
    return 0;
}
