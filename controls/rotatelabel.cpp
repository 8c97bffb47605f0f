#include "controls/rotatelabel.h"
