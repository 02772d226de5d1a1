// A text for a frame's status-bar message pane that stands in for the idle
// message until the next other text is shown there: the report of work just
// done outlasts the mouse leaving a toolbar button, not the next prompt.
#pragma once

class CFrameWnd;

void SetHeldMessageText(CFrameWnd* pFrame, const char* pszText);
