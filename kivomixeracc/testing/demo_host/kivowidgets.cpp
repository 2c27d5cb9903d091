#include "kivowidgets.h"
