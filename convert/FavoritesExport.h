// Favorites export: the bookmark tree written as a directory tree of
// internet-shortcut files, inside "Convert" under the Favorites root, in a new
// directory named after the date and time.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "fw/base/CString.h"
#include "fw/base/CTime.h"
#include "store/COrdelinkDoc.h"

// The hierarchy as the tree shows it: the view supplies its nodes; for the
// command-line tool CDocumentTree builds the same order from the document.
class CExportTree {
public:
    using Node = const void*;
    virtual ~CExportTree() = default;
    virtual Node Root() const = 0;
    // The node's children in the tree's order, each with its record.
    virtual void Children(Node node, std::vector<std::pair<Node, const CUrlItem*>>& out) const = 0;
};

// The tree of a document as the tree view builds it: under each folder its
// records sorted by title, compared without regard to case as the tree
// control sorts (records of equal titles in table order).
class CDocumentTree : public CExportTree {
public:
    explicit CDocumentTree(const COrdelinkDoc& doc);
    Node Root() const override;
    void Children(Node node, std::vector<std::pair<Node, const CUrlItem*>>& out) const override;

private:
    // Each parent ID's records in the tree's order, sorted once.
    std::unordered_map<int, std::vector<const CUrlItem*>> m_children;
};

// The lists of one folder's children, in the tree's order.
struct ExportChildren {
    std::vector<CExportTree::Node> folderNodes;
    std::vector<CString> folderTitles;
    std::vector<CString> urlTitles;
    std::vector<CString> urls;
};
int CollectChildren(const CExportTree& tree, CExportTree::Node node, ExportChildren& children);

// Whether a name can be written on disk as it stands (a folder's title, or a
// URL item's title with ".URL"): not
// empty, none of \ / : * ? " < > | or control characters, not "." or "..",
// not ending in a dot or a blank, and not a device name (CON, PRN, AUX, NUL,
// COM1-9, LPT1-9, COM¹-³, LPT¹-³, with or without an extension). A byte
// below 0x40 counts as a character even after a lead byte.
bool IsWritableName(const CString& strTitle);

// Writes the children of node into the directory strDir (a path on disk): a
// shortcut file per URL item, then per folder a directory followed at once
// by its contents. Returns 1 when every file and directory was made, 0 when
// some were not (the walk writes all it can).
int ExportFolder(const std::string& strDir, const CExportTree& tree, CExportTree::Node node);

enum class ExportResult {
    Done,
    Incomplete,  // some file or directory could not be made
    NotStarted,  // "Convert" or the date directory could not be made
};

// The export command's work: makes strFavorites/Convert (it may exist) and
// the new date directory named from time, then writes the tree into it.
// strDateDir receives the date directory's path.
ExportResult ExportFavorites(const std::string& strFavorites, const CExportTree& tree,
                             const CTime& time, std::string* pstrDateDir = nullptr);
