#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "store/CChangeHistory.h"
#include "store/ItemEdits.h"
#include "tests/native/TestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// The bytes the program holds on the heap now, where the heap tells (the
// sanitized and the glibc builds); 0 elsewhere.
size_t HeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
    return mallinfo2().uordblks;
#else
    return 0;
#endif
}

// The document as File > Save writes it, followed by its empty flag.
std::string Snapshot(COrdelinkDoc& doc) {
    static ScratchDir dir;
    const std::string path = dir.File("snapshot.pmk");
    {
        CFile file;
        EXPECT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store, 4096);
        doc.Serialize(ar);
        ar.Close();
        file.Close();
    }
    return ReadBytes(path) + (doc.m_bEmpty ? "|empty" : "|shown");
}

// Appends a record the way the editing code does: the next free ID.
int Append(COrdelinkDoc& doc, int nParentID, const CString& strTitle, int nIsURL = 0) {
    const int nID = doc.GetFreeID();
    AddRecord(doc, nID, nParentID, strTitle, nIsURL, nIsURL ? "http://x.test/" : "");
    return nID;
}

// ROOT
//   News (1)
//     Daily (3)       <- stored after its child
//       Paper (5)
//     Site (2) URL
//   Misc (4)
//     Memo'd (6) URL
void Fill(COrdelinkDoc& doc) {
    AddRecord(doc, 5, 3, "Paper", 1, "http://paper.test/", "m5");
    AddRecord(doc, 1, 0, "News");
    AddRecord(doc, 2, 1, "Site", 1, "http://site.test/");
    AddRecord(doc, 4, 0, "Misc", 0, "", Ansi("フォルダのメモ"));
    AddRecord(doc, 3, 1, "Daily");
    AddRecord(doc, 6, 4, "Memo'd", 1, "http://m.test/", "line 1\r\nline 2");
}

}  // namespace

