#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include "store/CIdMap.h"
#include "store/COrdelinkDoc.h"
#include "tests/native/TestSupport.h"

namespace {

// The table's rules as plain scans, to check the indexed answers against.
struct Reference {
    static int IndexOfID(const COrdelinkDoc& doc, int id) {
        for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i)
            if (doc.m_PtrAry[i]->m_ID == id) return i;
        return -1;
    }
    static int FreeID(const COrdelinkDoc& doc) {
        for (int candidate = 1;; ++candidate)
            if (IndexOfID(doc, candidate) < 0) return candidate;
    }
};

}  // namespace

TEST(ItemTable, NewDocumentState) {
    COrdelinkDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.m_bEmpty, 1);
    EXPECT_EQ(doc.GetFreeID(), 1);
    EXPECT_EQ(doc.GetCurIndex(), -1);
    EXPECT_EQ(doc.IsURLOfID(0), -1);
}

TEST(ItemTable, FreedIdsAreReusedSmallestFirst) {
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0);
    AddRecord(doc, 2, 0);
    AddRecord(doc, 3, 0);
    doc.DeleteItemByID(2);
    EXPECT_EQ(doc.GetFreeID(), 2);
    AddRecord(doc, doc.GetFreeID(), 0);
    EXPECT_EQ(doc.IndexOfID(2), 2);  // appended at the end
    EXPECT_EQ(doc.GetFreeID(), 4);
    doc.DeleteItemByID(3);
    doc.DeleteItemByID(1);
    EXPECT_EQ(doc.GetFreeID(), 1);
    doc.DeleteItemByID(2);
    EXPECT_EQ(doc.m_bEmpty, 1);
    EXPECT_EQ(doc.GetFreeID(), 1);
}

TEST(ItemTable, LookupsAnswerTheFirstRecordInTableOrder) {
    COrdelinkDoc doc;
    AddRecord(doc, 5, 0, "first", 1);
    AddRecord(doc, 6, 0);
    AddRecord(doc, 5, 0, "second", 0);
    EXPECT_EQ(doc.IndexOfID(5), 0);
    EXPECT_EQ(doc.IsURLOfID(5), 1);
    EXPECT_EQ(doc.IsURLOfID(0), -1);
    EXPECT_EQ(doc.IsURLOfID(99), -1);
    doc.DeleteItemByID(5);  // removes the first of the two
    EXPECT_EQ(doc.IndexOfID(5), 1);
    EXPECT_EQ(doc.IsURLOfID(5), 0);
    // Changing the ID of a record in place keeps the index in step.
    doc.m_PtrAry[0]->m_ID = 5;
    EXPECT_EQ(doc.IndexOfID(5), 0);
    EXPECT_EQ(doc.IndexOfID(6), -1);
    EXPECT_EQ(doc.GetFreeID(), 1);
}

TEST(ItemTable, SiblingTitleExistsIsExactAndPerFolder) {
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "Dir");
    AddRecord(doc, 2, 1, "News");
    AddRecord(doc, 3, 1, "news");
    AddRecord(doc, 4, 0, "News");
    AddRecord(doc, 5, 1, "\x83\x41");  // ア
    struct {
        const char* title;
        int index;
        int want;
    } cases[] = {
        {"News", 2, 1},  // record 2 (news) has the sibling News
        {"News", 1, 0},  // only itself has that title in folder 1
        {"news", 1, 1},     {"NEWS", 2, 0},
        {"News", 3, 0},  // the other News is under the ROOT, not a sibling of ID 4
        {"Dir", 3, 1},      {"\x83\x61", 1, 0},  // ヂ differs from ア only in a trail byte's case
        {"\x83\x41", 1, 1},
    };
    for (auto& c : cases) EXPECT_EQ(doc.SiblingTitleExists(c.title, c.index), c.want) << c.title;
}

