// dump: every record in table order, as text lines or JSON.
#include <nlohmann/json.hpp>

#include "cli/Cli.h"
#include "cli/Commands.h"

namespace {

// Escapes the characters that would break a tab-separated line.
std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

int RunDump(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    COrdelinkDoc doc;
    if (!LoadDocument(doc, opt.positional[0], err)) return kCliUnreadable;
    const CItemTable& table = doc.m_PtrAry;
    if (opt.bJson) {
        nlohmann::json records = nlohmann::json::array();
        for (int i = 0; i < table.GetSize(); ++i) {
            const CUrlItem* p = table[i];
            records.push_back({{"index", i},
                               {"id", static_cast<int>(p->m_ID)},
                               {"parent", p->m_ParentID},
                               {"isURL", p->m_IsURL},
                               {"title", ToUtf8(p->m_Title)},
                               {"url", ToUtf8(p->m_URL)},
                               {"memo", ToUtf8(p->m_Memo)}});
        }
        nlohmann::json doc_json = {
            {"count", table.GetSize()}, {"empty", doc.m_bEmpty != 0}, {"records", records}};
        out << doc_json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return kCliOk;
    }
    for (int i = 0; i < table.GetSize(); ++i) {
        const CUrlItem* p = table[i];
        out << i << '\t' << static_cast<int>(p->m_ID) << '\t' << p->m_ParentID << '\t'
            << (p->m_IsURL ? "url" : "folder") << '\t' << Escape(ToUtf8(p->m_Title)) << '\t'
            << Escape(ToUtf8(p->m_URL)) << '\t' << Escape(ToUtf8(p->m_Memo)) << "\n";
    }
    return kCliOk;
}
