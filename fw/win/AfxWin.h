// The Win32 framework layer's common header: the system headers, the message
// map macros, the control-bar style bits and the application-wide accessors.
#pragma once

#include <windows.h>
#include <commctrl.h>

// <windows.h> maps this name to GetTickCount; here it is CTime's.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

#include "fw/base/AfxHooks.h"
#include "fw/base/CString.h"

class CCmdUI;
class CDocument;
class CFrameWnd;
class CWinApp;
class CWnd;

// How OnCmdMsg is asked: run a command, update its user interface, or a
// WM_NOTIFY from a child. Any other value is a control's notification code.
enum : int {
    CN_COMMAND = 0,
    CN_UPDATE_COMMAND_UI = -1,
    CN_NOTIFY = -2,
};

// Framework messages, in the application's own range.
#define WM_IDLEUPDATECMDUI (WM_APP + 0x363)

// Control bar styles, kept apart from the window style bits.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Classes that can be created by name: frames and views by the document
// template and the splitter, documents by the template.
struct CRuntimeClass {
    const char* m_lpszClassName;
    CWnd* (*m_pfnCreateWnd)();
    CDocument* (*m_pfnCreateDocument)();
};

#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)
#define DECLARE_DYNCREATE(theClass) \
public:                             \
    static const CRuntimeClass class##theClass;
#define IMPLEMENT_DYNCREATE(theClass)                 \
    const CRuntimeClass theClass::class##theClass = { \
        #theClass, []() -> CWnd* { return static_cast<CWnd*>(new theClass); }, nullptr};

// One message, command, command-UI update or notification on its way through
// the message maps.
struct AfxMsg {
    enum Kind { windowMessage, command, updateCommandUI, notify, reflectCommand, reflectNotify };
    Kind kind = windowMessage;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;   // command or control ID
    int nCode = 0;  // control notification code (commands), NMHDR code (notifications)
    CCmdUI* pCmdUI = nullptr;
    NMHDR* pNMHDR = nullptr;
    bool bProbe = false;  // only asks whether a command handler exists
    LRESULT result = 0;

    bool IsMessage(UINT msg) const { return kind == windowMessage && message == msg; }
    bool IsCommand(UINT id, int code) const {
        return kind == command && nID == id && nCode == code;
    }
    bool IsCommandRange(UINT first, UINT last) const {
        return kind == command && nCode == CN_COMMAND && nID >= first && nID <= last;
    }
    bool IsUpdate(UINT first, UINT last) const {
        return kind == updateCommandUI && nID >= first && nID <= last;
    }
    bool IsNotify(int code, UINT first, UINT last) const {
        return kind == notify && nCode == code && nID >= first && nID <= last;
    }
};

// Message maps: each class's map is one function that tries its entries in
// order and then hands over to the base class's map.
#define DECLARE_MESSAGE_MAP() \
protected:                    \
    bool ProcessMessageMap(AfxMsg& afxMsg) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)         \
    bool theClass::ProcessMessageMap(AfxMsg& afxMsg) { \
        typedef baseClass TheBaseClass;
#define END_MESSAGE_MAP()                           \
    return TheBaseClass::ProcessMessageMap(afxMsg); \
    }

#define ON_COMMAND(id, memberFxn)             \
    if (afxMsg.IsCommand((id), CN_COMMAND)) { \
        if (!afxMsg.bProbe) memberFxn();      \
        return true;                          \
    }
#define ON_COMMAND_RANGE(first, last, memberFxn)   \
    if (afxMsg.IsCommandRange((first), (last))) {  \
        if (!afxMsg.bProbe) memberFxn(afxMsg.nID); \
        return true;                               \
    }
// The handler answers FALSE to let the command go on to the next target.
#define ON_COMMAND_EX(id, memberFxn)                             \
    if (afxMsg.IsCommand((id), CN_COMMAND)) {                    \
        if (afxMsg.bProbe || memberFxn(afxMsg.nID)) return true; \
    }
