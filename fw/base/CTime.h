// A point in time, to the second, shown in local time.
#pragma once

#include <ctime>

#include "fw/base/CString.h"

class CTime {
public:
    CTime() = default;
    explicit CTime(std::time_t t) : m_time(t) {}
    // Local time; out-of-range parts are normalised as mktime does.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    static CTime GetCurrentTime();

    std::time_t GetTime() const { return m_time; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }

    // strftime codes (%y %m %d %H %M %S ...); other bytes are copied, so the
    // format may hold double-byte text.
    CString Format(const char* pszFormat) const;

private:
    std::tm Local() const;

    std::time_t m_time = 0;
};
