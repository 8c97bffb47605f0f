// The File menu's list of the patient files used last, "&1 SMITH.TAV" to "&8 …" with
// Alt+1 to Alt+8, each with its full path as tool tip. A file that is no longer there
// is shown greyed with the reason, and "Remove Missing Files" takes such entries off.
#pragma once

#include "model/recentlist.h"

#include <QObject>
#include <QString>

#include <array>

class QAction;
class QMenu;
class QWidget;

class RecentFilesMenu : public QObject {
    Q_OBJECT
  public:
    // Adds the entries at the end of the menu, after a separator of their own; they
    // and the separator show only while the list holds files.
    RecentFilesMenu(QMenu* menu, QWidget* window);

    const RecentList& files() const { return files_; }
    void setFiles(RecentList files);
    // A file opened or saved comes first.
    void add(const QString& path);
    // Takes the files that are not there off the list.
    void removeMissing();

  signals:
    // An entry was chosen whose file is there.
    void openRequested(const QString& path);

  private:
    void refresh();
    void choose(std::size_t index);

    QWidget* window_;
    RecentList files_;
    QAction* separator_;
    std::array<QAction*, kRecentFilesLimit> entries_{};
    QAction* removeMissing_;
};
