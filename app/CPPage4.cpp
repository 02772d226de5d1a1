#include "app/CPPage4.h"

#include "res/resource.h"

CPPage4::CPPage4() : CPropertyPage(IDD_PPAGE4) {}
