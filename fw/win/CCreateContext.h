// What a frame needs to make its views: the view class, the document they
// show, the template and the frame itself.
#pragma once

#include "fw/win/AfxWin.h"

class CSingleDocTemplate;
class CView;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CSingleDocTemplate* m_pNewDocTemplate = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
