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

// Whether the code page keeps the 128 ASCII characters as they are, as the
// ANSI code pages do; asked once per code page.
bool KeepsAscii(int nCodePage) {
    static int nKnown = 0;
    static bool bKeeps = false;
    if (nCodePage != nKnown) {
        std::string ascii, out;
        for (int c = 1; c < 0x80; ++c) ascii += static_cast<char>(c);
        bKeeps = platform::CodePageToUtf8(ascii, nCodePage, out) && out == ascii;
        nKnown = nCodePage;
    }
    return bKeeps;
}

bool IsAscii(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::string ToUtf8(const CString& str) {
    // Most of a document's text is ASCII: no conversion needed.
    if (IsAscii(str.str()) && KeepsAscii(codepage::Active())) return str.str();
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
