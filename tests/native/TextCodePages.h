// The program's text in one code page and other files in another while the
// object lives: the text rules run in both 932 and UTF-8, whatever the test
// program's own code page.
#pragma once

#include "fw/base/CodePage.h"

class TextCodePages {
public:
    TextCodePages(int nActive, int nLegacy)
        : m_nActive(codepage::Active()), m_nLegacy(codepage::Legacy()) {
        codepage::SetActive(nActive);
        codepage::SetLegacy(nLegacy);
    }
    ~TextCodePages() {
        codepage::SetActive(m_nActive);
        codepage::SetLegacy(m_nLegacy);
    }
    TextCodePages(const TextCodePages&) = delete;
    TextCodePages& operator=(const TextCodePages&) = delete;

private:
    int m_nActive, m_nLegacy;
};
