// check: damage that loading accepts but the tree cannot show as intended.
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "store/DocumentCheck.h"

namespace {

std::string Describe(const CheckFinding& f, const CItemTable& table) {
    const CUrlItem* p = table[f.nIndex];
    std::string s = "record " + std::to_string(f.nIndex) + " (ID " +
                    std::to_string(static_cast<int>(p->m_ID)) + "): ";
    switch (f.kind) {
        case CheckFinding::IdBelowOne:
            return s + "ID below 1";
        case CheckFinding::RepeatedId:
            return s + "repeats the ID of record " + std::to_string(f.nOther);
        case CheckFinding::MissingParent:
            return s + "parent " + std::to_string(p->m_ParentID) + " does not exist";
        case CheckFinding::UrlParent:
            return s + "parent " + std::to_string(p->m_ParentID) + " is a URL record";
        case CheckFinding::ParentLoop: {
            s += "parent loop";
            for (int nID : f.vLoop) s += " " + std::to_string(nID) + " ->";
            return s + " " + std::to_string(f.vLoop.front());
        }
        case CheckFinding::Unreachable:
            return s + "not reachable from the ROOT";
    }
    return s;
}

}  // namespace

int RunCheck(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    COrdelinkDoc doc;
    if (!LoadDocument(doc, opt.positional[0], err)) return kCliUnreadable;
    const std::vector<CheckFinding> findings = CheckItemTable(doc.m_PtrAry);
    for (const CheckFinding& f : findings) out << Describe(f, doc.m_PtrAry) << "\n";
    if (findings.empty()) {
        out << doc.m_PtrAry.GetSize() << " records, no damage found\n";
        return kCliOk;
    }
    return kCliFailures;
}
