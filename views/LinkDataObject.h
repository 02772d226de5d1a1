// Taking the link formats (convert/LinkData.h) out of an OLE data object: a
// drag's or the clipboard's (OleGetClipboard).
#pragma once

#include <ole2.h>

#include "convert/LinkData.h"

// Each format the data object renders as global memory (or, for the file's
// contents, a stream), as its bytes; formats it lacks stay empty. A .url
// file in a file list (CF_HDROP) is read as a dragged shortcut.
LinkFormats ReadLinkFormats(IDataObject* pData);

// A copy of the data object's CF_HDROP list, to hand to the frame as a
// WM_DROPFILES would; null when there is none or it is not whole (an offset
// or a name running past its end). The receiver frees it.
HGLOBAL CopyDroppedFiles(IDataObject* pData);

// Whether the data object carries files dropped from a folder (CF_HDROP),
// the first of them no .url file, and no link format: such a drop opens a
// document, as it always has.
bool IsPlainFileDrop(IDataObject* pData);

// A drop or paste that brought no link: a beep, and when the data held
// something in the place of an address (strRefused), a message naming it.
void ReportNoLink(const CString& strRefused);
