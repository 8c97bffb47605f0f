#include "model/fittingrecord.h"

#include "model/textslot.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

void resetFitting(FittingRecord& record, std::string_view testDate) {
    std::memset(&record, 0, sizeof record);
    writeText(record.fileTag, "TAVIKWIN1");
    writeText(record.testDate, testDate);
    record.leftLevelSource = 0;
    record.rightLevelSource = 0;
    record.rightAidStyle = 1;
    record.leftAidStyle = 1;
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            record.leftLoudness[f][c] = kEmptyLevel;
            record.rightLoudness[f][c] = kEmptyLevel;
        }
    }
    record.rightRangeLow = 1;
    record.rightRangeHigh = 4;
    record.leftRangeLow = 1;
    record.leftRangeHigh = 4;
    record.showInHL = 1;
    for (auto& ear : record.aidSettings) {
        for (AidSetting& s : ear) {
            s.curveChoice = 0;
            s.aidChoice = 0;
            s.curve.gainAt50 = kEmptyValue;
            s.curve.threshold1 = kEmptyValue;
            s.curve.ratio1 = kEmptyValue;
            s.curve.threshold2 = kEmptyValue;
            s.curve.ratio2 = kEmptyValue;
            s.curve.maxOutput = kEmptyValue;
            s.curve.threshold1IsOutput = 0;
            s.curve.threshold2IsOutput = 0;
        }
    }
}

std::string listWithAnd(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += i + 1 == parts.size() ? " and " : ", ";
        text += parts[i];
    }
    return text;
}

std::string frequencyList(const std::vector<int>& frequencies) {
    std::vector<std::string> captions;
    for (const int f : frequencies)
        captions.emplace_back(f >= 0 && f < kFrequencyCount ? frequencyCaptions[f] : "?");
    return listWithAnd(captions);
}

std::string formatTestDate(int year, int month, int day, char separator) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%04d", month, separator, day, separator, year);
    return text;
}

std::string todayTestDate(char separator) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return formatTestDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, separator);
}

char systemDateSeparator() {
    // Format a known date in the user's locale and take the first character that is
    // not a digit: "07/04/07" gives '/', "04.07.2007" gives '.'. Separators other
    // than '.', '-' and '/' (a blank, or a byte of a wider character) give '/'.
    try {
        std::tm date{};
        date.tm_year = 107;
        date.tm_mon = 6;
        date.tm_mday = 4;
        std::ostringstream out;
        out.imbue(std::locale(""));
        out << std::put_time(&date, "%x");
        for (const char ch : out.str()) {
            if (ch < '0' || ch > '9')
                return (ch == '.' || ch == '-' || ch == '/') ? ch : '/';
        }
    } catch (const std::exception&) {
        // An unknown locale name in the environment: fall back to the slash.
    }
    return '/';
}
