#include "views/CEditVw.h"

IMPLEMENT_DYNCREATE(CEditVw)
