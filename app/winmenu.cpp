// The main window's menu: File with the document commands and their keys, Edit with
// Undo and Redo, Items with
// one item per page of the page table, Help with the guide and the About screen.
#include "app/winmain.h"

#include "app/pagearea.h"
#include "app/editcommands.h"
#include "app/patientlist.h"
#include "app/recentfiles.h"
#include "controls/pageform.h"
#include "controls/pagekeys.h"
#include "model/document.h"
#include "model/settings.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QVBoxLayout>

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
    add(file, QStringLiteral("Patients1"), QStringLiteral("Pa&tients..."),
        &TfmWinMain::Patients1Click, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    Save1 = add(file, QStringLiteral("Save1"), QStringLiteral("&Save"), &TfmWinMain::Save1Click,
                QKeySequence(Qt::CTRL | Qt::Key_S));
    add(file, QStringLiteral("SaveAs1"), QStringLiteral("Save &As.."), &TfmWinMain::SaveAs1Click,
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    add(file, QStringLiteral("History1"), QStringLiteral("&History..."), &TfmWinMain::History1Click,
        QKeySequence(Qt::CTRL | Qt::Key_H));
    file->addSeparator();
    Print1 = add(file, QStringLiteral("Print1"), QStringLiteral("&Print..."),
                 &TfmWinMain::Print1Click, printKey());
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

// The page area under the banner that marks a kept version shown read-only.
QWidget* TfmWinMain::buildCentralArea() {
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    versionBanner = new QLabel(area);
    versionBanner->setObjectName(QStringLiteral("VersionBanner"));
    versionBanner->setWordWrap(true);
    versionBanner->setMargin(4);
    versionBanner->setStyleSheet(
        QStringLiteral("QLabel { background: #fff3b0; color: black; font-weight: bold; }"));
    versionBanner->hide();
    layout->addWidget(versionBanner);
    pageArea = new PageArea(area);
    layout->addWidget(pageArea, 1);
    return area;
}

void TfmWinMain::showVersionBanner(const QString& text) {
    versionBanner->setText(text);
    versionBanner->setAccessibleName(text);
    versionBanner->setVisible(!text.isEmpty());
}

void TfmWinMain::History1Click() {
    commands.showHistory();
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

// The page shown prints; on a page that does not, the item is greyed and its key does
// nothing.
void TfmWinMain::Print1Click() {
    if (shownPage_ && shownPage_->form->prints())
        shownPage_->form->print();
}