#define ON_CONTROL(code, id, memberFxn)   \
    if (afxMsg.IsCommand((id), (code))) { \
        if (!afxMsg.bProbe) memberFxn();  \
        return true;                      \
    }
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    if (afxMsg.IsUpdate((id), (id))) {      \
        memberFxn(afxMsg.pCmdUI);           \
        return true;                        \
    }
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, memberFxn) \
    if (afxMsg.IsUpdate((first), (last))) {                \
        memberFxn(afxMsg.pCmdUI);                          \
        return true;                                       \
    }
#define ON_NOTIFY(code, id, memberFxn)            \
    if (afxMsg.IsNotify((code), (id), (id))) {    \
        memberFxn(afxMsg.pNMHDR, &afxMsg.result); \
        return true;                              \
    }
#define ON_NOTIFY_RANGE(code, first, last, memberFxn)         \
    if (afxMsg.IsNotify((code), (first), (last))) {           \
        memberFxn(afxMsg.nID, afxMsg.pNMHDR, &afxMsg.result); \
        return true;                                          \
    }
#define ON_NOTIFY_REFLECT(code, memberFxn)                                     \
    if (afxMsg.kind == AfxMsg::reflectNotify && afxMsg.nCode == (int)(code)) { \
        memberFxn(afxMsg.pNMHDR, &afxMsg.result);                              \
        return true;                                                           \
    }
#define ON_CONTROL_REFLECT(code, memberFxn)                                     \
    if (afxMsg.kind == AfxMsg::reflectCommand && afxMsg.nCode == (int)(code)) { \
        memberFxn();                                                            \
        return true;                                                            \
    }
#define ON_MESSAGE(msg, memberFxn)                               \
    if (afxMsg.IsMessage(msg)) {                                 \
        afxMsg.result = memberFxn(afxMsg.wParam, afxMsg.lParam); \
        return true;                                             \
    }

// Typed entries for the window messages the layer and the program use.
#define ON_WM_CREATE()                                                             \
    if (afxMsg.IsMessage(WM_CREATE)) {                                             \
        afxMsg.result = OnCreate(reinterpret_cast<LPCREATESTRUCT>(afxMsg.lParam)); \
        return true;                                                               \
    }
#define ON_WM_DESTROY()                 \
    if (afxMsg.IsMessage(WM_DESTROY)) { \
        OnDestroy();                    \
        return true;                    \
    }
#define ON_WM_CLOSE()                 \
    if (afxMsg.IsMessage(WM_CLOSE)) { \
        OnClose();                    \
        return true;                  \
    }
#define ON_WM_SIZE()                                                                        \
    if (afxMsg.IsMessage(WM_SIZE)) {                                                        \
        OnSize(static_cast<UINT>(afxMsg.wParam), static_cast<short>(LOWORD(afxMsg.lParam)), \
               static_cast<short>(HIWORD(afxMsg.lParam)));                                  \
        return true;                                                                        \
    }
#define ON_WM_TIMER()                                  \
    if (afxMsg.IsMessage(WM_TIMER)) {                  \
        OnTimer(static_cast<UINT_PTR>(afxMsg.wParam)); \
        return true;                                   \
    }
#define ON_WM_SETFOCUS()                                                     \
    if (afxMsg.IsMessage(WM_SETFOCUS)) {                                     \
        OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(afxMsg.wParam))); \
        return true;                                                         \
    }
#define ON_WM_PAINT()                 \
    if (afxMsg.IsMessage(WM_PAINT)) { \
        OnPaint();                    \
        return true;                  \
    }
#define AFX_POINT_OF(lp)                                               \
    POINT {                                                            \
        static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)) \
    }
#define ON_WM_LBUTTONDOWN()                                                           \
    if (afxMsg.IsMessage(WM_LBUTTONDOWN)) {                                           \
        OnLButtonDown(static_cast<UINT>(afxMsg.wParam), AFX_POINT_OF(afxMsg.lParam)); \
        return true;                                                                  \
    }
#define ON_WM_LBUTTONUP()                                                           \
    if (afxMsg.IsMessage(WM_LBUTTONUP)) {                                           \
        OnLButtonUp(static_cast<UINT>(afxMsg.wParam), AFX_POINT_OF(afxMsg.lParam)); \
        return true;                                                                \
    }
