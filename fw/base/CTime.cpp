#include "fw/base/CTime.h"

#include <string>

#include "fw/base/CodePage.h"

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    std::tm tm{};
    tm.tm_year = nYear - 1900;
    tm.tm_mon = nMonth - 1;
    tm.tm_mday = nDay;
    tm.tm_hour = nHour;
    tm.tm_min = nMin;
    tm.tm_sec = nSec;
    tm.tm_isdst = -1;
    m_time = std::mktime(&tm);
}

CTime CTime::GetCurrentTime() {
    return CTime(std::time(nullptr));
}

std::tm CTime::Local() const {
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &m_time);
#else
    localtime_r(&m_time, &tm);
#endif
    return tm;
}

CString CTime::Format(const char* pszFormat) const {
    // Expands each %x code on its own and copies every other character as it
    // stands, so a trail byte equal to '%' is never taken for a code.
    const std::tm tm = Local();
    const std::string fmt(pszFormat);
    std::string out;
    for (size_t i = 0; i < fmt.size();) {
        size_t n = codepage::CharLength(&fmt[i], fmt.size() - i);
        if (n == 1 && fmt[i] == '%' && i + 1 < fmt.size()) {
            char code[3] = {'%', fmt[i + 1], 0};
            char buf[128];
            size_t len = std::strftime(buf, sizeof buf, code, &tm);
            out.append(buf, len);
            i += 2;
        } else {
            out.append(fmt, i, n);
            i += n;
        }
    }
    return CString(std::move(out));
}
