#include "convert/LinkTitle.h"

#include "browser/WindowInfoReply.h"
#include "store/ItemEdits.h"

CString LinkItemTitle(const COrdelinkDoc& doc, int nIndex, const CString& strTitle,
                      const CString& strURL) {
    CString strBase = strTitle;
    CleanTitle(strBase);
    if (strBase.IsEmpty()) {
        strBase = strURL;
        CleanTitle(strBase);
    }
    // Each candidate differs from the last, and the siblings are finite.
    CString strCandidate = strBase;
    for (int n = 1; CheckNewTitle(doc, nIndex, strCandidate) != 0; ++n)
        strCandidate.Format("%s -- %d", static_cast<const char*>(strBase), n);
    return strCandidate;
}
