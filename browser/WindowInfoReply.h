// The browser's answer to a window-information request: the address and the
// page title, cut out of one quoted, comma-separated reply.
#pragma once

#include "fw/base/CString.h"

// Splits strSource at the first strSeparator: strFirst receives what comes
// before it, strSecond what comes after it without any further separators at
// its start. Without a separator strFirst is the whole source.
void SplitAt(const CString& strSource, CString& strFirst, CString& strSecond,
             const CString& strSeparator);

// Replaces every strFind in strText by strReplacement, whole characters
// only, continuing after each inserted text. Returns the number replaced.
int ReplaceAll(CString& strText, const CString& strFind, const CString& strReplacement);

// Makes a page title fit as an item title: "/" and "|" become "-", and
// \ : * ? " < > are removed.
void CleanTitle(CString& strTitle);

// Cuts a reply of the form "URL","title",... into the address (without
// tabs and line breaks) and the cleaned title.
void CutWindowInfoReply(const CString& strReply, CString& strURL, CString& strTitle);
