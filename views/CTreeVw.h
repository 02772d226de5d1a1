// The left pane: the tree of folders and URL items under one ROOT node, the
// holder of the program's settings record, and the target of the bookmark
// commands. Every node carries its record's m_ID as item data (0 for the
// ROOT); siblings stand in one label order (LabelOrder.h) of the titles they
// were placed by (CPlacedTitles.h), equal labels in table order.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "browser/BrowserDde_win.h"
#include "find/CFindIndex.h"
#include "find/CPlacedTitles.h"
#include "fw/win/CTreeView.h"

class CLinkCheckCommands;
class CBookmarkFile;
class CBrowserBookmarkFile;
class COrdelinkDoc;
class CStatusProgress;
class CTreeDropTarget;
class CUrlItem;
struct CChangeEffect;

class CTreeVw : public CTreeView {
    DECLARE_DYNCREATE(CTreeVw)

public:
    CTreeVw() = default;
    ~CTreeVw() override;

    COrdelinkDoc* GetDocument() const;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // TRUE: reads the settings (detecting the browser); FALSE: writes them.
    void LoadSaveSettings(BOOL bLoad);
    // Tree styles and the toolbar look (32802 flat / 32803 normal).
    void ApplyViewSettings();

    // Replaces every node with a tree built from the item table, all folders
    // expanded (but those whose IDs are in collapsed) and the ROOT selected.
    void BuildTree();
    void BuildTree(const std::unordered_set<int>& collapsed);
    // The node whose item data is nID: a pre-order search of hStart, its
    // descendants and the nodes after it; nullptr when none.
    HTREEITEM FindNode(HTREEITEM hStart, int nID) const;
    // One registry string: "ERR" when the key cannot be opened, "NO" when the
    // value cannot be read.
    static CString ReadRegString(HKEY hKey, const char* pszSubKey, const char* pszValueName);

    // Creates a record with its node for a command and selects it (see the
    // .cpp for the parent rule). The caller sets the modified flag.
    void InsertNewItem(BOOL bFolder, BOOL bForceRoot, BOOL bBookmarkTitle);

    // Opening URLs: a new browser process with the target as its one
    // argument, or the shell's handler for the URL.
    void LaunchBrowser(const CString& strTarget);
    void ShellOpenURL(const CString& strURL);

    // Capturing the page a running browser shows: the conversation with the
    // service the browser flag names (ended when the view goes).
    BOOL ConnectBrowserDde();
    CString RequestWindowInfo();
    void DisconnectBrowserDde();

    // Places the text on the clipboard as CF_TEXT; FALSE when it could not.
    BOOL CopyTextToClipboard(const CString& strText);

    // Sorts one folder's children by label, once, after nodes were added
    // in bulk without sorted insertion.
    void SortChildrenOf(HTREEITEM hFolder);

    // The context menu 107 with the entries the current state removes; the
    // caller destroys it (the popup is its first submenu).
    HMENU LoadContextMenu() const;

    // Find (views/FindCommands.cpp). FindFirst searches titles, URLs and
    // memos for the text and selects the first match in tree order;
    // FindStep moves to the next or previous match of the same text,
    // wrapping around. Both return the status-bar text: "n / m", the not
    // found message, or empty for an empty text. No match leaves the
    // selection as it is.
    CString FindFirst(const CString& strQuery);
    CString FindStep(BOOL bForward);
    // Folds every record and takes the order, so that the first keystroke
    // is as quick as the others (the find bar calls it when it opens).
    void PrepareFind();
    const CString& GetFindQuery() const { return m_strFindQuery; }
    // The IDs of the records the tree shows, from the top, ROOT left out:
    // the document's tree in the tree's sibling order (LabelOrder.h), kept
    // until the control's nodes change.
    const std::vector<int>& NodeOrder();
    // The node showing the record with nID (0: the ROOT), or nullptr; kept
    // as nodes are inserted and deleted, so no walk of the control is needed
    // (Wine's tree control checks every item handle against all its items).
    HTREEITEM NodeOfID(int nID) const;
    // While the find field has the focus, the selected node is drawn as if
    // the tree had it, so that the match stands out.
    void SetFindHighlight(BOOL bOn);

    // Undo and redo of the last document change (views/UndoCommands.cpp):
    // the tree follows the change, sorted and with the folders expanded or
    // collapsed as they were, and the changed record selected.
    BOOL UndoRedo(BOOL bUndo);

    // Tree-control helpers
    HTREEITEM GetSelectedItem() const;
    int GetItemID(HTREEITEM hItem) const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SelectItem(HTREEITEM hItem);

    HTREEITEM m_hRootNode = nullptr;
    HTREEITEM m_hImportNode = nullptr;
    CString m_FavoritesPath;

    // The settings record
    CString m_BrowserName;
    int m_bBrowserIsIE = 1;
    int m_BrowserAny = 0;
    int m_AppAny = 1;
    int m_TitleEmpty = 0;
    int m_ToolBarType = 1;
    int m_HtmlDirTemp = 1;
    int m_LinkTarget = 1;
    CString m_Build;

