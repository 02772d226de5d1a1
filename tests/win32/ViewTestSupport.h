// The three views of a started application, loaded with a document of the
// test's own and driven with the messages user actions produce.
#pragma once

#include <string>
#include <vector>

#include "tests/win32/GuiTestSupport.h"
#include "views/CEditVw.h"
#include "views/CFormVw.h"
#include "views/CTreeVw.h"

struct Rec {
    int id;
    int parent;
    const char* title;  // UTF-8
    int isURL = 0;
    const char* url = "";
    const char* memo = "";
};

// Counts the views' warning beeps while alive.
class BeepCounter {
public:
    BeepCounter();
    ~BeepCounter();
    int count() const;
};

class ViewFixture {
public:
    ViewFixture();
    // Replaces the document's records and runs the views' initial update, as
    // opening a file does.
    void Load(const std::vector<Rec>& records);

    CTreeVw* Tree() const;
    CFormVw* Form() const;
    CEditVw* Edit() const;
    COrdelinkDoc* Doc() const { return h.Document(); }
    CMainFrame* Frame() const { return h.Frame(); }

    // The node of a record (0: the ROOT), found by walking the control.
    HTREEITEM Node(int nID) const;
    // Selects like a click: TVM_SELECTITEM on the control.
    void Select(int nID) const;
    int SelectedID() const;
    // The tree as text: "ROOT(a,b(c))", children in the control's order; a
    // collapsed node with children is marked with a trailing '+'.
    std::string Shape() const;
    // A menu or toolbar command with the tree pane active.
    void Command(UINT nID) const;
    // Whether the command would run now (its update handler's answer through
    // the frame's routing, the tree pane active).
    bool Enabled(UINT nID) const;
    std::string FieldText(int nCtrlID) const;
    bool FieldEnabled(int nCtrlID) const;
    // Field values of the record with this ID.
    const CUrlItem* Record(int nID) const;

    ScratchDir dir;
    AppHarness h{dir};

private:
    std::string ShapeOf(HTREEITEM hItem) const;
};

// The tree as the view used to build it, for comparison: level by level from
// the ROOT, each node appended to its folder in sibling order, then every
// node with children expanded and the ROOT selected.
void BuildTreeAsBefore(CTreeVw* pTree);
// Every node, in the control's order: its depth, text, images, item data and
// whether it is expanded, one line each.
std::string TreeDump(HWND hTree);

// UTF-8 to the active code page, as std::string.
std::string A(const char* utf8);
