#include "model/levelunits.h"

int32_t splCorrection(int frequency) {
    if (frequency < 0 || frequency >= kFrequencyCount)
        return 0;
    return hlToSplCorrection[frequency];
}

long long shownLevel(int32_t stored, int frequency, bool showInHL) {
    return static_cast<long long>(stored) - (showInHL ? splCorrection(frequency) : 0);
}

long long storedLevel(long long shown, int frequency, bool showInHL) {
    return shown + (showInHL ? splCorrection(frequency) : 0);
}

const char* unitName(bool showInHL) {
    return showInHL ? "dB HL" : "dB SPL";
}