TEST(ChangeHistory, EveryKindUndoesToTheSameBytesAndRedoes) {
    struct Case {
        const char* name;
        ChangeKind kind;
        std::function<void(COrdelinkDoc&, CChangeHistory&)> change;
        int nUndoSelect, nRedoSelect;
        std::vector<int> parents;  // after undo
    };
    const Case cases[] = {
        {"add one",
         ChangeKind::Add,
         [](COrdelinkDoc& d, CChangeHistory& h) {
             CChangeHistory::Group g(h, ChangeKind::Add);
             const int n = d.m_PtrAry.GetSize();
             Append(d, 4, "new");
             h.Appended(n);
         },
         4,
         7,
         {4}},
        {"delete subtree",
         ChangeKind::Delete,
         [](COrdelinkDoc& d, CChangeHistory& h) {
             h.DeleteRecords(CollectSubtreeIDs(d.m_PtrAry, 1));
         },
         1,
         0,
         {0, 1, 3}},
        {"delete leaf",
         ChangeKind::Delete,
         [](COrdelinkDoc& d, CChangeHistory& h) { h.DeleteRecords({5}); },
         5,
         3,
         {3}},
        {"delete all",
         ChangeKind::Delete,
         [](COrdelinkDoc&, CChangeHistory& h) { h.DeleteAll(); },
         0,
         0,
         {0, 1, 3, 4}},
        {"move",
         ChangeKind::Move,
         [](COrdelinkDoc& d, CChangeHistory& h) { h.SetParent(d.IndexOfID(3), 4); },
         3,
         3,
         {1, 4}},
        {"update",
         ChangeKind::Update,
         [](COrdelinkDoc& d, CChangeHistory& h) {
             h.SetTitleURL(d.IndexOfID(2), "Site 2", "http://other.test/");
         },
         2,
         2,
         {1}},
        {"memo",
         ChangeKind::Memo,
         [](COrdelinkDoc& d, CChangeHistory& h) { h.SetMemo(d.IndexOfID(6), "changed"); },
         6,
         6,
         {}},
        {"import",
         ChangeKind::Import,
         [](COrdelinkDoc& d, CChangeHistory& h) {
             CChangeHistory::Group g(h, ChangeKind::Import);
             const int n = d.m_PtrAry.GetSize();
             const int nFolder = Append(d, 0, "Bookmark (import)");
             h.Appended(n);
             const int m = d.m_PtrAry.GetSize();
             const int nSub = Append(d, nFolder, "sub");
             for (int i = 0; i < 5; ++i) Append(d, i % 2 ? nFolder : nSub, "link", 1);
             h.Appended(m);
         },
         0,
         7,
         {0, 7, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COrdelinkDoc doc;
        Fill(doc);
        CChangeHistory history(doc);
        const std::string before = Snapshot(doc);
        c.change(doc, history);
        const std::string after = Snapshot(doc);
        ASSERT_NE(after, before);
        ASSERT_EQ(history.GetUndoCount(), 1u);
        EXPECT_EQ(history.UndoKind(), c.kind);

        CChangeEffect undo = history.Undo();
        EXPECT_TRUE(undo.bDone);
        EXPECT_EQ(undo.kind, c.kind);
        EXPECT_EQ(Snapshot(doc), before);
        EXPECT_EQ(undo.nSelectID, c.nUndoSelect);
        EXPECT_EQ(doc.GetCurIndex(), c.nUndoSelect ? doc.IndexOfID(c.nUndoSelect) : -1);
        EXPECT_EQ(undo.parentIDs, c.parents);

        CChangeEffect redo = history.Redo();
        EXPECT_TRUE(redo.bDone);
        EXPECT_EQ(Snapshot(doc), after);
        EXPECT_EQ(redo.nSelectID, c.nRedoSelect);
        EXPECT_FALSE(history.CanRedo());
        EXPECT_EQ(Snapshot((history.Undo(), doc)), before);
    }
}

TEST(ChangeHistory, AddToAnEmptyDocumentUndoesToEmpty) {
    COrdelinkDoc doc;
    CChangeHistory history(doc);
    const std::string empty = Snapshot(doc);
    {
        CChangeHistory::Group g(history, ChangeKind::Add);
        Append(doc, 0, "first");
        doc.m_bEmpty = 0;
        history.Appended(0);
    }
    history.Undo();
    EXPECT_EQ(Snapshot(doc), empty);
    EXPECT_EQ(doc.m_bEmpty, 1);
    history.Redo();
    EXPECT_EQ(doc.m_bEmpty, 0);
}

// A step keeps what changed, not the record: moving or renaming a record with
// a long memo, or writing the memo of one with a long URL, costs the history
// a few bytes. Nothing changed, nothing is kept.
TEST(ChangeHistory, StepsKeepOnlyTheFieldsThatChange) {
    const CString big(std::string(1 << 20, 'm').c_str());
    const struct {
        const char* name;
        bool bBigMemo;  // else a big URL
        std::function<bool(CChangeHistory&, int)> change;
        bool bChanges;
    } cases[] = {
        {"move", true, [](CChangeHistory& h, int i) { return h.SetParent(i, 1); }, true},
        {"rename", true,
         [](CChangeHistory& h, int i) { return h.SetTitleURL(i, "B", "http://b.test/"); }, true},
        {"memo", false, [](CChangeHistory& h, int i) { return h.SetMemo(i, "new"), true; }, true},
        {"same title and URL", false,
         [&big](CChangeHistory& h, int i) { return h.SetTitleURL(i, "A", big); }, false},
        {"same parent", true, [](CChangeHistory& h, int i) { return h.SetParent(i, 0); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COrdelinkDoc doc;
        AddRecord(doc, 1, 0, "Folder");
        AddRecord(doc, 2, 0, "A", 1, c.bBigMemo ? "http://a.test/" : big, c.bBigMemo ? big : "");
        CChangeHistory history(doc);
        const std::string before = Snapshot(doc);
        const size_t nHeap = HeapBytes();
        EXPECT_EQ(c.change(history, 1), c.bChanges);
        const size_t nGrowth = HeapBytes() - nHeap;
        EXPECT_LT(nGrowth, 4096u);
        EXPECT_EQ(history.GetUndoCount(), c.bChanges ? 1u : 0u);
        if (!c.bChanges) continue;
        const std::string after = Snapshot(doc);
        history.Undo();
        EXPECT_EQ(Snapshot(doc), before);
        history.Redo();
        EXPECT_EQ(Snapshot(doc), after);
    }
}

TEST(ChangeHistory, MemoTypingJoinsOneStepUntilSomethingElse) {
    COrdelinkDoc doc;
    Fill(doc);
    CChangeHistory history(doc);
    const std::string before = Snapshot(doc);
    const int n6 = doc.IndexOfID(6), n5 = doc.IndexOfID(5);
    history.SetMemo(n6, "a");
    history.SetMemo(n6, "ab");
    history.SetMemo(n6, "abc");
    EXPECT_EQ(history.GetUndoCount(), 1u);
    history.SetMemo(n5, "x");  // another record
    history.SetMemo(n6, "abcd");
    EXPECT_EQ(history.GetUndoCount(), 3u);
    history.EndTyping();
    history.SetMemo(n6, "abcde");
    EXPECT_EQ(history.GetUndoCount(), 4u);
    history.SetMemo(n6, "abcde");  // no change, no step
    EXPECT_EQ(history.GetUndoCount(), 4u);

    history.Undo();
    EXPECT_EQ(doc.m_PtrAry[n6]->m_Memo, "abcd");
    history.SetMemo(n6, "abcdX");  // typing after an undo starts a step
    EXPECT_EQ(history.GetUndoCount(), 4u);
    EXPECT_FALSE(history.CanRedo());
    while (history.CanUndo()) history.Undo();
    EXPECT_EQ(Snapshot(doc), before);
}

TEST(ChangeHistory, NewChangeAfterUndoClearsRedo) {
    COrdelinkDoc doc;
    Fill(doc);
    CChangeHistory history(doc);
    history.SetTitleURL(0, "P1", "u1");
    history.SetTitleURL(0, "P2", "u2");
    history.Undo();
    EXPECT_TRUE(history.CanRedo());
    history.SetParent(doc.IndexOfID(2), 0);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Redo().bDone);
    EXPECT_EQ(history.GetUndoCount(), 2u);
}

TEST(ChangeHistory, ModifiedFlagFollowsTheSavedPoint) {
    COrdelinkDoc doc;
    Fill(doc);
    CChangeHistory history(doc);
    history.SetTitleURL(0, "one", "");
    doc.SetModifiedFlag(TRUE);
    history.Undo();
    EXPECT_FALSE(doc.IsModified());  // back where it was opened
    history.Redo();
    EXPECT_TRUE(doc.IsModified());
    history.MarkSaved();
    doc.SetModifiedFlag(FALSE);
    history.SetMemo(0, "typed");
    history.Undo();
    EXPECT_FALSE(doc.IsModified());
    history.Undo();
    EXPECT_TRUE(doc.IsModified());
    // A new change after undoing past the saved state: it cannot come back.
    history.SetMemo(1, "other");
    EXPECT_FALSE(history.IsAtSavedPoint());
    history.Undo();
    EXPECT_TRUE(doc.IsModified());
    history.Clear();
    EXPECT_TRUE(history.IsAtSavedPoint());
    EXPECT_FALSE(history.CanUndo());
}

TEST(ChangeHistory, SaveEndsMemoTyping) {
    COrdelinkDoc doc;
    Fill(doc);
    CChangeHistory history(doc);
    history.SetMemo(0, "a");
    history.MarkSaved();
    history.SetMemo(0, "ab");
    EXPECT_EQ(history.GetUndoCount(), 2u);
    EXPECT_FALSE(history.IsAtSavedPoint());
    history.Undo();
    EXPECT_TRUE(history.IsAtSavedPoint());
}

TEST(ChangeHistory, ChangeBehindItsBackIsRefusedAndLeavesTheDocument) {
    COrdelinkDoc doc;
    Fill(doc);
    CChangeHistory history(doc);
    history.SetTitleURL(0, "first", "");
    history.DeleteRecords(CollectSubtreeIDs(doc.m_PtrAry, 4));
    doc.m_PtrAry[0]->m_Title = "typed without the history";
    const std::string now = Snapshot(doc);
    // The delete still fits and is undone; the title step no longer does.
    EXPECT_TRUE(history.Undo().bDone);
    const std::string restored = Snapshot(doc);
    EXPECT_FALSE(history.Undo().bDone);
    EXPECT_EQ(Snapshot(doc), restored);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_NE(now, restored);
}

TEST(ChangeHistory, RepeatedIdsRestoreTheRecordsThatWent) {
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "first 1");
    AddRecord(doc, 2, 0, "two");
    AddRecord(doc, 1, 0, "second 1");
    AddRecord(doc, 1, 0, "third 1");
    CChangeHistory history(doc);
    const std::string before = Snapshot(doc);
    history.DeleteRecords({1, 1});
    ASSERT_EQ(doc.m_PtrAry.GetSize(), 2);
    EXPECT_EQ(doc.m_PtrAry[1]->m_Title, "third 1");
    const std::string after = Snapshot(doc);
    history.Undo();
    EXPECT_EQ(Snapshot(doc), before);
    history.Redo();
    EXPECT_EQ(Snapshot(doc), after);
    // The index of first records follows: ID 1 is "third 1" now.
    EXPECT_EQ(doc.IndexOfID(1), 1);
    history.Undo();
    EXPECT_EQ(doc.IndexOfID(1), 0);
    EXPECT_EQ(doc.GetFreeID(), 3);
}

// Random changes, undos and redos against the document's saved bytes at
// every depth of the history.
TEST(ChangeHistory, RandomSequencesMatchSnapshots) {
    std::mt19937 rng(20240614);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 3; ++round) {
        COrdelinkDoc doc;
        Fill(doc);
        doc.m_bEmpty = 0;
        CChangeHistory history(doc);
        std::vector<std::string> timeline{Snapshot(doc)};
        size_t pos = 0;
        for (int step = 0; step < 250; ++step) {
            SCOPED_TRACE("round " + std::to_string(round) + " step " + std::to_string(step));
            CItemTable& table = doc.m_PtrAry;
            const int n = table.GetSize();
            const size_t nUndo = history.GetUndoCount();
            const int action = pick(100);
            if ((action < 18 && history.CanUndo()) || (action < 30 && history.CanRedo())) {
                const bool bUndo = action < 18;
                const CChangeEffect effect = bUndo ? history.Undo() : history.Redo();
                pos = bUndo ? pos - 1 : pos + 1;
                // The current index is the selected record's, found by a plain scan.
                int nScan = -1;
                for (int i = 0; i < table.GetSize() && nScan < 0 && effect.nSelectID; ++i)
                    if (table[i]->m_ID == effect.nSelectID) nScan = i;
                ASSERT_EQ(doc.GetCurIndex(), nScan);
            } else {
                bool bChanged = true;
                if (action < 45 || n == 0) {
                    CChangeHistory::Group g(history,
                                            pick(2) ? ChangeKind::Add : ChangeKind::Import);
                    const int nFirst = n;
                    const int nCount = 1 + pick(4);
                    for (int k = 0; k < nCount; ++k) {
                        const int nParent = (n > 0 && pick(3)) ? table[pick(n)]->m_ID : 0;
                        Append(doc, nParent, "r" + std::to_string(step) + Ansi("ふぉるだ").str(),
                               pick(2));
                    }
                    doc.m_bEmpty = 0;
                    history.Appended(nFirst);
                } else if (action < 60) {
                    history.DeleteRecords(CollectSubtreeIDs(table, table[pick(n)]->m_ID));
                    if (table.GetSize() == 0 || pick(4) == 0) doc.m_bEmpty = 1;
                } else if (action < 62) {
                    history.DeleteAll();
                } else if (action < 72) {
                    history.SetParent(pick(n), pick(2) ? 0 : table[pick(n)]->m_ID);
                } else if (action < 84) {
                    history.SetTitleURL(pick(n), "t" + std::to_string(pick(5)),
                                        "u" + std::to_string(pick(3)));
                } else {
                    const int nIndex = pick(std::min(n, 3));
                    history.SetMemo(nIndex, table[nIndex]->m_Memo + "x\r\n");
                    if (pick(3) == 0) history.EndTyping();
                }
                const std::string now = Snapshot(doc);
                bChanged = now != timeline[pos];
                if (history.GetUndoCount() == nUndo) {
                    // Nothing recorded, or memo typing joined the last step.
                    timeline[pos] = now;
                    if (!bChanged) continue;
                    timeline.resize(pos + 1);
                } else {
                    timeline.resize(pos + 1);
                    timeline.push_back(now);
                    ++pos;
                }
            }
            ASSERT_EQ(history.GetUndoCount(), pos);
            ASSERT_EQ(history.GetRedoCount(), timeline.size() - 1 - pos);
            ASSERT_EQ(Snapshot(doc), timeline[pos]);
        }
        while (history.CanUndo()) history.Undo();
        EXPECT_EQ(Snapshot(doc), timeline[0]);
        EXPECT_FALSE(doc.IsModified());
    }
}

namespace {

// The document's own history: empty after New and Open (and an open that
// failed while reading), kept by an open that failed before reading,
// at the saved point after a save, not after a failed one.
TEST(DocumentHistory, NewOpenAndSaveSetItsStartAndSavedPoint) {
    ScratchDir dir;
    MessageRecorder messages;  // the failures below are reported, not shown
    const std::string path = dir.File("doc.pmk");
    COrdelinkDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_bEmpty = 0;
    doc.History().Begin(ChangeKind::Add);
    Append(doc, 0, "A");
    doc.History().Appended(0);
    doc.History().End();
    doc.SetModifiedFlag(TRUE);
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    EXPECT_TRUE(doc.History().IsAtSavedPoint());
    EXPECT_TRUE(doc.History().CanUndo());
    doc.History().Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.History().Redo();
    EXPECT_FALSE(doc.IsModified());

    // A save that fails leaves the saved point where it was.
    doc.History().SetTitleURL(0, "B", "");
    doc.SetModifiedFlag(TRUE);
    EXPECT_FALSE(doc.OnSaveDocument(dir.File("no/such/dir/doc.pmk").c_str()));
    EXPECT_FALSE(doc.History().IsAtSavedPoint());

    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_FALSE(doc.History().CanRedo());

    // An open that fails before reading leaves the document as it was, with
    // its way back to the saved state: undoing a later change keeps it
    // modified, undoing the earlier one too brings back the saved state.
    doc.History().SetTitleURL(0, "C", "");
    doc.SetModifiedFlag(TRUE);
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("missing.pmk").c_str()));
    EXPECT_EQ(doc.m_PtrAry[0]->m_Title, "C");
    doc.History().SetTitleURL(0, "D", "");
    doc.History().Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.History().Undo();
    EXPECT_EQ(doc.m_PtrAry[0]->m_Title, "A");
    EXPECT_FALSE(doc.IsModified());

    // One that fails while reading has replaced the contents: no history.
    doc.History().SetTitleURL(0, "E", "");
    WriteBytes(dir.File("damaged.pmk"), std::string("\x05\x00\x00\x00\x01", 5));
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("damaged.pmk").c_str()));
    EXPECT_FALSE(doc.History().CanUndo());
    doc.m_bEmpty = 0;
    Append(doc, 0, "F");
    doc.History().Appended(0);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_EQ(messages.messages.size(), 3u);
}

}  // namespace
