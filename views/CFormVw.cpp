#include "views/CFormVw.h"

#include "res/resource.h"

IMPLEMENT_DYNCREATE(CFormVw)

CFormVw::CFormVw() : CFormView(IDD_FORMVW) {}
