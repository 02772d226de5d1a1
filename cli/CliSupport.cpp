#include "cli/CliSupport.h"

#include "fw/base/AfxHooks.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"

namespace {

std::vector<CString>* g_pMessages = nullptr;

int CollectMessage(const CString& strText, UINT) {
    if (g_pMessages) g_pMessages->push_back(strText);
    return AFX_IDOK;
}

}  // namespace

std::string ToUtf8(const CString& str) {
    std::string out;
    if (!platform::CodePageToUtf8(str.str(), codepage::Active(), out)) return str.str();
    return out;
}

bool LoadDocument(COrdelinkDoc& doc, const std::string& strPath, std::ostream& err) {
    std::vector<CString> messages;
    g_pMessages = &messages;
    AfxMessageBoxHandler old = AfxSetMessageBoxHandler(CollectMessage);
    const BOOL bOk = doc.OnOpenDocument(strPath.c_str());
    AfxSetMessageBoxHandler(old);
    g_pMessages = nullptr;
    if (bOk) {
        doc.SetPathName(strPath.c_str());
        return true;
    }
    for (const CString& m : messages) err << ToUtf8(m) << "\n";
    return false;
}