#define ON_WM_MOUSEMOVE()                                                           \
    if (afxMsg.IsMessage(WM_MOUSEMOVE)) {                                           \
        OnMouseMove(static_cast<UINT>(afxMsg.wParam), AFX_POINT_OF(afxMsg.lParam)); \
        return true;                                                                \
    }
#define ON_WM_SETCURSOR()                                                                    \
    if (afxMsg.IsMessage(WM_SETCURSOR)) {                                                    \
        afxMsg.result = OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(afxMsg.wParam)), \
                                    LOWORD(afxMsg.lParam), HIWORD(afxMsg.lParam));           \
        return true;                                                                         \
    }
#define ON_WM_KEYDOWN()                                                                            \
    if (afxMsg.IsMessage(WM_KEYDOWN)) {                                                            \
        OnKeyDown(static_cast<UINT>(afxMsg.wParam), LOWORD(afxMsg.lParam), HIWORD(afxMsg.lParam)); \
        return true;                                                                               \
    }
#define ON_WM_CONTEXTMENU()                                                    \
    if (afxMsg.IsMessage(WM_CONTEXTMENU)) {                                    \
        OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(afxMsg.wParam)), \
                      AFX_POINT_OF(afxMsg.lParam));                            \
        return true;                                                           \
    }
#define ON_WM_DROPFILES()                                    \
    if (afxMsg.IsMessage(WM_DROPFILES)) {                    \
        OnDropFiles(reinterpret_cast<HDROP>(afxMsg.wParam)); \
        return true;                                         \
    }
#define ON_WM_INITMENUPOPUP()                                                          \
    if (afxMsg.IsMessage(WM_INITMENUPOPUP)) {                                          \
        OnInitMenuPopup(reinterpret_cast<HMENU>(afxMsg.wParam), LOWORD(afxMsg.lParam), \
                        HIWORD(afxMsg.lParam));                                        \
        return true;                                                                   \
    }
#define ON_WM_MENUSELECT()                                         \
    if (afxMsg.IsMessage(WM_MENUSELECT)) {                         \
        OnMenuSelect(LOWORD(afxMsg.wParam), HIWORD(afxMsg.wParam), \
                     reinterpret_cast<HMENU>(afxMsg.lParam));      \
        return true;                                               \
    }
#define ON_WM_MOUSEACTIVATE()                                                                    \
    if (afxMsg.IsMessage(WM_MOUSEACTIVATE)) {                                                    \
        afxMsg.result = OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(afxMsg.wParam)), \
                                        LOWORD(afxMsg.lParam), HIWORD(afxMsg.lParam));           \
        return true;                                                                             \
    }
// WM_CTLCOLORxxx from the window's controls; nCtlColor is the CTLCOLOR_ kind.
#define ON_WM_CTLCOLOR()                                                               \
    if (afxMsg.kind == AfxMsg::windowMessage && afxMsg.message >= WM_CTLCOLORMSGBOX && \
        afxMsg.message <= WM_CTLCOLORSTATIC) {                                         \
        afxMsg.result = reinterpret_cast<LRESULT>(                                     \
            OnCtlColor(reinterpret_cast<HDC>(afxMsg.wParam),                           \
                       CWnd::FromHandle(reinterpret_cast<HWND>(afxMsg.lParam)),        \
                       afxMsg.message - WM_CTLCOLORMSGBOX));                           \
        return true;                                                                   \
    }

// Application-wide accessors.
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// A string-table entry in the ANSI code page; FALSE (and empty) when missing.
BOOL AfxLoadString(UINT nID, CString& rString);
CString AfxLoadString(UINT nID);
// One field of a "prompt\ntooltip" or template string; empty when missing.
CString AfxExtractSubString(const CString& strFull, int iSubString, char chSep = '\n');
// A bitmap resource with its standard black, greys and white mapped to the
// current button text, shadow, face and highlight colours; nullptr when
// missing.
HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, UINT nIDResource);

// Installs the Win32 message box (captioned with the application name) and
// the wait cursor behind the portable hooks.
void AfxInstallWin32Hooks();

// Runs the application object: InitInstance, the message loop, ExitInstance.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
