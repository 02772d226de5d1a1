#include "views/LinkDataObject.h"

#include <shlobj.h>

#include <algorithm>

#include "browser/OpenTarget.h"
#include "fw/base/LegacyText.h"
#include "fw/win/AfxWin.h"
#include "res/resource.h"
#include "views/ViewBeep.h"

namespace {

// More than any link's data: a larger block is not read.
const SIZE_T kMaxBytes = 4 << 20;

UINT Format(const char* pszName) {
    return ::RegisterClipboardFormatA(pszName);
}

std::string FromGlobal(HGLOBAL hMem) {
    std::string bytes;
    const SIZE_T cb = std::min(::GlobalSize(hMem), kMaxBytes);
    if (const void* p = ::GlobalLock(hMem)) {
        bytes.assign(static_cast<const char*>(p), cb);
        ::GlobalUnlock(hMem);
    }
    return bytes;
}

std::string FromStream(IStream* pStream) {
    std::string bytes;
    char buf[4096];
    ULONG cb = 0;
    while (bytes.size() < kMaxBytes && SUCCEEDED(pStream->Read(buf, sizeof buf, &cb)) && cb > 0)
        bytes.append(buf, cb);
    return bytes;
}

std::string Read(IDataObject* pData, UINT cf, LONG lIndex = -1) {
    FORMATETC fe = {static_cast<CLIPFORMAT>(cf), nullptr, DVASPECT_CONTENT, lIndex,
                    TYMED_HGLOBAL | TYMED_ISTREAM};
    STGMEDIUM medium = {};
    if (cf == 0 || FAILED(pData->GetData(&fe, &medium))) return std::string();
    std::string bytes;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal)
        bytes = FromGlobal(medium.hGlobal);
    else if (medium.tymed == TYMED_ISTREAM && medium.pstm)
        bytes = FromStream(medium.pstm);
    ::ReleaseStgMedium(&medium);
    return bytes;
}

bool Has(IDataObject* pData, UINT cf) {
    FORMATETC fe = {static_cast<CLIPFORMAT>(cf), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return cf != 0 && pData->QueryGetData(&fe) == S_OK;
}

// The first file of a CF_HDROP list, when it is an Internet shortcut
// (".url"); empty otherwise. The list is the source's bytes, checked whole
// before any of it is used.
std::string DroppedShortcut(IDataObject* pData) {
    std::string path;
    if (!FirstDroppedFile(Read(pData, CF_HDROP), path)) return std::string();
    return path.size() > 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".url") == 0
               ? path
               : std::string();
}

std::string ReadSmallFile(const std::string& path) {
    std::string bytes;
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buf[4096];
    DWORD cb = 0;
    while (bytes.size() < kMaxBytes && ::ReadFile(h, buf, sizeof buf, &cb, nullptr) && cb > 0)
        bytes.append(buf, cb);
    ::CloseHandle(h);
    return bytes;
}

}  // namespace

LinkFormats ReadLinkFormats(IDataObject* pData) {
    LinkFormats f;
    if (!pData) return f;
    f.urlW = Read(pData, Format("UniformResourceLocatorW"));
    f.urlA = Read(pData, Format("UniformResourceLocator"));
    f.descriptorW = Read(pData, Format("FileGroupDescriptorW"));
    f.descriptorA = Read(pData, Format("FileGroupDescriptor"));
    if (!f.descriptorW.empty() || !f.descriptorA.empty())
        f.contents = Read(pData, Format("FileContents"), 0);
    if (f.descriptorW.empty() && f.descriptorA.empty()) {
        // A .url file dragged from a folder comes as a file list: described
        // here as a browser describes the shortcut it drags.
        const std::string path = DroppedShortcut(pData);
        if (!path.empty()) {
            // The wide form keeps every character of the name.
            FILEGROUPDESCRIPTORW fgd = {};
            fgd.cItems = 1;
            const size_t nSlash = path.find_last_of("\\/");
            const std::u16string name = legacy::ToUtf16(path.substr(nSlash + 1));
            lstrcpynW(fgd.fgd[0].cFileName, reinterpret_cast<const wchar_t*>(name.c_str()),
                      MAX_PATH);
            f.descriptorW.assign(reinterpret_cast<const char*>(&fgd), sizeof fgd);
            f.contents = ReadSmallFile(path);
        }
    }
    f.html = Read(pData, Format("HTML Format"));
    f.textW = Read(pData, CF_UNICODETEXT);
    if (f.textW.empty()) f.textA = Read(pData, CF_TEXT);
    return f;
}

HGLOBAL CopyDroppedFiles(IDataObject* pData) {
    std::string path;
    const std::string block = pData ? Read(pData, CF_HDROP) : std::string();
    if (!FirstDroppedFile(block, path)) return nullptr;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, block.size());
    void* p = hCopy ? ::GlobalLock(hCopy) : nullptr;
    if (!p) {
        if (hCopy) ::GlobalFree(hCopy);
        return nullptr;
    }
    memcpy(p, block.data(), block.size());
    ::GlobalUnlock(hCopy);
    return hCopy;
}

bool IsPlainFileDrop(IDataObject* pData) {
    std::string path;
    if (!pData || !FirstDroppedFile(Read(pData, CF_HDROP), path) || !DroppedShortcut(pData).empty())
        return false;
    for (const char* pszName : {"UniformResourceLocatorW", "UniformResourceLocator",
                                "FileGroupDescriptorW", "FileGroupDescriptor"})
        if (Has(pData, Format(pszName))) return false;
    return true;
}

void ReportNoLink(const CString& strRefused) {
    ViewMessageBeep(0);
    if (!strRefused.IsEmpty())
        AfxMessageBox(AfxFormatString1(AfxLoadString(IDP_LINK_REFUSED), ShownTarget(strRefused)),
                      AFX_MB_OK | AFX_MB_ICONEXCLAMATION);
}
