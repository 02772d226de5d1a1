#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "store/COrdelinkDoc.h"
#include "tests/native/TestSupport.h"
#include "views/CTreeLayout.h"

namespace {

struct R {
    int id, parent;
    const char* title;
    int isURL;
};

// Case-blind byte order, standing in for the window's label order.
int CompareTitles(const CItemTable& table, int a, int b) {
    return table[a]->m_Title.CompareNoCase(table[b]->m_Title);
}

// "title(child,child)" for the records shown below nID.
std::string Shape(const CTreeLayout& layout, const CItemTable& table, int nID) {
    std::string s;
    for (int i : layout.ChildrenOf(nID)) {
        if (!s.empty()) s += ",";
        s += table[i]->m_Title.str();
        const std::string inner = Shape(layout, table, table[i]->m_ID);
        if (!inner.empty()) s += "(" + inner + ")";
    }
    return s;
}

// Plays the insertion steps on lists, as a tree control would place them,
// and checks what keeps a control's handle searches short: every parent and
// every sibling to insert after is a node inserted before the first leaf.
std::string Replay(const CTreeLayout& layout, const CItemTable& table) {
    std::map<int, std::list<int>> kids;  // parent index (kTop) -> indexes
    std::vector<bool> inserted(static_cast<size_t>(table.GetSize()));
    size_t nBranches = 0, nStep = 0;
    const auto steps = layout.InsertionSteps();
    while (nBranches < steps.size() && steps[nBranches].nAfter == CTreeLayout::kLast) ++nBranches;
    for (const CTreeLayout::Step& step : steps) {
        const bool bEarlyHandles =
            step.nParent == CTreeLayout::kTop ||
            (inserted[static_cast<size_t>(step.nParent)] &&
             std::any_of(steps.begin(), steps.begin() + nBranches,
                         [&](const auto& b) { return b.nIndex == step.nParent; }));
        EXPECT_TRUE(bEarlyHandles) << "step " << nStep << " parent";
        std::list<int>& list = kids[step.nParent];
        if (step.nAfter == CTreeLayout::kLast) {
            EXPECT_LT(nStep, nBranches);
            list.push_back(step.nIndex);
        } else if (step.nAfter == CTreeLayout::kFirst) {
            list.push_front(step.nIndex);
        } else {
            EXPECT_TRUE(std::any_of(steps.begin(), steps.begin() + nBranches,
                                    [&](const auto& b) { return b.nIndex == step.nAfter; }))
                << "step " << nStep << " after";
            auto it = std::find(list.begin(), list.end(), step.nAfter);
            EXPECT_NE(it, list.end());
            list.insert(std::next(it), step.nIndex);
        }
        inserted[static_cast<size_t>(step.nIndex)] = true;
        ++nStep;
    }
    std::function<std::string(int)> shape = [&](int nParent) {
        std::string s;
        for (int i : kids[nParent]) {
            if (!s.empty()) s += ",";
            s += table[i]->m_Title.str();
            const std::string inner = shape(i);
            if (!inner.empty()) s += "(" + inner + ")";
        }
        return s;
    };
    return shape(CTreeLayout::kTop);
}

}  // namespace

TEST(TreeLayout, ShowsTheSortedTreeAndInsertsItInTheSameOrder) {
    struct {
        const char* name;
        std::vector<R> records;
        const char* shape;
        std::vector<int> parents;
    } cases[] = {
        {"folders and links mixed among siblings",
         {{1, 0, "b", 1},
          {2, 0, "A", 0},
          {3, 0, "c", 1},
          {4, 0, "D", 0},
          {5, 0, "e", 1},
          {6, 0, "a0", 1},
          {7, 4, "z", 1},
          {8, 4, "y", 0},
          {9, 8, "x", 1}},
         "A,a0,b,c,D(y(x),z),e",
         {0, 4, 8}},
        {"equal labels keep table order, whatever their kind",
         {{1, 0, "Same", 1}, {2, 0, "same", 0}, {3, 0, "SAME", 1}, {4, 2, "in", 1}},
         "Same,same(in),SAME",
         {0, 2}},
        {"children stored before their parents",
         {{3, 2, "leaf", 1}, {2, 1, "inner", 0}, {1, 0, "outer", 0}},
         "outer(inner(leaf))",
         {0, 1, 2}},
        {"damaged parent links stay out",
         {{1, 0, "top", 0},
          {0, 1, "ID zero", 1},
          {1, 0, "repeat of 1", 0},
          {5, 5, "own parent", 0},
          {6, 7, "loop a", 0},
          {7, 6, "loop b", 0},
          {8, 99, "lost", 1},
          {9, 1, "kept", 1}},
         "top(kept)",
         {0, 1}},
        {"a URL record with children is a branch",
         {{1, 0, "url", 1}, {2, 1, "below", 1}, {3, 0, "a", 1}},
         "a,url(below)",
         {0, 1}},
        {"links only, folders only",
         {{1, 0, "c", 1}, {2, 0, "a", 1}, {3, 0, "B", 0}, {4, 3, "y", 0}, {5, 3, "x", 0}},
         "a,B(x,y),c",
         {0, 3}},
        {"nothing", {}, "", {}},
    };
    for (const auto& c : cases) {
        COrdelinkDoc doc;
        for (const R& r : c.records) AddRecord(doc, r.id, r.parent, r.title, r.isURL);
        const CItemTable& table = doc.m_PtrAry;
        auto compare = [&table](int a, int b) { return CompareTitles(table, a, b); };
        // Without ranks, and with the ranks of the comparison's own order
        // (equal labels share one): the same tree.
        const size_t n = c.records.size();
        std::vector<int> ranks(n);
        for (size_t i = 0; i < n; ++i)
            for (size_t j = 0; j < n; ++j)
                ranks[i] += compare(static_cast<int>(j), static_cast<int>(i)) < 0;
        const std::vector<int>* hints[] = {nullptr, &ranks};
        for (const std::vector<int>* pRanks : hints) {
            const CTreeLayout layout(table, 0, compare, 0, pRanks);
            EXPECT_EQ(Shape(layout, table, 0), c.shape) << c.name;
            EXPECT_EQ(Replay(layout, table), c.shape) << c.name;
            EXPECT_EQ(layout.Parents(), c.parents) << c.name;
            EXPECT_EQ(static_cast<size_t>(layout.GetCount()), layout.InsertionSteps().size())
                << c.name;
        }
    }
}

// An import's records, below the folder made for them: records before it in
// the table are not looked at, even with the same parent ID.
TEST(TreeLayout, BelowOneFolderFromOneTableIndexOn) {
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "old folder", 0);
    AddRecord(doc, 2, 5, "old link claiming the new folder", 1);
    AddRecord(doc, 5, 0, "import", 0);
    AddRecord(doc, 6, 5, "site", 1);
    AddRecord(doc, 7, 5, "Group", 0);
    AddRecord(doc, 8, 7, "page", 1);
    const CItemTable& table = doc.m_PtrAry;
    const CTreeLayout layout(
        table, 5, [&table](int a, int b) { return CompareTitles(table, a, b); }, 3);
    EXPECT_EQ(Shape(layout, table, 5), "Group(page),site");
    EXPECT_EQ(Replay(layout, table), "Group(page),site");
    EXPECT_EQ(layout.GetCount(), 3);
}