    // Links from other programs (views/LinkCommands.cpp). AddLinkFromData
    // adds a URL record with this address, titled from strTitle as
    // LinkItemTitle (convert/LinkTitle.h) says, under the folder
    // hFolder (the ROOT when null) by Add URL's insertion, selects it and
    // returns its node; null when refused (hFolder is a URL item). The
    // caller need not set the modified flag.
    HTREEITEM AddLinkFromData(HTREEITEM hFolder, const CString& strTitle, const CString& strURL);
    // A link dragged in is refused over no node and over a URL item, as the
    // tree's own drags are.
    BOOL IsLinkDropRefused(HTREEITEM hTarget) const;
    // The OLE drop target, registered while the window exists.
    CTreeDropTarget* m_pDropTarget = nullptr;

    // Drag state: from TVN_BEGINDRAG to the left button's release.
    int m_bDragging = 0;
    HTREEITEM m_hDragNode = nullptr;
    HTREEITEM m_hDropNode = nullptr;
    HIMAGELIST m_pDragImage = nullptr;

    // The DDE conversation of GetURL.
    CBrowserDde m_BrowserDde;

    // The link check's commands (views/CLinkCheckCommands.h), set by the
    // frame: their marks are drawn on the records a check found broken or
    // failed, and they forget the document when another comes.
    CLinkCheckCommands* m_pLinkCheck = nullptr;

protected:
    void OnAddURL();
    void OnAddFolder();
    void OnDelete();
    void OnExecute();
    void OnGetURL();
    void OnCreateLinkHtml();
    void OnSetClipboardLink();
    void OnItemChanged();
    void OnSettings();
    void OnUpdateTreeCommand(CCmdUI* pCmdUI);
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    void OnContextMenu(CWnd* pWnd, POINT point);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    // Undo and redo (views/UndoCommands.cpp)
    void OnEditUndo();
    void OnEditRedo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);
    // Import and export (views/ImportCommands.cpp)
    void OnImportFavorites();
    void OnExportFavorites();
    void OnReadBookmark();
    // Import from Browser (views/BrowserImportCommands.cpp)
    void OnImportBrowser();
    // Bookmark file export, pasted and dropped links (views/LinkCommands.cpp)
    void RegisterLinkDrop();
    void OnDestroy();
    void OnExportBookmarkFile();
    void OnPasteLink();
    void OnUpdatePasteLink(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    static HIMAGELIST BuildImageList();
    HTREEITEM InsertNode(const CString& strText, int nImage, int nID, HTREEITEM hParent,
                         HTREEITEM hInsertAfter);
    // Inserts at the node's place in the sibling order (see LabelOrder.h).
    HTREEITEM InsertSorted(const CString& strText, int nImage, int nID, HTREEITEM hParent);
    HTREEITEM SortedPlace(HTREEITEM hParent, const CString& strText, int nID) const;
    int TableRank(int nID) const;
    void ShowContextMenu(POINT ptScreen);
    // The popup at the tree's client corner, for the keyboard.
    void ShowContextMenuAtCorner();
    void EndDrag();
    void CancelDrag();
    BOOL IsDropRefused() const;
    void MoveSubtree(HTREEITEM hSrc, HTREEITEM hNewParent);
    void SendToFrame(UINT nID) const;
    CString MakeTimeStampTitle(BOOL bBookmarkTitle) const;
    // The bookmark file steps shared by 32776 and 32783: from the dated
    // folder to the beep.
    void ImportBookmarkFile(const CString& strPath, BOOL bBookmarkTitle);
    // A browser's bookmarks file or a bookmark HTML file into a new folder
    // under the ROOT titled "<strSource> (date)"; the folder of one of the
    // two files read.
    void ImportBrowserFile(const std::string& strPath, const CString& strSource);
    void ImportIntoNewFolder(const CString& strTitle, const CBrowserBookmarkFile* pJson,
                             CBookmarkFile* pHtml);
    void AddImportedNodes(int nFolderIndex, CStatusProgress& progress);
    // Selects the node of nID (0: the ROOT) and scrolls it into view; the
    // document and the panes follow.
    BOOL SelectID(int nID);
    void FollowChange(const CChangeEffect& effect);
    // Gives the node of nID the label strTitle where it stands.
    void RelabelNode(HTREEITEM hNode, int nID, const CString& strTitle);
    // BuildTree, then the folders collapsed before are collapsed again.
    void RebuildKeepingExpansion();
    CString FindStatus(int nMatch) const;

    // Find state: the index of folded record texts, the node order it
    // searches in, the text and its matches.
    CFindIndex m_FindIndex;
    std::vector<int> m_NodeOrder;
    bool m_bNodeOrderValid = false;
    BOOL m_bFindHighlight = FALSE;
    // The folders last seen collapsed, kept while their nodes are gone (a
    // delete, a rebuild), so that an undo or redo that brings them back
    // shows them collapsed again.
    std::unordered_set<int> m_Collapsed;
    // Notes for each folder among recordIDs (0: the ROOT) that has a node
    // with children whether it is collapsed.
    void RememberCollapsed(const std::vector<int>& recordIDs);
    std::unordered_map<int, HTREEITEM> m_NodeOfID;
    // What orders the nodes relabelled in place (every sibling order uses it).
    CPlacedTitles m_PlacedTitles;
    CString m_strFindQuery;
    std::vector<int> m_FindMatches;
};
