#include "store/CChangeHistory.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>

// A record's six fields, or some of them: the three integers always, the
// texts named by a mask (the others are left empty and not used).
struct CChangeHistory::Image {
    enum : unsigned { kTitle = 1, kURL = 2, kMemo = 4, kAllTexts = 7 };
    CString title, url, memo;
    int nIsURL = 1;
    int nID = 1;
    int nParentID = 0;

    static Image Of(const CUrlItem& item, unsigned nTexts = kAllTexts) {
        Image im;
        if (nTexts & kTitle) im.title = item.m_Title;
        if (nTexts & kURL) im.url = item.m_URL;
        if (nTexts & kMemo) im.memo = item.m_Memo;
        im.nIsURL = item.m_IsURL;
        im.nID = item.m_ID;
        im.nParentID = item.m_ParentID;
        return im;
    }
    void Put(CUrlItem& item, unsigned nTexts = kAllTexts) const {
        if (nTexts & kTitle) item.m_Title = title;
        if (nTexts & kURL) item.m_URL = url;
        if (nTexts & kMemo) item.m_Memo = memo;
        item.m_IsURL = nIsURL;
        item.m_ID = nID;
        item.m_ParentID = nParentID;
    }
    bool Matches(const CUrlItem& item, unsigned nTexts = kAllTexts) const {
        return item.m_ID == nID && item.m_ParentID == nParentID && item.m_IsURL == nIsURL &&
               (!(nTexts & kTitle) || item.m_Title.str() == title.str()) &&
               (!(nTexts & kURL) || item.m_URL.str() == url.str()) &&
               (!(nTexts & kMemo) || item.m_Memo.str() == memo.str());
    }
    // The texts of nTexts in which the record differs from this image.
    unsigned TextsDifferingFrom(const CUrlItem& item, unsigned nTexts) const {
        unsigned nDiffer = 0;
        if ((nTexts & kTitle) && item.m_Title.str() != title.str()) nDiffer |= kTitle;
        if ((nTexts & kURL) && item.m_URL.str() != url.str()) nDiffer |= kURL;
        if ((nTexts & kMemo) && item.m_Memo.str() != memo.str()) nDiffer |= kMemo;
        return nDiffer;
    }
};

// Insert puts the records at their indexes (ascending, each counted in the
// table with all of them in); Remove takes the records at those indexes out.
// The one is the other's inverse. Set changes the record at nIndex: its
// integers, and only the texts named in nTexts (a move or a rename keeps no
// copy of the memo).
struct CChangeHistory::Op {
    enum Type { Insert, Remove, Set } type = Set;
    std::vector<std::pair<int, Image>> records;
    int nIndex = -1;
    unsigned nTexts = 0;
    Image before, after;
};

struct CChangeHistory::Step {
    ChangeKind kind = ChangeKind::Other;
    std::vector<Op> ops;
    int bEmptyBefore = 1;
    int bEmptyAfter = 0;
    int nUndoSelect = 0;
    int nRedoSelect = 0;
};

namespace {

void AddUnique(std::vector<int>& list, int n) {
    if (std::find(list.begin(), list.end(), n) == list.end()) list.push_back(n);
}

}  // namespace

CChangeHistory::CChangeHistory(COrdelinkDoc& doc) : m_doc(doc) {}

CChangeHistory::~CChangeHistory() = default;

// ---------------------------------------------------------------- recording

void CChangeHistory::Begin(ChangeKind kind) {
    if (m_nGroupDepth++ > 0) return;
    m_groupKind = kind;
    m_bGroupEmptyBefore = m_doc.m_bEmpty;
}

void CChangeHistory::End() {
    if (m_nGroupDepth == 0) return;
    if (--m_nGroupDepth == 0) CloseStep();
}

CChangeHistory::Step& CChangeHistory::OpenStep(ChangeKind kind, int bEmptyBefore) {
    if (!m_pOpen) {
        m_bTyping = false;
        m_pOpen = std::make_unique<Step>();
        m_pOpen->kind = m_nGroupDepth > 0 ? m_groupKind : kind;
        m_pOpen->bEmptyBefore = m_nGroupDepth > 0 ? m_bGroupEmptyBefore : bEmptyBefore;
        // The table is about to change: the steps undone so far no longer fit it.
        m_redo.clear();
        if (m_nSavedDepth > static_cast<long>(m_undo.size())) m_nSavedDepth = -1;
    }
    return *m_pOpen;
}

