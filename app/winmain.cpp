#include "app/winmain.h"

#include "app/aboutscreen.h"
#include "app/databasefile.h"
#include "app/fileintake.h"
#include "app/forms.h"
#include "app/helprequests.h"
#include "app/pagearea.h"
#include "app/recentfiles.h"
#include "artwork/toolicons.h"
#include "controls/notestatusbar.h"
#include "controls/pageform.h"
#include "model/document.h"
#include "model/settings.h"
#include "model/version.h"
#include "platform/tavikapplication.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <functional>

namespace {

// Runs one step of closing; an error it raises is shown and closing goes on.
void reportFailure(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        showExceptionBox(error);
    }
}

std::string withSeparator(const QString& folder) {
    return (folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/')).toStdString();
}

} // namespace

TfmWinMain::TfmWinMain(QWidget* parent) : QMainWindow(parent), commands(*this) {
    setObjectName(QStringLiteral("fmWinMain"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(toolIcon(ToolIcon::Program));

    setCentralWidget(buildCentralArea());
    // The menu makes each page's action; the tool bar then gives each a button.
    buildMenu();
    buildToolBar();
    buildStatusBar();
    intake_ = new FileIntake(this, [this](const QString& path) { commands.openDocument(path); });
    connect(recentFiles_, &RecentFilesMenu::openRequested, this,
            [this](const QString& path) { commands.openDocument(path); });
    commands.onFileUsed = [this](const QString& path) { recentFiles_->add(path); };
    // F1 opens the help topic of the page or dialog in use; the help window goes
    // with this window.
    installHelp(this);

    // Folders of the program and of the start: the help file lives beside the
    // program, the settings and the database in the folder TAVIK was started from.
    document.programDir = withSeparator(QCoreApplication::applicationDirPath());
    document.startDir = withSeparator(QDir::currentPath());
    document.onModifiedChanged = [this] {
        QCoreApplication::postEvent(this, new QEvent(QEvent::Type(kModifiedNotification)));
    };
    // A restored window comes back in the middle of the screen.
    if (const QScreen* area = QGuiApplication::primaryScreen()) {
        QRect restored(QPoint(0, 0), kRestoredSize);
        restored.moveCenter(area->availableGeometry().center());
        setGeometry(restored);
    }
    setWindowState(Qt::WindowMaximized);
}

TfmWinMain::~TfmWinMain() {
    document.onModifiedChanged = nullptr;
    document.onUndoStepsChanged = nullptr;
}

void TfmWinMain::buildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(29);
    bar->setIconSize(QSize(16, 16));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, bar);

    addToolButton(
        bar, New1,
        {QStringLiteral("NewFileSpeedButton"), QStringLiteral("Create a new file"), ToolIcon::New});
    addToolButton(bar, Load1,
                  {QStringLiteral("LoadFileSpeedButton"), QStringLiteral("Load an existing file"),
                   ToolIcon::Load});
    addToolButton(bar, Save1,
                  {QStringLiteral("SaveFileSpeedButton"), QStringLiteral("Save the current file"),
                   ToolIcon::Save});

    auto* spacer = new QWidget(bar);
    spacer->setObjectName(QStringLiteral("SpeedButton1"));
    spacer->setFixedSize(25, 24);
    bar->addWidget(spacer);

    pageButtons = new QButtonGroup(this);
    for (Page& page : pages_)
        addPageButton(bar, page);
}

// A tool bar button triggers the action of its command, the one its menu item
// triggers, and is shown while that action is. The buttons are made here rather than
// by the tool bar, whose buttons would trigger their action from nextCheckState():
// the page buttons' exclusive group calls that on the button it lets up, which would
// show that button's page again.
QToolButton* TfmWinMain::addToolButton(QToolBar* bar, QAction* action, const ToolButton& look) {
    auto* button = new QToolButton(bar);
    button->setObjectName(look.name);
    button->setToolTip(look.hint);
    button->setAccessibleName(look.hint);
    button->setIcon(toolIcon(look.icon));
    button->setAutoRaise(true);
    button->setFixedSize(25, 24);
    connect(button, &QToolButton::clicked, action, &QAction::trigger);
    QAction* place = bar->addWidget(button);
    place->setVisible(action->isVisible());
    connect(action, &QAction::visibleChanged, place,
            [place, action] { place->setVisible(action->isVisible()); });
    return button;
}

