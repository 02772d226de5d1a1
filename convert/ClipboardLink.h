// The HTML anchor of one URL record, as placed on the clipboard.
#pragma once

#include "fw/base/CString.h"
#include "store/CUrlItem.h"

// <A HREF="URL">title</A>, with URL and title as stored (nothing escaped).
CString MakeClipboardLink(const CUrlItem& item);