// The first operation of a step chooses what undo and redo select.
void CChangeHistory::AddOp(Op&& op, int nUndoSelect, int nRedoSelect) {
    Step& step = *m_pOpen;
    if (step.ops.empty()) {
        step.nUndoSelect = nUndoSelect;
        step.nRedoSelect = nRedoSelect;
    }
    step.ops.push_back(std::move(op));
}

void CChangeHistory::CloseStep() {
    if (m_nGroupDepth > 0 || !m_pOpen) return;
    if (!m_pOpen->ops.empty()) m_undo.push_back(std::move(m_pOpen));
    m_pOpen.reset();
}

void CChangeHistory::Appended(int nFirstIndex, ChangeKind kind) {
    CItemTable& table = m_doc.m_PtrAry;
    nFirstIndex = std::max(nFirstIndex, 0);
    if (nFirstIndex >= table.GetSize()) return;
    OpenStep(kind, nFirstIndex == 0 ? 1 : 0);
    Op op;
    op.type = Op::Insert;
    op.records.reserve(table.GetSize() - nFirstIndex);
    for (int i = nFirstIndex; i < table.GetSize(); ++i)
        op.records.emplace_back(i, Image::Of(*table[i]));
    const Image& first = op.records.front().second;
    AddOp(std::move(op), first.nParentID, first.nID);
    CloseStep();
}

void CChangeHistory::DeleteRecords(const std::vector<int>& ids) {
    CItemTable& table = m_doc.m_PtrAry;
    // The records DeleteItemsByID takes: for an ID listed k times, the first k
    // records with it.
    std::unordered_map<int, int> wanted;
    for (int nID : ids) ++wanted[nID];
    Op op;
    op.type = Op::Remove;
    for (int i = 0; i < table.GetSize() && op.records.size() < ids.size(); ++i) {
        auto it = wanted.find(table[i]->m_ID);
        if (it != wanted.end() && it->second > 0) {
            --it->second;
            op.records.emplace_back(i, Image::Of(*table[i]));
        }
    }
    if (op.records.empty()) return;
    const CUrlItem* pTop = table.FindID(ids.front());
    const int nTopID = pTop ? static_cast<int>(pTop->m_ID) : op.records.front().second.nID;
    const int nTopParent = pTop ? pTop->m_ParentID : op.records.front().second.nParentID;
    OpenStep(ChangeKind::Delete, m_doc.m_bEmpty);
    AddOp(std::move(op), nTopID, nTopParent);
    m_doc.DeleteItemsByID(ids);
    CloseStep();
}

void CChangeHistory::DeleteAll() {
    CItemTable& table = m_doc.m_PtrAry;
    if (table.GetSize() == 0) {
        m_doc.DeleteAllItems();
        return;
    }
    OpenStep(ChangeKind::Delete, m_doc.m_bEmpty);
    Op op;
    op.type = Op::Remove;
    op.records.reserve(table.GetSize());
    for (int i = 0; i < table.GetSize(); ++i) op.records.emplace_back(i, Image::Of(*table[i]));
    AddOp(std::move(op), 0, 0);
    m_doc.DeleteAllItems();
    CloseStep();
}

bool CChangeHistory::SetFields(int nIndex, const Image& after, unsigned nTexts, ChangeKind kind) {
    CItemTable& table = m_doc.m_PtrAry;
    if (nIndex < 0 || nIndex >= table.GetSize()) return false;
    CUrlItem& item = *table[nIndex];
    nTexts = after.TextsDifferingFrom(item, nTexts);
    if (nTexts == 0 && after.Matches(item, 0)) return false;
    OpenStep(kind, m_doc.m_bEmpty);
    Op op;
    op.type = Op::Set;
    op.nIndex = nIndex;
    op.nTexts = nTexts;
    op.before = Image::Of(item, nTexts);
    op.after = after;
    // Texts that did not change are not kept.
    if (!(nTexts & Image::kTitle)) op.after.title.Empty();
    if (!(nTexts & Image::kURL)) op.after.url.Empty();
    if (!(nTexts & Image::kMemo)) op.after.memo.Empty();
    op.after.Put(item, nTexts);
    AddOp(std::move(op), after.nID, after.nID);
    CloseStep();
    return true;
}