// Random edits against the plain scans: inserts through GetFreeID, deletes
// one by one and in batches, ID changes in place, repeated IDs.
TEST(ItemTable, IndexAgreesWithScansUnderRandomEdits) {
    std::mt19937 rng(12345);
    COrdelinkDoc doc;
    for (int step = 0; step < 4000; ++step) {
        const int n = doc.m_PtrAry.GetSize();
        const int op = rng() % 10;
        if (op < 4 || n == 0) {
            int id = doc.GetFreeID();
            ASSERT_EQ(id, Reference::FreeID(doc)) << step;
            AddRecord(doc, rng() % 8 == 0 ? static_cast<int>(rng() % 40) - 2 : id, 0);
        } else if (op < 6) {
            int id = doc.m_PtrAry[rng() % n]->m_ID;
            doc.DeleteItemByID(id);
        } else if (op < 7) {
            std::vector<int> ids;
            for (int k = rng() % 5; k >= 0; --k) ids.push_back(doc.m_PtrAry[rng() % n]->m_ID);
            ids.push_back(100000);  // unknown IDs are ignored
            // Reference: what one-by-one deletion leaves.
            std::vector<int> before;
            for (int i = 0; i < n; ++i) before.push_back(doc.m_PtrAry[i]->m_ID);
            std::vector<int> expected = before;
            for (int id : ids) {
                auto it = std::find(expected.begin(), expected.end(), id);
                if (it != expected.end()) expected.erase(it);
            }
            doc.DeleteItemsByID(ids);
            std::vector<int> after;
            for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) after.push_back(doc.m_PtrAry[i]->m_ID);
            ASSERT_EQ(after, expected) << step;
        } else if (op < 8) {
            // Records put back at positions (undo of a delete), repeated IDs included.
            std::vector<int> expected;
            for (int i = 0; i < n; ++i) expected.push_back(doc.m_PtrAry[i]->m_ID);
            std::vector<std::pair<int, CUrlItem*>> items;
            for (int k = rng() % 4; k >= 0; --k) {
                const int pos = static_cast<int>(rng() % (expected.size() + 1));
                const int id = static_cast<int>(rng() % 60) - 2;
                expected.insert(expected.begin() + pos, id);
                for (auto& item : items)
                    if (item.first >= pos) ++item.first;
                items.emplace_back(pos, new CUrlItem);
                items.back().second->m_ID = id;
            }
            std::sort(items.begin(), items.end());
            doc.m_PtrAry.InsertFilled(items);
            std::vector<int> after;
            for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) after.push_back(doc.m_PtrAry[i]->m_ID);
            ASSERT_EQ(after, expected) << step;
        } else {
            doc.m_PtrAry[rng() % n]->m_ID = static_cast<int>(rng() % 60) - 2;
        }
        for (int id = -3; id < 70; ++id)
            ASSERT_EQ(doc.IndexOfID(id), Reference::IndexOfID(doc, id)) << step << " id " << id;
        ASSERT_EQ(doc.GetFreeID(), Reference::FreeID(doc)) << step;
    }
}

// The ID map's two halves (the array of small IDs and the hash table of the
// rest) against std::map, under patterns that move IDs between them: runs,
// strides of powers of two, negative and huge IDs, removals in between.
TEST(ItemTable, IdMapAgreesWithAnOrderedMap) {
    struct {
        const char* name;
        std::function<int(int)> id;
    } patterns[] = {
        {"ascending", [](int i) { return i + 1; }},
        {"descending from far", [](int i) { return 50000 - i; }},
        {"stride 2^16", [](int i) { return i << 16; }},
        {"stride 2^20 mixed with small", [](int i) { return i % 2 ? i : i << 20; }},
        {"negative", [](int i) { return -i; }},
        {"huge", [](int i) { return 0x7FFFFFFF - i; }},
        {"random", [](int i) { return static_cast<int>(std::mt19937(i)()); }},
    };
    std::vector<CUrlItem> items(3000);
    for (auto& p : patterns) {
        CIdMap map;
        std::map<int, CUrlItem*> ref;
        std::mt19937 rng(7);
        for (int i = 0; i < 3000; ++i) {
            const int nID = p.id(i);
            bool bAdded;
            CUrlItem** pp = map.Insert(nID, &items[i], bAdded);
            ASSERT_EQ(bAdded, ref.emplace(nID, &items[i]).second) << p.name << " " << i;
            ASSERT_EQ(*pp, ref[nID]) << p.name << " " << i;
            if (rng() % 3 == 0) {  // remove one added before
                const int nGone = p.id(static_cast<int>(rng() % (i + 1)));
                map.Erase(nGone);
                ref.erase(nGone);
            }
        }
        ASSERT_EQ(map.GetCount(), ref.size()) << p.name;
        for (int i = 0; i < 3000; ++i) {
            const int nID = p.id(i);
            auto it = ref.find(nID);
            EXPECT_EQ(map.Find(nID), it == ref.end() ? nullptr : it->second) << p.name << " " << i;
        }
        EXPECT_EQ(map.Find(123456789), ref.count(123456789) ? ref[123456789] : nullptr);
        map.Clear();
        EXPECT_EQ(map.GetCount(), 0u);
        EXPECT_EQ(map.Find(p.id(0)), nullptr);
    }
}
