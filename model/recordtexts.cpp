#include "model/recordtexts.h"

std::string levelSourceText(int32_t levelSource) {
    switch (levelSource) {
    case 0:
        return "measured";
    case 1:
        return "predicted from threshold";
    case 2:
        return "predicted from threshold and UCL";
    default:
        return "not recorded";
    }
}

std::string fittingTypeText(int32_t binauralFitting) {
    return binauralFitting == 1 ? "Binaural" : "Monaural";
}
