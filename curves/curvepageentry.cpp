// The curve page's grid handlers and its checks of what the clinician typed into the
// user columns: which cells may be current, which keys a row takes, what leaving a
// cell says, and the refused and dropped values that stop or precede a store.
#include "controls/datagrid.h"
#include "controls/statusnote.h"
#include "curves/curvegridview.h"
#include "curves/curvepage.h"
#include "model/document.h"
#include "platform/dialogservice.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStringList>

#include <optional>

// Moving to another cell after an edit reads the grid again.
bool TfmCurveEdit::DataEntryGridSelectCell(int column, int row) {
    if (gridEdited) {
        readCurves();
        gridEdited = false;
    }
    return curveCellSelectable(column, row);
}

// Each row takes its own characters; everything else is swallowed. Keys that type
// nothing (arrows, Home) pass; Delete passes too, and the change it makes counts as
// an edit. Enter is the grid's: it commits, reads the curves (enterPressed) and
// moves down.
bool TfmCurveEdit::DataEntryGridKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace) {
        gridEdited = true;
        markModified();
        return false;
    }
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Delete)
        return false;
    if (text.size() > 1 || !curveCellAccepts(DataEntryGrid->currentRow(), text.at(0).unicode()))
        return true;
    gridEdited = true;
    markModified();
    return false;
}

void TfmCurveEdit::enterPressed() {
    if (gridEdited)
        readCurves();
}

// Every text written into a cell passes here, the page's own fills as well: only a
// user cell typed into since the ear was loaded is stored. A refused text stays out
// of the record, and the document stays marked while the clinician corrects it.
void TfmCurveEdit::userCellCommitted(int column, int row) {
    if (filling_ || !entry_.wasEdited(column, row))
        return;
    if (entry_.firstRefused(curveGridTexts(*DataEntryGrid), column, row))
        return;
    storePage();
    const QString name = DataEntryGrid->item(row, column)->data(Qt::AccessibleTextRole).toString();
    commitChange(name.toStdString(), placeHere(DataEntryGrid, column, row));
}

ChangePlace TfmCurveEdit::placeHere(const QWidget* field, int column, int row) const {
    ChangePlace place = placeOf(field, column, row);
    place.ear = recordIndex(currentEar);
    return place;
}

void TfmCurveEdit::showChange(const ChangePlace& place) {
    const Ear ear = place.ear == recordIndex(Ear::Left) ? Ear::Left : Ear::Right;
    if (place.ear >= 0 && ear != currentEar)
        ToggleEarButtonClick();
    PageForm::showChange(place);
}

// A value no hearing aid has (a gain, ratio or level off its scale) or a text that is
// no number keeps the clinician in the cell; a threshold 2 typed as an output level
// that has no first segment to lie on yet is named as they move on.
bool TfmCurveEdit::DataEntryGridCellLeaving(int column, int row) {
    const UserCell cell{
        column, row, judgeTypedCurveText(row, DataEntryGrid->cellText(column, row).toStdString())};
    if (cell.judgement.verdict == EntryVerdict::Refused) {
        statusNote(this, userCellNote(cell));
        return false;
    }
    if (row != kRowThreshold2)
        return true;
    std::string texts[kCurveParameterRows];
    for (int r = 0; r < kCurveParameterRows; ++r)
        texts[r] = DataEntryGrid->cellText(column, r).toStdString();
    const std::string note = threshold2Note(texts);
    if (!note.empty())
        statusNote(this, userCellNote({column, row, {EntryVerdict::Dropped, note}}));
    return true;
}

// "Right graph, 4000 Hz (user), Comp. Threshold 1: 20 dB is outside the scale: type a
// level from 30 to 130 dB."
QString TfmCurveEdit::userCellNote(const UserCell& cell) const {
    const GraphSide side = cell.column == kLeftUserColumn ? GraphSide::Left : GraphSide::Right;
    return userCellPlace(cell.column, cell.row, choices_.userCaption(side)) +
           QString::fromStdString(cell.judgement.note);
}

// A threshold 2 typed as an output level that cannot be placed is named before the
// page stores it as missing, however the page is left: Switch ears, an aid choice,
// Save, another page.
void TfmCurveEdit::noteUnplacedThresholds() {
    QStringList notes;
    for (const UserCell& cell : entry_.unplacedThresholds(curveGridTexts(*DataEntryGrid)))
        notes << userCellNote(cell);
    if (!notes.isEmpty())
        statusNote(this, notes.join(QLatin1Char(' ')));
}

// A refused value in a user cell keeps the page, the ear, the aid and the record as
// they are: the clinician is taken to the cell and told why. Save, which may be chosen
// from the menu with the grid out of mind, says it in a message box too.
bool TfmCurveEdit::reportRefusedCell(bool messageBox) {
    const std::optional<UserCell> refused =
        entry_.firstRefused(curveGridTexts(*DataEntryGrid), DataEntryGrid->currentColumn(),
                            DataEntryGrid->currentRow());
    if (!refused)
        return false;
    const QString note = userCellNote(*refused);
    if (messageBox)
        dialogs().error(this, QStringLiteral("TAVIK"), note);
    showRefusedCell(refused->column, refused->row);
    statusNote(this, note);
    return true;
}

// The cell with its editor open, the text as typed and the cursor at its end: no
// selection for the next key to overwrite.
void TfmCurveEdit::showRefusedCell(int column, int row) {
    if (!isVisible())
        return;
    DataEntryGrid->returnToCell(column, row);
}

bool TfmCurveEdit::canLeave() {
    return !reportRefusedCell(false);
}

// The typing marked the document; with the stored text back the mark follows the file.
bool TfmCurveEdit::takeBackRefused() {
    const CurveGrid shown = curveGridTexts(*DataEntryGrid);
    const std::optional<UserCell> refused =
        entry_.firstRefused(shown, DataEntryGrid->currentColumn(), DataEntryGrid->currentRow());
    if (!refused)
        return false;
    const std::string stored = entry_.asRead(shown).cell[refused->column][refused->row];
    {
        const QScopedValueRollback<bool> filling(filling_, true);
        DataEntryGrid->setCellText(refused->column, refused->row, QString::fromStdString(stored));
    }
    endStatusNote(this, userCellNote(*refused));
    refreshModified();
    return true;
}

bool TfmCurveEdit::canStore() {
    return !reportRefusedCell(true);
}

// Exit asks about unsaved changes first, and Save refuses what a cell cannot store;
// answered No, the clinician has chosen to go without it, and the refused text never
// reaches the record.
bool TfmCurveEdit::canClose() {
    return true;
}
