// Taking the link formats (convert/LinkData.h) out of an OLE data object: a
// drag's or the clipboard's (OleGetClipboard).
#pragma once

#include <ole2.h>

#include "convert/LinkData.h"

// Each format the data object renders as global memory (or, for the file's
// contents, a stream), as its bytes; formats it lacks stay empty. A .url
// file in a file list (CF_HDROP) is read as a dragged shortcut.
LinkFormats ReadLinkFormats(IDataObject* pData);

// Whether the data object carries files dropped from a folder (CF_HDROP),
// the first of them no .url file, and no link format: such a drop opens a
// document, as it always has.
bool IsPlainFileDrop(IDataObject* pData);
