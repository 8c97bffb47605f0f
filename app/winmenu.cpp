// The main window's menu: File with the document commands and their keys, Edit with
// Undo and Redo, Items with
// one item per page of the page table, Help with the guide and the About screen.
#include "app/winmain.h"

#include "app/editcommands.h"
#include "app/patientlist.h"
#include "app/recentfiles.h"
#include "model/document.h"
#include "model/settings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

namespace {

// A menu caption with the keys its item shows, after a tab: a menu shows the text
// after the tab where it would show the item's one shortcut.
QString withKeys(const QString& caption, const QList<QKeySequence>& keys) {
    QStringList names;
    for (const QKeySequence& key : keys)
        names << key.toString(QKeySequence::NativeText);
    return caption + QLatin1Char('\t') + names.join(QStringLiteral(", "));
}

} // namespace

// The menu items show their keys. Exit keeps Alt+X and takes the common Ctrl+Q as
// well; its item names both. F1 is taken by the help key everywhere in the program
// (app/helprequests.h); the item for the page's topic only names it.
void TfmWinMain::buildMenu() {
    const auto add = [this](QMenu* menu, const QString& name, const QString& caption,
                            void (TfmWinMain::*handler)(), const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    New1 = add(file, QStringLiteral("New1"), QStringLiteral("&New"), &TfmWinMain::New1Click,
               QKeySequence(Qt::CTRL | Qt::Key_N));
    Load1 = add(file, QStringLiteral("Load1"), QStringLiteral("&Load"), &TfmWinMain::Load1Click,
                QKeySequence(Qt::CTRL | Qt::Key_O));
    add(file, QStringLiteral("Patients1"), QStringLiteral("&Patients..."),
        &TfmWinMain::Patients1Click, QKeySequence(Qt::CTRL | Qt::Key_P));
    Save1 = add(file, QStringLiteral("Save1"), QStringLiteral("&Save"), &TfmWinMain::Save1Click,
                QKeySequence(Qt::CTRL | Qt::Key_S));
    add(file, QStringLiteral("SaveAs1"), QStringLiteral("Save &As.."), &TfmWinMain::SaveAs1Click,
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    recentFiles_ = new RecentFilesMenu(file, this);
    file->addSeparator();
    const QList<QKeySequence> exitKeys{QKeySequence(Qt::ALT | Qt::Key_X),
                                       QKeySequence(Qt::CTRL | Qt::Key_Q)};
    add(file, QStringLiteral("Exit1"), withKeys(QStringLiteral("E&xit"), exitKeys),
        &TfmWinMain::Exit1Click)
        ->setShortcuts(exitKeys);

    edits_ = new EditCommands(*this);
    edits_->buildMenu(menuBar()->addMenu(QStringLiteral("&Edit")));

    buildPagesMenu(menuBar()->addMenu(QStringLiteral("&Items")));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, QStringLiteral("Contents1"), QStringLiteral("&Contents"),
        &TfmWinMain::Contents1Click);
    add(help, QStringLiteral("UsingHelp1"), QStringLiteral("&Using Help"),
        &TfmWinMain::UsingHelp1Click);
    add(help, QStringLiteral("PageHelp1"),
        withKeys(QStringLiteral("Help on This &Page"), {QKeySequence(Qt::Key_F1)}),
        &TfmWinMain::PageHelp1Click);
    help->addSeparator();
    add(help, QStringLiteral("About1"), QStringLiteral("&About"), &TfmWinMain::About1Click);
}

// One item per page of the page table; the page's tool bar button shares its action.
void TfmWinMain::buildPagesMenu(QMenu* items) {
    pages_.reserve(pageEntries().size());
    for (const PageEntry& entry : pageEntries()) {
        QAction* action = items->addAction(entry.caption);
        action->setObjectName(entry.menuName);
        action->setShortcut(entry.shortcut);
        action->setVisible(entry.visible);
        const std::size_t index = pages_.size();
        connect(action, &QAction::triggered, this, [this, index] { showPage(pages_[index]); });
        pages_.push_back(Page{&entry, nullptr, action, nullptr});
    }
}

// The patient list of its own folder (the data folder until one is chosen there); a
// patient chosen there opens as with Load.
void TfmWinMain::Patients1Click() {
    if (!patientList) {
        patientList = new TfmPatientList(
            this, [this](const QString& path) { return commands.openDocument(path); });
    }
    patientList->showFolder(QString::fromStdString(readPatientFolder(document)));
}