// A page button is down while its page is shown; the page buttons form one exclusive
// group, so pushing one lets the other up.
void TfmWinMain::addPageButton(QToolBar* bar, Page& page) {
    const PageEntry& entry = *page.entry;
    page.button = addToolButton(bar, page.action, {entry.buttonName, entry.hint, entry.icon});
    page.button->setCheckable(true);
    pageButtons->addButton(page.button);
}

void TfmWinMain::buildStatusBar() {
    auto* bar = new NoteStatusBar(this);
    setStatusBar(bar);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    // Panel 0 is 700 pixels wide where the window has room and gives way where it has
    // not (the restored 800-pixel window); panel 1, " Modified", keeps its 98.
    for (int i = 0; i < 2; ++i) {
        statusPanels[i] = new QLabel(bar);
        statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    statusPanels[0]->setMinimumWidth(0);
    statusPanels[0]->setMaximumWidth(700);
    statusPanels[1]->setFixedWidth(98);
    bar->addWidget(statusPanels[0], 1);
    bar->addWidget(statusPanels[1]);
}

void TfmWinMain::setStatusText(int panel, const QString& text) {
    statusPanels[panel]->setText(text);
}

QString TfmWinMain::statusText(int panel) const {
    return statusPanels[panel]->text();
}

// --- pages --------------------------------------------------------------------

void TfmWinMain::createFirstPage() {
    makePage(pages_.front());
}

// A page made while the window is up starts hidden like the rest and loads the
// record as it is shown.
void TfmWinMain::makePage(Page& page) {
    if (page.form)
        return;
    page.form = page.entry->create(pageArea->panel());
    page.form->setHelpContext(page.entry->helpContext);
    pageArea->addPage(page.form);
}

void TfmWinMain::placePage(const Page& page) {
    const bool shownAlready = page.form->isVisible();
    page.form->raise();
    page.form->show();
    pageArea->showPage(page.form, focusWidget());
    // A page shown again (New and Load show the patient page also when it is shown)
    // starts at its first field, as a page does when it is shown.
    if (shownAlready)
        page.form->focusFirstField();
    page.button->setChecked(true);
    shownPage_ = &page;
    Print1->setEnabled(page.form->prints());
}

void TfmWinMain::placeFirstPage() {
    placePage(pages_.front());
}

// The page shown stores its data as it hides, before the next page loads, so every
// page sees what the page before it held.
void TfmWinMain::showPage(Page& page) {
    if (page.button->isChecked() && page.isShown())
        return;
    // A page that cannot store what it shows keeps the clinician there, its button down.
    for (const Page& other : pages_) {
        if (&other != &page && other.isShown() && !other.form->canLeave()) {
            if (shownPage_)
                shownPage_->button->setChecked(true);
            return;
        }
    }
    for (const Page& other : pages_) {
        if (&other != &page && other.isShown())
            other.form->hide();
    }
    makePage(page);
    placePage(page);
}

// --- commands -----------------------------------------------------------------

void TfmWinMain::New1Click() {
    commands.newDocument();
}
void TfmWinMain::Load1Click() {
    commands.loadDocument();
}
void TfmWinMain::Save1Click() {
    commands.saveDocument(false);
}
void TfmWinMain::SaveAs1Click() {
    commands.saveDocument(true);
}
void TfmWinMain::Exit1Click() {
    close();
}

// Where the window system places windows itself (Wayland), the About screen is
// centred over its parent, the main window, by the compositor.
void TfmWinMain::About1Click() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        fmAboutScreen->exec();
        return;
    }
    const QRect main = frameGeometry();
    const QSize about = fmAboutScreen->frameGeometry().size();
    fmAboutScreen->move(main.left() + (main.width() - about.width()) / 2,
                        main.top() + (main.height() - about.height()) / 2);
    fmAboutScreen->exec();
}

