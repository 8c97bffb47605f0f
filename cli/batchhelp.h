// The manual of tavik-cli batch, one entry of the table in cli/help.cpp.
#pragma once

inline constexpr const char* kBatchSynopsis =
    "DIR -o OUTDIR [--ears right,left] [--curves fitted,user,aid] [--page a4|letter] "
    "[--db TAVIK.TDB] [--jobs N] [--summary FILE.csv] [--force]";
inline constexpr const char* kBatchSummary =
    "write the printed reports of every patient file under a folder as PDFs";
inline constexpr const char* kBatchDescription =
    "Writes the printed reports of every patient file under the folder DIR, at any depth "
    "(names ending in .TAV in any case; links to folders are not followed), as PDFs in OUTDIR: "
    "one PDF per patient and ear, named after the file without its extension and the ear, "
    "SMITH.TAV giving SMITH-right.pdf and SMITH-left.pdf, in the sub-folder of OUTDIR that "
    "matches the file's. Two files of one folder whose names differ only in case before the "
    "extension (SMITH.TAV, smith.tav) keep their whole name (SMITH.TAV-right.pdf); a name that "
    "another output has already, case not told apart (in the sub-folders too), gets ~2, ~3, "
    "... (smith.tav~2-right.pdf). Each PDF holds the pages report writes for the ear with one "
    "copy, drawn by the same code; each file is loaded as for report, with the database read "
    "once for all.\nEvery file is written whole or not at all. A PDF that is there already is "
    "kept and named on standard error unless --force is given; that is no failure. Pairs "
    "without a curve and out-of-date levels are named on standard error as report names them, "
    "one line per patient-ear; an ear with no curve to print in any pair asked for gets no "
    "PDF, \"no PDF written: no pair asked for has a curve\" in the summary's error column, "
    "and that is no failure either (the other ear of a monaural fitting). A file that "
    "cannot be read or is no patient file, and a folder under DIR that cannot be read, is "
    "named on standard error with the reason and in the summary, and the others go on; the "
    "exit status is then 1, as it is when the PDFs could not be made durable at the end. On a "
    "terminal a line shows the progress: a bar, the patient-ears done of all, how many a "
    "second and the time left; elsewhere only the errors are printed.\nCtrl+C (or SIGTERM) "
    "stops the batch: no new file is begun, the files in hand are finished, the number done is "
    "printed, no summary is written and the exit status is 130; so also when it comes while "
    "the PDFs are synced to the disk at the end.";
