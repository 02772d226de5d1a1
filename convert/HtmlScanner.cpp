#include "convert/HtmlScanner.h"

#include <cctype>
#include <cstring>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char LowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Elements whose contents are text up to their own end tag, never markup.
bool IsRawText(const std::string& name) {
    static const char* const kNames[] = {"script", "style",   "textarea", "title",    "xmp",
                                         "iframe", "noembed", "noframes", "noscript", "plaintext"};
    for (const char* pszName : kNames)
        if (name == pszName) return true;
    return false;
}

// Case-insensitive match of the lower-case word at p.
bool MatchesLower(const std::string& s, size_t p, const char* pszLower) {
    const size_t n = strlen(pszLower);
    if (p + n > s.size()) return false;
    for (size_t i = 0; i < n; ++i)
        if (LowerChar(s[p + i]) != pszLower[i]) return false;
    return true;
}

}  // namespace

size_t CHtmlScanner::NextMarkup(size_t nFrom) const {
    for (size_t p = nFrom; (p = m_html.find('<', p)) != std::string::npos; ++p) {
        if (p + 1 >= m_html.size()) return std::string::npos;
        const char c = m_html[p + 1];
        if (IsLetter(c) || c == '!' || c == '?') return p;
        if (c == '/' && p + 2 < m_html.size() && IsLetter(m_html[p + 2])) return p;
    }
    return std::string::npos;
}

bool CHtmlScanner::ReadTag(Item& item) {
    const std::string& h = m_html;
    size_t i = m_nPos + 1;
    const bool bEnd = h[i] == '/';
    if (bEnd) ++i;
    item.kind = bEnd ? EndTag : StartTag;
    item.name.clear();
    while (i < h.size() && !IsSpace(h[i]) && h[i] != '/' && h[i] != '>')
        item.name += LowerChar(h[i++]);
    // Attributes, quotes respected, up to the closing '>'.
    while (i < h.size() && h[i] != '>') {
        if (IsSpace(h[i]) || h[i] == '/') {
            ++i;
            continue;
        }
        const size_t nName = i;
        while (i < h.size() && !IsSpace(h[i]) && h[i] != '/' && h[i] != '>' &&
               (h[i] != '=' || i == nName))
            ++i;
        const size_t nNameEnd = i;
        while (i < h.size() && IsSpace(h[i])) ++i;
        size_t nValue = i, nValueEnd = i;
        bool bValue = false;
        if (i < h.size() && h[i] == '=') {
            ++i;
            while (i < h.size() && IsSpace(h[i])) ++i;
            bValue = true;
            if (i < h.size() && (h[i] == '"' || h[i] == '\'')) {
                const size_t q = h.find(h[i], i + 1);
                if (q == std::string::npos) return false;
                nValue = i + 1;
                nValueEnd = q;
                i = q + 1;
            } else {
                nValue = i;
                while (i < h.size() && !IsSpace(h[i]) && h[i] != '>') ++i;
                nValueEnd = i;
            }
        }
        if (!bEnd && !item.bHref && nNameEnd - nName == 4 && MatchesLower(h, nName, "href")) {
            item.bHref = true;
            item.href = bValue ? h.substr(nValue, nValueEnd - nValue) : std::string();
        }
    }
    if (i >= h.size()) return false;
    m_nPos = i + 1;
    return true;
}

void CHtmlScanner::SkipRawText(const std::string& name) {
    const std::string close = "</" + name;
    for (size_t p = m_nPos; p < m_html.size(); ++p) {
        p = m_html.find("</", p);
        if (p == std::string::npos) break;
        if (!MatchesLower(m_html, p, close.c_str())) continue;
        const size_t q = p + close.size();
        if (q == m_html.size() || IsSpace(m_html[q]) || m_html[q] == '/' || m_html[q] == '>') {
            m_nPos = p;
            return;
        }
    }
    m_nPos = m_html.size();
}

CHtmlScanner::Item CHtmlScanner::Next() {
    Item item;
    while (!m_bEnded && m_nPos < m_html.size()) {
        const size_t nMarkup = NextMarkup(m_nPos);
        if (nMarkup != m_nPos) {
            item.kind = Text;
            item.nBegin = m_nPos;
            item.nLength = (nMarkup == std::string::npos ? m_html.size() : nMarkup) - m_nPos;
            m_nPos += item.nLength;
            return item;
        }
        const char c = m_html[m_nPos + 1];
        if (c == '!' || c == '?') {
            // A comment ends at "-->"; a declaration or processing
            // instruction at the next '>'.
            const bool bComment = m_html.compare(m_nPos, 4, "<!--") == 0;
            const size_t nClose =
                bComment ? m_html.find("-->", m_nPos + 4) : m_html.find('>', m_nPos);
            if (nClose == std::string::npos) break;
            m_nPos = nClose + (bComment ? 3 : 1);
            continue;
        }
        if (!ReadTag(item)) break;
        if (item.kind == StartTag && IsRawText(item.name)) SkipRawText(item.name);
        return item;
    }
    m_bEnded = true;
    return Item();
}
