#include "app/recentfiles.h"

#include "platform/dialogservice.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace {

bool isMissing(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    return !file.exists() || file.isDir();
}

QString entryText(std::size_t index, const std::string& path) {
    // An ampersand in a file name is shown, not taken as the item's key.
    QString name = QFileInfo(QString::fromStdString(path)).fileName().toUpper();
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    QString text = QStringLiteral("&%1 %2").arg(index + 1).arg(name);
    if (isMissing(path))
        text += QStringLiteral(" (file not found)");
    return text;
}

} // namespace

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QWidget* window) : QObject(window), window_(window) {
    separator_ = menu->addSeparator();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        QAction* entry = menu->addAction(QString());
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        entry->setShortcut(QKeySequence(Qt::ALT | (Qt::Key_1 + static_cast<int>(i))));
        connect(entry, &QAction::triggered, this, [this, i] { choose(i); });
        entries_[i] = entry;
    }
    removeMissing_ = menu->addAction(QStringLiteral("&Remove Missing Files"));
    removeMissing_->setObjectName(QStringLiteral("RemoveMissingFiles1"));
    connect(removeMissing_, &QAction::triggered, this, &RecentFilesMenu::removeMissing);
    // Whether a file is there is looked at each time the menu opens.
    connect(menu, &QMenu::aboutToShow, this, &RecentFilesMenu::refresh);
    refresh();
}

void RecentFilesMenu::setFiles(RecentList files) {
    files_ = std::move(files);
    refresh();
}

void RecentFilesMenu::add(const QString& path) {
    files_ = withRecentFile(std::move(files_), QFileInfo(path).absoluteFilePath().toStdString());
    refresh();
}

void RecentFilesMenu::removeMissing() {
    std::erase_if(files_, isMissing);
    refresh();
}

void RecentFilesMenu::refresh() {
    bool anyMissing = false;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        QAction* entry = entries_[i];
        const bool used = i < files_.size();
        entry->setVisible(used);
        if (!used)
            continue;
        const bool missing = isMissing(files_[i]);
        anyMissing = anyMissing || missing;
        const QString path = QString::fromStdString(files_[i]);
        entry->setText(entryText(i, files_[i]));
        entry->setEnabled(!missing);
        entry->setToolTip(missing ? path + QStringLiteral(": file not found") : path);
        entry->setStatusTip(entry->toolTip());
    }
    separator_->setVisible(!files_.empty());
    removeMissing_->setVisible(anyMissing);
}

// Alt+1 .. Alt+8 reach an entry without the menu; a file gone since the menu was
// last opened is offered for removal instead of being opened.
void RecentFilesMenu::choose(std::size_t index) {
    if (index >= files_.size())
        return;
    const std::string path = files_[index];
    if (!isMissing(path)) {
        emit openRequested(QString::fromStdString(path));
        return;
    }
    const QString text = QStringLiteral("The file %1 was not found.  Remove it from the list of "
                                        "recent files?")
                             .arg(QString::fromStdString(path));
    if (dialogs().question(window_, QStringLiteral("Recent Files"), text) == DialogAnswer::Yes)
        std::erase(files_, path);
    refresh();
}
