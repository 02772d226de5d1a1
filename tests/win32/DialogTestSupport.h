// Driving the modal dialogs of the test's own thread: a thread timer, whose
// ticks the dialog's message loop dispatches, runs scripted steps against
// the dialog that is open.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ModalDriver {
public:
    // A step returns true when it is done; false to be tried at the next tick
    // (the dialog may not be ready).
    using Step = std::function<bool(HWND hDlg)>;

    explicit ModalDriver(std::vector<Step> steps);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Every step ran; otherwise the dialog was closed after the time limit.
    bool Finished() const { return m_nNext == m_steps.size(); }
    size_t StepsDone() const { return m_nNext; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunTick();
    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    DWORD m_dwStart = 0;
    UINT_PTR m_idTimer = 0;
};

// The enabled, visible dialog window of this thread that is in front.
HWND FindOpenDialog();
// The text of a window in the active code page.
std::string TextOf(HWND hWnd);

// Property sheet steps
ModalDriver::Step SelectPage(int nPage);
ModalDriver::Step ClickOnPage(int nCtrlID);
ModalDriver::Step PressSheetButton(int nButton);  // PSBTN_OK, PSBTN_CANCEL
// Runs f on the current page's window.
ModalDriver::Step OnPage(std::function<void(HWND hSheet, HWND hPage)> f);
// Any dialog: a command as its button sends it.
ModalDriver::Step PressButton(int nID);
ModalDriver::Step Do(std::function<void(HWND hDlg)> f);
