#include "fw/base/CProfileFile.h"

#include <cstdlib>

#include "fw/base/CException.h"
#include "fw/base/CFile.h"
#include "fw/base/LegacyText.h"
#include "fw/base/Platform.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a])) ++a;
    while (b > a && IsBlank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

bool SameName(const std::string& a, const char* b) {
    return CString(a).CompareNoCase(b) == 0;
}

// The section name of a "[name]" line, or false.
bool SectionName(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t[0] != '[') return false;
    const size_t end = t.find(']');
    if (end == std::string::npos) return false;
    name = Trim(t.substr(1, end - 1));
    return true;
}

}  // namespace

bool CProfileFile::Load(std::vector<std::string>& lines, Form& form) const {
    lines.clear();
    form = legacyForm;
    CFile file;
    if (!file.Open(m_strPath.c_str(), CFile::modeRead | CFile::shareDenyWrite)) return false;
    std::string bytes;
    try {
        char buf[16 * 1024];
        for (UINT n; (n = file.Read(buf, sizeof buf)) > 0;) bytes.append(buf, n);
    } catch (const CException&) {
        return false;
    }
    file.Abort();
    std::string text;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        form = utf16Form;
        std::u16string wide((bytes.size() - 2) / 2, u'\0');
        for (size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                            (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
        text = legacy::FromUtf16(wide);
    } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        form = utf8Form;
        text = legacy::FromUtf8(bytes.substr(3));
    } else {
        text = legacy::FromLegacy(bytes);
    }
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (end < text.size() || !line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return true;
}

bool CProfileFile::Save(const std::vector<std::string>& lines, Form form) const {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    std::string bytes;
    if (form == legacyForm && !legacy::ToLegacy(text, bytes)) form = utf16Form;
    if (form == utf8Form) bytes = "\xEF\xBB\xBF" + legacy::ToUtf8(text);
    if (form == utf16Form) {
        const std::u16string wide = legacy::ToUtf16(text);
        bytes = "\xFF\xFE";
        for (char16_t c : wide) {
            bytes += static_cast<char>(c & 0xFF);
            bytes += static_cast<char>(c >> 8);
        }
    }
    CFile file;
    if (!file.Open(m_strPath.c_str(), CFile::modeCreate | CFile::modeWrite)) return false;
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
    } catch (const CException&) {
        file.Abort();
        return false;
    }
    return true;
}

long CProfileFile::FindKey(const std::vector<std::string>& lines, const char* pszSection,
                           const char* pszKey, long& nSection) {
    nSection = -1;
    bool bIn = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (SectionName(lines[i], name)) {
            if (bIn) return -1;  // the section ended without the key
            bIn = SameName(name, pszSection);
            if (bIn) nSection = static_cast<long>(i);
            continue;
        }
        if (!bIn || !pszKey) continue;
        const size_t eq = lines[i].find('=');
        if (eq != std::string::npos && SameName(Trim(lines[i].substr(0, eq)), pszKey))
            return static_cast<long>(i);
    }
    return -1;
}

CString CProfileFile::GetString(const char* pszSection, const char* pszKey,
                                const char* pszDefault) const {
    std::vector<std::string> lines;
    Form form;
    long nSection;
    const long n = Load(lines, form) ? FindKey(lines, pszSection, pszKey, nSection) : -1;
    if (n < 0) return pszDefault ? pszDefault : "";
    const std::string& line = lines[static_cast<size_t>(n)];
    std::string value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return CString(value);
}

int CProfileFile::GetInt(const char* pszSection, const char* pszKey, int nDefault) const {
    const CString value = GetString(pszSection, pszKey, nullptr);
    const std::string& s = value.str();
    size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return nDefault;
    return static_cast<int>(std::strtol(s.c_str(), nullptr, 10));
}

bool CProfileFile::WriteString(const char* pszSection, const char* pszKey, const char* pszValue) {
    if (!pszSection) return false;
    std::vector<std::string> lines;
    Form form = legacyForm;
    // A file that exists but cannot be read is not overwritten with one key.
    if (!Load(lines, form) && platform::FileExists(m_strPath)) return false;
    long nSection;
    if (!pszKey) {
        // No key: the whole section goes, as with the system's function.
        FindKey(lines, pszSection, nullptr, nSection);
        if (nSection < 0) return true;
        size_t end = static_cast<size_t>(nSection) + 1;
        std::string name;
        while (end < lines.size() && !SectionName(lines[end], name)) ++end;
        lines.erase(lines.begin() + nSection, lines.begin() + static_cast<long>(end));
        return Save(lines, form);
    }
    const long n = FindKey(lines, pszSection, pszKey, nSection);
    const std::string line = std::string(pszKey) + "=" + (pszValue ? pszValue : "");
    if (n >= 0) {
        if (pszValue)
            lines[static_cast<size_t>(n)] = line;
        else
            lines.erase(lines.begin() + n);
    } else if (pszValue) {
        if (nSection < 0) {
            lines.push_back(std::string("[") + pszSection + "]");
            lines.push_back(line);
        } else {
            // After the section's last key line.
            size_t at = static_cast<size_t>(nSection) + 1;
            for (size_t i = at; i < lines.size(); ++i) {
                std::string name;
                if (SectionName(lines[i], name)) break;
                if (!Trim(lines[i]).empty()) at = i + 1;
            }
            lines.insert(lines.begin() + static_cast<long>(at), line);
        }
    }
    return Save(lines, form);
}
