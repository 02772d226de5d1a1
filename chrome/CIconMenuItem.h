// One entry of an icon menu: the text as shown (accelerator after a tab),
// its icon and the flags it was added with. Owned by the CIconMenu that
// added it; the menu carries a pointer to it as the entry's item data.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "fw/base/CString.h"

struct CIconMenuItem {
    static constexpr int kTextSize = 80;  // UTF-16 code units, terminator included

    wchar_t text[kTextSize] = {};
    int imageIndex = -1;     // index in images; -1: no icon
    int iconId = -1;         // bitmap resource of the icon; -1: none
    UINT flags = 0;          // as added (MF_OWNERDRAW, MF_SEPARATOR, MF_POPUP ...)
    UINT_PTR commandId = 0;  // command ID, or the submenu's handle
    int reserved = 0;
    HIMAGELIST images = nullptr;  // the entry's own masked list, or none

    ~CIconMenuItem() {
        if (images) ImageList_Destroy(images);
    }

    // A longer text is cut at the last whole character that fits.
    void SetText(const wchar_t* psz) {
        int n = 0;
        while (psz[n] && n < kTextSize - 1) ++n;
        if (psz[n] && n > 0 && IS_HIGH_SURROGATE(psz[n - 1])) --n;
        for (int i = 0; i < n; ++i) text[i] = psz[i];
        text[n] = 0;
    }
    void SetText(const char* psz) {
        const int n = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
        std::wstring w(n > 0 ? static_cast<size_t>(n) : 1u, L'\0');
        if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, psz, -1, &w[0], n);
        SetText(w.c_str());
    }
    CString GetText() const {
        char buf[kTextSize * 3 + 1] = {};  // up to 3 bytes a UTF-16 unit in UTF-8
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, buf, sizeof(buf) - 1, nullptr, nullptr);
        return CString(buf);
    }
};
