#include "kvmanualclock.h"
