// The program's entry point and its one application object.
#include "app/COrdelinkApp.h"

COrdelinkApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) {
    return AfxWinMain(hInstance, nCmdShow);
}
