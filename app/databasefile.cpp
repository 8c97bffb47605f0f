#include "app/databasefile.h"

#include "model/aiddatabase.h"
#include "platform/dialogservice.h"

#include <QString>

namespace {

const QString kUnreadableText = QStringLiteral(
    "The hearing aid database could not be read:\n%1\n\nTAVIK shows the default entries "
    "for now. The file is left as it is when TAVIK closes, unless you change an entry and "
    "agree to replace it.");

const QString kReplaceText = QStringLiteral(
    "The hearing aid database \"%1\" could not be read when TAVIK started, and you have "
    "changed entries since.\n\nReplace that file with the entries as they are now? If you "
    "choose No, the file stays as it is and your changes to the database are lost.");

} // namespace

void loadAidDatabaseAtStart(QWidget* window) {
    const AidDatabaseLoad load = loadAidDatabase();
    if (load.source == AidDatabaseSource::Unreadable)
        dialogs().warning(window, QStringLiteral("TAVIK"),
                          kUnreadableText.arg(QString::fromStdString(load.reason)));
}

void saveAidDatabaseAtExit(QWidget* window) {
    saveAidDatabase([window] {
        const QString path = QString::fromStdString(aidDatabasePath());
        return dialogs().question(window, QStringLiteral("Confirm"), kReplaceText.arg(path)) ==
               DialogAnswer::Yes;
    });
}