void TfmWinMain::Contents1Click() {
    applicationHelp(HelpCommand::Contents);
}

void TfmWinMain::UsingHelp1Click() {
    applicationHelp(HelpCommand::HelpOnHelp);
}

// The topic F1 opens from where the focus was in this window: the page shown.
void TfmWinMain::PageHelp1Click() {
    const int context = helpContextOf(focusWidget() ? focusWidget() : this);
    applicationHelp(context > 0 ? HelpCommand::Context : HelpCommand::Contents, context);
}

// --- window events ------------------------------------------------------------

bool TfmWinMain::event(QEvent* event) {
    if (event->type() == QEvent::Type(kModifiedNotification)) {
        // The mark as the document stands when the notification arrives: a Save or an
        // undo that ran since may have cleared it.
        setStatusText(1, document.modified ? QStringLiteral(" Modified") : QString());
        return true;
    }
    return QMainWindow::event(event);
}

void TfmWinMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applySizeConstraints();
    if (shown || event->spontaneous())
        return;
    shown = true;
    FormShow();
}

// Runs once, when the window is first shown and the forms made at start exist.
void TfmWinMain::FormShow() {
    readSettings();
    recentFiles_->setFiles(readRecentFiles(document));
    loadAidDatabaseAtStart(this);
    setApplicationHelpFile(QString::fromStdString(helpFilePath(document.programDir)));
    document.titleBase = std::string("TAVIK ") + kProgramVersion;
    resetFitting();
    setWindowTitle(QString::fromStdString(document.titleBase));
    markSaved();
    startHistory();
    setStatusText(0, QString());
    setStatusText(1, QString());
    placeFirstPage();
    // The file is opened once the window is drawn (see eventFilter), so that a message
    // about it stands over the window rather than over an empty screen.
    if (!commandLineFile.isEmpty())
        windowHandle()->installEventFilter(this);
}

// The window system shows the window and has it drawn; the command-line file is
// opened right after.
bool TfmWinMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { commands.openFromCommandLine(commandLineFile); });
    }
    return QMainWindow::eventFilter(watched, event);
}

// The close is refused unless the unsaved-changes question allows it; an error while
// asking or saving leaves the window open.
void TfmWinMain::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!FormCloseQuery())
        return;
    event->accept();
    FormClose();
}

bool TfmWinMain::FormCloseQuery() {
    return commands.confirmClose();
}

// The settings, the recent files, then the database. Each is tried on its own and
// each failure is reported, so that one that fails loses none of the others and
// cannot keep the clinician from closing the program.
void TfmWinMain::FormClose() {
    commands.closeFile();
    reportFailure([] { writeSettings(); });
    reportFailure([this] { writeRecentFiles(document, recentFiles_->files()); });
    reportFailure([this] { saveAidDatabaseAtExit(this); });
}

void TfmWinMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        applySizeConstraints();
}

void TfmWinMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applySizeConstraints();
}

// While not maximised the window keeps its 800 x 572 pixels, frame included: a drag
// of the frame snaps back. Only a minimum size is set, because a maximum size would
// also stop the window manager from maximising the window again.
void TfmWinMain::applySizeConstraints() {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) {
        setMinimumSize(0, 0);
        return;
    }
    QSize frame(0, 0);
    if (const QWindow* handle = windowHandle()) {
        const QMargins margins = handle->frameMargins();
        frame = QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    }
    const QSize restored = kRestoredSize - frame;
    setMinimumSize(restored);
    if (size() != restored)
        resize(restored);
}
