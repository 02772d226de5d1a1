// Check Links and Find Duplicates in the window: the main frame hands the
// commands here. A check takes the URL records below the selected folder
// (everything from the ROOT), runs in the progress window, then lists what
// is broken, failed or moved, and has the tree mark the broken and failed
// records. The view only gives records and shows marks.
#pragma once

#include "check/CLinkMarks.h"
#include "views/CCheckProgressWnd.h"
#include "views/CLinkResultsWnd.h"

class CTreeVw;

class CLinkCheckCommands {
public:
    void Attach(CWnd* pFrame, CTreeVw* pTree);
    void CheckLinks();
    void FindDuplicates();
    BOOL CanCheck() const;
    BOOL CanFindDuplicates() const;
    void ForgetDocument();
    // The mark of a broken or failed record: a red disc with a white cross
    // over the lower right corner of the node's image, left of its label.
    static void DrawMark(HDC hdc, const RECT& rcLabel);

    CLinkMarks m_marks;
    LinkCheckOptions m_options;
    CCheckProgressWnd m_progress;
    CLinkResultsWnd m_results;

private:
    void OnCheckDone(std::vector<LinkResult>& results, bool bCancelled);

    CWnd* m_pFrame = nullptr;
    CTreeVw* m_pTree = nullptr;
    // The checked addresses in the document's own text, by position in the check.
    std::vector<CString> m_checkedURLs;
    // Counts the documents the window has had: a check's results are taken
    // only by the document it was started on.
    unsigned m_nDocument = 0;
};
