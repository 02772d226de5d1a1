// Undo and redo of the changes to a document's item table.
//
// Every change is recorded as a step of exact, invertible operations on the
// table: records inserted at table positions, records removed from them (kept
// whole: title, URL, memo, kind, ID and parent), and one record's fields set
// (kept as far as they change: a move keeps two parent IDs, not the memo).
// Undoing a step puts back the very table it found, so the document saves to
// the same bytes as before the change; redo applies the step again. Before an
// operation is applied the table is checked against what the step expects;
// when a change was made without the history, the step is not applied and the
// history is cleared.
//
// The depth has no limit: a step costs about the size of the records it
// touches (deleting 100,000 records keeps those records, some 20 MB).
//
// The caller changes the document through the history (deletions, parents,
// titles and URLs, memos) or tells it what it appended. A change made of
// several (an import: its folder and all its records) is put between Begin
// and End, or inside a Group.
#pragma once

#include <memory>
#include <vector>

#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

enum class ChangeKind { Add, Delete, Move, Update, Memo, Import, GetURL, Other };

// What an undo or redo changed, for the views to follow.
struct CChangeEffect {
    // False when there was nothing to do or the table did not match the step
    // (the history is then cleared and the document left as it was).
    bool bDone = false;
    ChangeKind kind = ChangeKind::Other;
    // Records were inserted, removed or given another parent: the tree's
    // shape changed (rebuilding it is the simple answer).
    bool bStructure = false;
    // Folders whose children changed: inserted, removed, moved in or out,
    // renamed (their order may change). Ascending, 0 for the ROOT.
    std::vector<int> parentIDs;
    // Records whose fields changed in place (title, URL, memo or parent):
    // relabel their nodes; the form and memo panes show the selected one.
    std::vector<int> recordIDs;
    // The record to select now (0: the ROOT): after undoing an add the folder
    // it went into, after undoing a delete the deleted record, after redoing
    // them the new record and the folder; otherwise the record changed.
    int nSelectID = 0;
};

class CChangeHistory {
public:
    explicit CChangeHistory(COrdelinkDoc& doc);
    ~CChangeHistory();
    CChangeHistory(const CChangeHistory&) = delete;
    CChangeHistory& operator=(const CChangeHistory&) = delete;

    // ---- Grouping. Changes recorded between Begin and End form one step of
    // this kind; nested pairs join the outermost. Begin notes the document's
    // empty flag, so put adds that set it inside a group. An empty group
    // leaves no step.
    void Begin(ChangeKind kind);
    void End();
    class Group {
    public:
        Group(CChangeHistory& history, ChangeKind kind) : m_history(history) {
            m_history.Begin(kind);
        }
        ~Group() { m_history.End(); }
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

    private:
        CChangeHistory& m_history;
    };

    // ---- Recording. Outside a group each call is a step of its own.
    // The records from nFirstIndex to the end of the table were just appended
    // and filled (AddNewItem, an import). Call it once they hold their values.
    void Appended(int nFirstIndex, ChangeKind kind = ChangeKind::Add);
    // Deletes, for each ID, the first remaining record with it
    // (COrdelinkDoc::DeleteItemsByID); ids[0] is the record the user deleted.
    void DeleteRecords(const std::vector<int>& ids);
    // Deletes every record (COrdelinkDoc::DeleteAllItems).
    void DeleteAll();
    // Set fields of the record at nIndex; a step keeps only the fields that
    // change. Nothing is recorded when nothing changes: the result tells
    // whether the record changed.
    bool SetParent(int nIndex, int nParentID);
    bool SetTitleURL(int nIndex, const CString& strTitle, const CString& strURL);
    // Memo edits of one record made one after the other join one step, until
    // anything else is recorded or done (undo, redo, save, EndTyping).
    void SetMemo(int nIndex, const CString& strMemo);
    void EndTyping();

    // ---- Undo and redo. Both restore the empty flag the step found, set the
    // current index to the selected record and the modified flag to whether
    // the document differs from its saved state.
    bool CanUndo() const;
    bool CanRedo() const;
    ChangeKind UndoKind() const;
    ChangeKind RedoKind() const;
    CChangeEffect Undo();
    CChangeEffect Redo();
    size_t GetUndoCount() const;
    size_t GetRedoCount() const;

    // ---- Document events.
    // New or Open: no history; the document as it is counts as saved.
    void Clear();
    // The document was saved as it is now.
    void MarkSaved();
    // Whether the document is as it was saved (or opened).
    bool IsAtSavedPoint() const;

private:
    struct Image;
    struct Op;
    struct Step;
    Step& OpenStep(ChangeKind kind, int bEmptyBefore);
    void AddOp(Op&& op, int nUndoSelect, int nRedoSelect);
    void CloseStep();
    // Sets the integers of after and its texts named in nTexts.
    bool SetFields(int nIndex, const Image& after, unsigned nTexts, ChangeKind kind);
    CChangeEffect Apply(bool bUndo);
    // Applies one operation forward or backward when the table holds what it
    // expects; false (and nothing changed) otherwise.
    static bool ApplyOp(CItemTable& table, const Op& op, bool bForward, CChangeEffect& effect);
    static bool InsertRecords(CItemTable& table, const std::vector<std::pair<int, Image>>& records);
    static bool RemoveRecords(CItemTable& table, const std::vector<std::pair<int, Image>>& records);

    COrdelinkDoc& m_doc;
    std::vector<std::unique_ptr<Step>> m_undo;
    std::vector<std::unique_ptr<Step>> m_redo;
    std::unique_ptr<Step> m_pOpen;  // the step being recorded
    int m_nGroupDepth = 0;
    ChangeKind m_groupKind = ChangeKind::Other;
    int m_bGroupEmptyBefore = 1;
    // Undo depth at which the document is as saved; -1 when no longer reachable.
    long m_nSavedDepth = 0;
    // The last step is a memo step that the next edit of its record extends.
    bool m_bTyping = false;
};
