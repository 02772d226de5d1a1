#include "views/DoneMessage.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "fw/base/AfxHooks.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/HeldMessage.h"
#include "fw/win/AfxWin.h"
#include "res/resource.h"

namespace {

void ShowInStatusBar(const CString& strText) {
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
        SetHeldMessageText(pFrame, strText);
}

}  // namespace

int CountLinksUnder(const CItemTable& table, int nTopID) {
    std::unordered_map<int, std::vector<const CUrlItem*>> children;
    for (int i = 0; i < table.GetSize(); ++i)
        if (table[i]->m_ID != 0 && table.IndexOfID(table[i]->m_ID) == i)
            children[table[i]->m_ParentID].push_back(table[i]);
    int nLinks = 0;
    std::vector<int> folders{nTopID};
    std::unordered_set<int> seen{nTopID};
    while (!folders.empty()) {
        const int nFolder = folders.back();
        folders.pop_back();
        for (const CUrlItem* pItem : children[nFolder]) {
            if (!seen.insert(pItem->m_ID).second) continue;
            if (pItem->m_IsURL)
                ++nLinks;
            else
                folders.push_back(pItem->m_ID);
        }
    }
    return nLinks;
}

void ReportLinksWritten(int nCount, const CString& strWhere) {
    CString strCount;
    strCount.Format("%d", nCount);
    CString strText = AfxLoadString(IDS_DONE_LINKS_WRITTEN);
    // The count first: a path may hold "%1" itself.
    strText.Replace("%1", strCount);
    strText.Replace("%2", strWhere);
    ShowInStatusBar(strText);
}

void ReportClipboardLink(const CString& strTitle) {
    ShowInStatusBar(AfxFormatString1(AfxLoadString(IDS_DONE_CLIPBOARD_LINK), strTitle));
}
