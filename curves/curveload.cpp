#include "curves/curveload.h"

#include "model/textslot.h"

std::string userPanelCaption(int frequencyIndex) {
    return std::to_string(frequencyHz[frequencyIndexOrFirst(frequencyIndex)]) + " Hz (user)";
}

void showAid(CurveGrid& grid, const AidDatabase& database, int aid, int column,
             int frequencyIndex) {
    writeStoredCurve(grid, column,
                     database.aidData[choiceOrFirst(aid)][frequencyIndexOrFirst(frequencyIndex)]);
}

void scoreCompleteCurves(CurveGrid& grid, CurveParams (&curves)[kCurveCount],
                         const EarFitPoints& points) {
    for (int index = 0; index < kCurveCount; ++index) {
        if (curves[index].complete)
            rmsError(grid, curves, index, points);
        else
            grid.cell[index + 1][kRowRmsError].clear();
    }
}

EarCurves loadEarCurves(const FittingRecord& record, const AidDatabase& database, Ear ear) {
    EarCurves page;
    page.targets = loadTargets(record, ear);
    const int style = earAidStyle(record, ear);
    for (const GraphSide side : kGraphSides)
        page.fitPoints[sideIndex(side)] = fitPoints(page.targets, style, side);

    const int lf = page.targets.graphFrequency[sideIndex(GraphSide::Left)];
    const int rf = page.targets.graphFrequency[sideIndex(GraphSide::Right)];
    const AidSetting& left = record.aidSettings[recordIndex(ear)][lf];
    const AidSetting& right = record.aidSettings[recordIndex(ear)][rf];
    const int leftShape = choiceOrFirst(left.curveChoice);
    const int rightShape = choiceOrFirst(right.curveChoice);
    const int leftAid = choiceOrFirst(left.aidChoice);
    const int rightAid = choiceOrFirst(right.aidChoice);

    page.controls[kLeftSideCurveCombo] = curveShapeNames[leftShape];
    page.controls[kLeftCurveUserPanel] = userPanelCaption(lf);
    page.controls[kLeftSideHAidCombo] = readText(database.aidShortNames[leftAid]);
    page.controls[kRightSideCurveCombo] = curveShapeNames[rightShape];
    page.controls[kRightCurveUserPanel] = userPanelCaption(rf);
    page.controls[kRightSideHAidCombo] = readText(database.aidShortNames[rightAid]);
    page.aidLongNames = {readText(database.aidLongNames[leftAid]),
                         readText(database.aidLongNames[rightAid])};

    writeStoredCurve(page.grid, 2, left.curve);
    writeStoredCurve(page.grid, 5, right.curve);
    fitCurve(page.grid, GraphSide::Left, leftShape, page.fitPoints[sideIndex(GraphSide::Left)],
             maxOutputForFit(page.targets, GraphSide::Left));
    fitCurve(page.grid, GraphSide::Right, rightShape, page.fitPoints[sideIndex(GraphSide::Right)],
             maxOutputForFit(page.targets, GraphSide::Right));
    showAid(page.grid, database, leftAid, 3, lf);
    showAid(page.grid, database, rightAid, 6, rf);

    readCurves(page.grid, page.curves);
    scoreCompleteCurves(page.grid, page.curves, page.fitPoints);
    return page;
}