bool CChangeHistory::SetParent(int nIndex, int nParentID) {
    if (nIndex < 0 || nIndex >= m_doc.m_PtrAry.GetSize()) return false;
    Image after = Image::Of(*m_doc.m_PtrAry[nIndex], 0);
    after.nParentID = nParentID;
    return SetFields(nIndex, after, 0, ChangeKind::Move);
}

bool CChangeHistory::SetTitleURL(int nIndex, const CString& strTitle, const CString& strURL) {
    if (nIndex < 0 || nIndex >= m_doc.m_PtrAry.GetSize()) return false;
    Image after = Image::Of(*m_doc.m_PtrAry[nIndex], 0);
    after.title = strTitle;
    after.url = strURL;
    return SetFields(nIndex, after, Image::kTitle | Image::kURL, ChangeKind::Update);
}

void CChangeHistory::SetMemo(int nIndex, const CString& strMemo) {
    CItemTable& table = m_doc.m_PtrAry;
    if (nIndex < 0 || nIndex >= table.GetSize()) return;
    CUrlItem& item = *table[nIndex];
    if (item.m_Memo.str() == strMemo.str()) return;
    Step* pLast = m_undo.empty() ? nullptr : m_undo.back().get();
    if (m_bTyping && !m_pOpen && pLast && pLast->ops.size() == 1 && pLast->ops[0].type == Op::Set &&
        pLast->ops[0].nIndex == nIndex && pLast->ops[0].nTexts == Image::kMemo &&
        pLast->ops[0].after.Matches(item, Image::kMemo)) {
        item.m_Memo = strMemo;
        pLast->ops[0].after.memo = strMemo;
        return;
    }
    Image after = Image::Of(item, 0);
    after.memo = strMemo;
    const bool bAlone = m_nGroupDepth == 0;
    SetFields(nIndex, after, Image::kMemo, ChangeKind::Memo);
    m_bTyping = bAlone;
}

void CChangeHistory::EndTyping() {
    m_bTyping = false;
}

// ---------------------------------------------------------------- applying

bool CChangeHistory::InsertRecords(CItemTable& table,
                                   const std::vector<std::pair<int, Image>>& records) {
    const int nSize = table.GetSize();
    int nPrev = -1;
    for (size_t k = 0; k < records.size(); ++k) {
        const int nIndex = records[k].first;
        if (nIndex <= nPrev || nIndex > nSize + static_cast<int>(k)) return false;
        nPrev = nIndex;
    }
    std::vector<std::pair<int, CUrlItem*>> items;
    items.reserve(records.size());
    for (const auto& [nIndex, image] : records) {
        auto* pItem = new CUrlItem;
        image.Put(*pItem);
        items.emplace_back(nIndex, pItem);
    }
    table.InsertFilled(items);
    return true;
}

bool CChangeHistory::RemoveRecords(CItemTable& table,
                                   const std::vector<std::pair<int, Image>>& records) {
    bool bFirstOfID = true;
    for (const auto& [nIndex, image] : records) {
        if (nIndex < 0 || nIndex >= table.GetSize() || !image.Matches(*table[nIndex])) return false;
        bFirstOfID = bFirstOfID && table.IndexOfID(image.nID) == nIndex;
    }
    if (static_cast<int>(records.size()) == table.GetSize()) {
        table.RemoveAll();
    } else if (bFirstOfID) {
        std::vector<int> ids;
        ids.reserve(records.size());
        for (const auto& record : records) ids.push_back(record.second.nID);
        table.RemoveIDs(ids);
    } else {
        // Repeated IDs (a damaged file): by position, from the end.
        for (auto it = records.rbegin(); it != records.rend(); ++it) table.RemoveAt(it->first);
    }
    return true;
}

