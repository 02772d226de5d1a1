#include "chrome/CToolBarEx.h"
