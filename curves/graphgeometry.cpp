#include "curves/graphgeometry.h"
