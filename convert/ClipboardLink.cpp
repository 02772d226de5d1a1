#include "convert/ClipboardLink.h"

CString MakeClipboardLink(const CUrlItem& item) {
    return "<A HREF=\"" + item.m_URL + "\">" + item.m_Title + "</A>";
}
