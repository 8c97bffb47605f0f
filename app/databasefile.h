// The hearing-aid database file at start and at exit, with the clinician told and
// asked where the file cannot simply be read or written.
#pragma once

class QWidget;

// Reads TAVIK.TDB from the start-up folder. A missing file gives the default entries
// without a word; a file that is there but cannot be read is reported, naming the
// file and the reason, and the defaults are shown meanwhile.
void loadAidDatabaseAtStart(QWidget* window);

// Writes TAVIK.TDB after the database page has stored the entry it shows. A file that
// could not be read at start is left alone unless an entry changed and the clinician
// agrees to replace it. Raises FileError when the file cannot be written.
void saveAidDatabaseAtExit(QWidget* window);
