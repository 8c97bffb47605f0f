// The database page's shown entry: loaded into the edits and the grid, stored back
// as far as the clinician changed it, the values it drops or refuses named in the
// status bar, and the database file written whenever an entry changed.
#include "controls/datagrid.h"
#include "controls/statusnote.h"
#include "model/aiddatabase.h"
#include "model/document.h"
#include "model/fileio.h"
#include "pages/databasepage.h"
#include "platform/dialogservice.h"

#include <QStringList>

#include <algorithm>
#include <cstring>

namespace {

const QString kBadNumberText = QStringLiteral("'%1' is not a valid floating point value");
const QString kCloseWithoutEntryText =
    QStringLiteral("The hearing aid entry shown cannot be stored while one of its cells is not a "
                   "number or holds a value no hearing aid has.\n\nClose TAVIK without the changes "
                   "to this entry? It is then kept as it was "
                   "before. Choose No to go back and correct it.");

const QString kReplaceDuringRunText = QStringLiteral(
    "The hearing aid database \"%1\" could not be read when TAVIK started, and you have "
    "changed an entry.\n\nReplace that file with the entries as they are now? TAVIK then "
    "keeps it up to date with every change. If you choose No, the file stays as it is "
    "until TAVIK closes, and your changes to the database are not saved.");

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// --- loading and storing ------------------------------------------------------

void TfmPage3::loadAidEntry(int n) {
    const AidEntryTexts texts = aidEntryTexts(aidDatabase, n);
    EditLongName->setText(latin1(texts.longName));
    // A label from a file may use the slot's ninth character: shown whole, so that
    // merely looking at the entry does not shorten it.
    EditShortName->setMaxLength(
        std::max(kAidShortNameLimit, static_cast<int>(texts.shortName.size())));
    EditShortName->setText(latin1(texts.shortName));
    for (int f = 0; f < kAidGridColumns; ++f) {
        for (int row = 0; row < kAidGridRows; ++row)
            HADataGrid->setCellText(f, row, latin1(texts.cell[f][row]));
    }
    lastStored_ = aidDatabase;
    // What the page shows, which an edit may have cut (a name that fills its slot).
    loadedTexts_ = shownTexts();
}

AidEntryTexts TfmPage3::shownTexts() const {
    HADataGrid->commitEditor();
    AidEntryTexts texts;
    texts.longName = EditLongName->text().toLatin1().toStdString();
    texts.shortName = EditShortName->text().toLatin1().toStdString();
    for (int f = 0; f < kAidGridColumns; ++f) {
        for (int row = 0; row < kAidGridRows; ++row)
            texts.cell[f][row] = HADataGrid->cellText(f, row).toLatin1().toStdString();
    }
    return texts;
}

bool TfmPage3::storeAidEntry(int n) {
    // Compared with the entry as last stored: a store that stopped at a bad cell may
    // have left part of the edit in memory, which the file has not had yet.
    const AidDatabase before = lastStored_;
    if (!storeEntryOnly(n))
        return false;
    if (std::memcmp(&before, &aidDatabase, sizeof before) != 0)
        writeDatabase();
    return true;
}

bool TfmPage3::storeEntryOnly(int n) {
    const AidEntryTexts shown = shownTexts();
    if (refuseCellOnStore(shown))
        return false;
    // Untouched cells keep the values the texts were loaded from, not what a store
    // that stopped at a bad cell left of them.
    copyAidEntry(lastStored_, aidDatabase, n);
    const std::optional<BadAidCell> bad =
        storeChangedAidEntryTexts(shown, loadedTexts_, aidDatabase, n);
    if (bad) {
        reportBadCell(*bad, isVisible());
        return false;
    }
    noteDroppedCells(shown);
    lastStored_ = aidDatabase;
    loadedTexts_ = shown;
    return true;
}

void TfmPage3::writeDatabase() {
    try {
        writeAidDatabaseNow([this] {
            const QString path = QString::fromStdString(aidDatabasePath());
            return dialogs().question(this, QStringLiteral("Confirm"),
                                      kReplaceDuringRunText.arg(path)) == DialogAnswer::Yes;
        });
    } catch (const FileError& error) {
        dialogs().error(this, QStringLiteral("TAVIK"), QString::fromLocal8Bit(error.what()));
    }
}

// A gain or a ratio no hearing aid has, typed and left without moving off its cell
// (a click on a step button), is refused here as it is on leaving the cell.
bool TfmPage3::refuseCellOnStore(const AidEntryTexts& shown) {
    for (const AidCellNote& note : changedCellsNotKept(shown, loadedTexts_)) {
        if (note.cell.judgement.verdict != EntryVerdict::Refused)
            continue;
        statusNote(this, cellPlace(note.column, note.cell.row) +
                             QString::fromStdString(note.cell.judgement.note));
        if (isVisible())
            HADataGrid->returnToCell(note.column, note.cell.row);
        return true;
    }
    return false;
}

// Values the store dropped, in the cells the clinician changed, are named.
void TfmPage3::noteDroppedCells(const AidEntryTexts& shown) {
    QStringList notes;
    for (const AidCellNote& note : changedCellsNotKept(shown, loadedTexts_)) {
        if (note.cell.judgement.verdict == EntryVerdict::Dropped)
            notes << cellPlace(note.column, note.cell.row) +
                         QString::fromStdString(note.cell.judgement.note);
    }
    if (!notes.isEmpty())
        statusNote(this, notes.join(QStringLiteral("  ")));
}

// "1 KHz, Compression Threshold 1: ", which the status notes begin with.
QString TfmPage3::cellPlace(int column, int row) const {
    return QStringLiteral("%1, %2: ")
        .arg(QString::fromLatin1(frequencyCaptions[column]),
             QString::fromLatin1(aidGridRowHeadings[row]));
}

bool TfmPage3::HADataGridCellLeaving(int column, int row) {
    const EntryJudgement judgement =
        judgeParameterText(row, HADataGrid->cellText(column, row).toLatin1().toStdString());
    switch (judgement.verdict) {
    case EntryVerdict::Kept:
        return true;
    case EntryVerdict::NoNumber:
        statusNote(this, cellPlace(column, row) +
                             kBadNumberText.arg(HADataGrid->cellText(column, row).remove(' ')));
        return true;
    case EntryVerdict::Dropped:
        statusNote(this, cellPlace(column, row) + QString::fromStdString(judgement.note));
        return true;
    case EntryVerdict::Refused:
        statusNote(this, cellPlace(column, row) + QString::fromStdString(judgement.note));
        return false;
    }
    return true;
}

// The message names the cell's text, and the status bar its row and frequency; the
// clinician is taken to the cell to correct it.
void TfmPage3::reportBadCell(const BadAidCell& bad, bool showCell) {
    const QString message = kBadNumberText.arg(latin1(bad.text));
    dialogs().error(this, QStringLiteral("TAVIK"), message);
    statusNote(this, cellPlace(bad.column, bad.row) + message);
    if (showCell)
        HADataGrid->returnToCell(bad.column, bad.row);
}

void TfmPage3::restoreShownEntry() {
    copyAidEntry(lastStored_, aidDatabase, currentAid);
    loadAidEntry(currentAid);
}

// At exit the file gets the entry shown. The close has stored it already, or put it
// back when the clinician chose to close without it; a store that fails here all the
// same puts it back too, so the file is never written with a half-stored entry.
void TfmPage3::storeBeforeDatabaseSave() {
    if (isVisible() && !storeEntryOnly(currentAid))
        restoreShownEntry();
}

bool TfmPage3::canLeave() {
    return storeAidEntry(currentAid);
}

bool TfmPage3::canClose() {
    if (storeEntryOnly(currentAid))
        return true;
    if (dialogs().question(this, QStringLiteral("Confirm"), kCloseWithoutEntryText) !=
        DialogAnswer::Yes)
        return false;
    restoreShownEntry();
    return true;
}