bool CChangeHistory::ApplyOp(CItemTable& table, const Op& op, bool bForward,
                             CChangeEffect& effect) {
    if (op.type == Op::Set) {
        const Image& from = bForward ? op.before : op.after;
        const Image& to = bForward ? op.after : op.before;
        if (op.nIndex < 0 || op.nIndex >= table.GetSize() ||
            !from.Matches(*table[op.nIndex], op.nTexts))
            return false;
        to.Put(*table[op.nIndex], op.nTexts);
        AddUnique(effect.recordIDs, to.nID);
        if (from.nParentID != to.nParentID) {
            effect.bStructure = true;
            AddUnique(effect.parentIDs, from.nParentID);
        }
        if (from.nParentID != to.nParentID || (op.nTexts & Image::kTitle))
            AddUnique(effect.parentIDs, to.nParentID);
        return true;
    }
    const bool bInsert = (op.type == Op::Insert) == bForward;
    if (!(bInsert ? InsertRecords(table, op.records) : RemoveRecords(table, op.records)))
        return false;
    effect.bStructure = true;
    std::set<int> parents;
    for (const auto& record : op.records) parents.insert(record.second.nParentID);
    for (int nParentID : parents) AddUnique(effect.parentIDs, nParentID);
    return true;
}

CChangeEffect CChangeHistory::Apply(bool bUndo) {
    CChangeEffect effect;
    m_bTyping = false;
    auto& from = bUndo ? m_undo : m_redo;
    auto& to = bUndo ? m_redo : m_undo;
    if (from.empty() || m_pOpen || m_nGroupDepth > 0) return effect;
    Step& step = *from.back();
    CItemTable& table = m_doc.m_PtrAry;
    const size_t nOps = step.ops.size();
    size_t nApplied = 0;
    for (; nApplied < nOps; ++nApplied) {
        const Op& op = bUndo ? step.ops[nOps - 1 - nApplied] : step.ops[nApplied];
        if (!ApplyOp(table, op, !bUndo, effect)) break;
    }
    if (nApplied < nOps) {
        // Changed behind the history's back: put back what was applied, give up.
        CChangeEffect ignored;
        while (nApplied-- > 0) {
            const Op& op = bUndo ? step.ops[nOps - 1 - nApplied] : step.ops[nApplied];
            ApplyOp(table, op, bUndo, ignored);
        }
        Clear();
        m_nSavedDepth = -1;
        m_doc.SetModifiedFlag(TRUE);
        return CChangeEffect();
    }
    if (bUndo) step.bEmptyAfter = m_doc.m_bEmpty;
    m_doc.m_bEmpty = bUndo ? step.bEmptyBefore : step.bEmptyAfter;
    if (table.GetSize() == 0) m_doc.m_bEmpty = 1;
    effect.bDone = true;
    effect.kind = step.kind;
    effect.nSelectID = bUndo ? step.nUndoSelect : step.nRedoSelect;
    if (effect.nSelectID != 0 && table.IndexOfID(effect.nSelectID) < 0) effect.nSelectID = 0;
    m_doc.SetCurIndex(effect.nSelectID == 0 ? -1 : table.IndexOfID(effect.nSelectID));
    std::sort(effect.parentIDs.begin(), effect.parentIDs.end());
    to.push_back(std::move(from.back()));
    from.pop_back();
    m_doc.SetModifiedFlag(IsAtSavedPoint() ? FALSE : TRUE);
    return effect;
}

CChangeEffect CChangeHistory::Undo() {
    return Apply(true);
}

CChangeEffect CChangeHistory::Redo() {
    return Apply(false);
}

bool CChangeHistory::CanUndo() const {
    return !m_undo.empty() && !m_pOpen && m_nGroupDepth == 0;
}

bool CChangeHistory::CanRedo() const {
    return !m_redo.empty() && !m_pOpen && m_nGroupDepth == 0;
}

ChangeKind CChangeHistory::UndoKind() const {
    return m_undo.empty() ? ChangeKind::Other : m_undo.back()->kind;
}

ChangeKind CChangeHistory::RedoKind() const {
    return m_redo.empty() ? ChangeKind::Other : m_redo.back()->kind;
}

size_t CChangeHistory::GetUndoCount() const {
    return m_undo.size();
}

size_t CChangeHistory::GetRedoCount() const {
    return m_redo.size();
}

// ---------------------------------------------------------------- document events

void CChangeHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
    m_pOpen.reset();
    m_nGroupDepth = 0;
    m_nSavedDepth = 0;
    m_bTyping = false;
}

void CChangeHistory::MarkSaved() {
    m_bTyping = false;
    m_nSavedDepth = static_cast<long>(m_undo.size());
}

bool CChangeHistory::IsAtSavedPoint() const {
    return m_nSavedDepth == static_cast<long>(m_undo.size()) && !m_pOpen;
}
