#include "curves/curvegraphs.h"
