#include "app/winmain.h"

#include "app/aboutscreen.h"
#include "app/databasefile.h"
#include "app/forms.h"
#include "app/helpviewer.h"
#include "artwork/toolicons.h"
#include "curves/curvepage.h"
#include "model/document.h"
#include "model/settings.h"
#include "model/version.h"
#include "pages/configpage.h"
#include "pages/databasepage.h"
#include "pages/loudnesspage.h"
#include "pages/patientpage.h"
#include "platform/tavikapplication.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
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

namespace {

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

    WindowPanel = new QWidget(this);
    WindowPanel->setObjectName(QStringLiteral("WindowPanel"));
    pageLayout = new QGridLayout(WindowPanel);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(WindowPanel);
    buildMenu();
    buildToolBar();
    buildStatusBar();
    // F1 opens the help topic of the page or dialog in use; the help window goes
    // with this window.
    installHelp(this);

    // Folders of the program and of the start: the help file lives beside the
    // program, the settings and the database in the folder TAVIK was started from.
    document.programDir = withSeparator(QCoreApplication::applicationDirPath());
    document.startDir = withSeparator(QDir::currentPath());
    document.onFirstModification = [this] {
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
    document.onFirstModification = nullptr;
}

void TfmWinMain::buildMenu() {
    const auto add = [this](QMenu* menu, const QString& name, const QString& caption,
                            void (TfmWinMain::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    add(file, QStringLiteral("New1"), QStringLiteral("&New"), &TfmWinMain::New1Click);
    add(file, QStringLiteral("Load1"), QStringLiteral("&Load"), &TfmWinMain::Load1Click);
    add(file, QStringLiteral("Save1"), QStringLiteral("&Save"), &TfmWinMain::Save1Click);
    add(file, QStringLiteral("SaveAs1"), QStringLiteral("Save &As.."), &TfmWinMain::SaveAs1Click);
    file->addSeparator();
    add(file, QStringLiteral("Exit1"), QStringLiteral("E&xit"), &TfmWinMain::Exit1Click)
        ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));

    QMenu* items = menuBar()->addMenu(QStringLiteral("&Items"));
    add(items, QStringLiteral("PatientInformation1"), QStringLiteral("&Patient Information"),
        &TfmWinMain::PatientInformation1Click);
    add(items, QStringLiteral("LOUDMAPData1"), QStringLiteral("Loudmap &Data"),
        &TfmWinMain::LOUDMAPData1Click);
    add(items, QStringLiteral("HearingAidDatabase1"), QStringLiteral("&Hearing Aid Database"),
        &TfmWinMain::HearingAidDatabase1Click);
    add(items, QStringLiteral("IOCurves1"), QStringLiteral("&I/O Curves"),
        &TfmWinMain::IOCurves1Click);
    add(items, QStringLiteral("Configuration1"), QStringLiteral("&Configuration"),
        &TfmWinMain::Configuration1Click)
        ->setVisible(false);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, QStringLiteral("Contents1"), QStringLiteral("&Contents"),
        &TfmWinMain::Contents1Click);
    add(help, QStringLiteral("UsingHelp1"), QStringLiteral("&Using Help"),
        &TfmWinMain::UsingHelp1Click);
    help->addSeparator();
    add(help, QStringLiteral("About1"), QStringLiteral("&About"), &TfmWinMain::About1Click);
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

    const auto add = [this, bar](const QString& name, const QString& hint, ToolIcon icon,
                                 void (TfmWinMain::*handler)()) {
        auto* button = new QToolButton(bar);
        button->setObjectName(name);
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setIcon(toolIcon(icon));
        button->setAutoRaise(true);
        button->setFixedSize(25, 24);
        connect(button, &QToolButton::clicked, this, handler);
        return std::pair{button, bar->addWidget(button)};
    };
    add(QStringLiteral("NewFileSpeedButton"), QStringLiteral("Create a new file"), ToolIcon::New,
        &TfmWinMain::NewFileSpeedButtonClick);
    add(QStringLiteral("LoadFileSpeedButton"), QStringLiteral("Load an existing file"),
        ToolIcon::Load, &TfmWinMain::LoadFileSpeedButtonClick);
    add(QStringLiteral("SaveFileSpeedButton"), QStringLiteral("Save the current file"),
        ToolIcon::Save, &TfmWinMain::SaveFileSpeedButtonClick);

    auto* spacer = new QWidget(bar);
    spacer->setObjectName(QStringLiteral("SpeedButton1"));
    spacer->setFixedSize(25, 24);
    bar->addWidget(spacer);

    pageButtons = new QButtonGroup(this);
    const auto addPage = [&](const QString& name, const QString& hint, ToolIcon icon,
                             void (TfmWinMain::*handler)()) {
        auto [button, action] = add(name, hint, icon, handler);
        button->setCheckable(true);
        pageButtons->addButton(button);
        return std::pair{button, action};
    };
    ClientInfoButton =
        addPage(QStringLiteral("ClientInfoButton"), QStringLiteral("Patient Information"),
                ToolIcon::Patient, &TfmWinMain::ClientInfoButtonClick)
            .first;
    SpeedButton3 = addPage(QStringLiteral("SpeedButton3"), QStringLiteral("Loudmap Data"),
                           ToolIcon::Loudness, &TfmWinMain::SpeedButton3Click)
                       .first;
    SpeedButton4 = addPage(QStringLiteral("SpeedButton4"), QStringLiteral("Hearing Aid Database"),
                           ToolIcon::Database, &TfmWinMain::SpeedButton4Click)
                       .first;
    EditCurveButton =
        addPage(QStringLiteral("EditCurveButton"), QStringLiteral("View/edit I/O curves"),
                ToolIcon::Curves, &TfmWinMain::EditCurveButtonClick)
            .first;
    auto [configButton, configAction] =
        addPage(QStringLiteral("SpeedButton6"), QStringLiteral("Configuration"),
                ToolIcon::Configuration, &TfmWinMain::SpeedButton6Click);
    SpeedButton6 = configButton;
    configAction->setVisible(false);
}

void TfmWinMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
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

void TfmWinMain::hostPage(QWidget* page) {
    pageLayout->addWidget(page, 0, 0);
}

QAbstractButton* TfmWinMain::patientPageButton() const {
    return ClientInfoButton;
}

void TfmWinMain::setStatusText(int panel, const QString& text) {
    statusPanels[panel]->setText(text);
}

QString TfmWinMain::statusText(int panel) const {
    return statusPanels[panel]->text();
}

// --- pages --------------------------------------------------------------------

void TfmWinMain::placePage(QWidget* page, QAbstractButton* button) {
    const bool shownAlready = page->isVisible();
    page->raise();
    page->show();
    // A page shown again (New and Load show the patient page also when it is shown)
    // starts at its first field, as a page does when it is shown.
    if (auto* form = qobject_cast<PageForm*>(page); form && shownAlready)
        form->focusFirstField();
    button->setChecked(true);
    shownPageButton = button;
}

// The page shown stores its data as it hides, before the next page loads, so every
// page sees what the page before it held.
void TfmWinMain::showPage(QWidget* page, QAbstractButton* button) {
    if (button->isChecked() && page->isVisible())
        return;
    // A page that cannot store what it shows keeps the clinician there, its button down.
    for (PageForm* other : pageForms()) {
        if (other != page && other->isVisible() && !other->canLeave()) {
            if (shownPageButton)
                shownPageButton->setChecked(true);
            return;
        }
    }
    for (PageForm* other : pageForms()) {
        if (other != page && other->isVisible())
            other->hide();
    }
    placePage(page, button);
}

void TfmWinMain::ClientInfoButtonClick() {
    showPage(fmClientInfo, ClientInfoButton);
}
void TfmWinMain::SpeedButton3Click() {
    showPage(fmPage2, SpeedButton3);
}
void TfmWinMain::SpeedButton4Click() {
    showPage(fmPage3, SpeedButton4);
}
void TfmWinMain::EditCurveButtonClick() {
    showPage(fmCurveEdit, EditCurveButton);
}
void TfmWinMain::SpeedButton6Click() {
    showPage(fmPage5, SpeedButton6);
}
void TfmWinMain::PatientInformation1Click() {
    showPage(fmClientInfo, ClientInfoButton);
}
void TfmWinMain::LOUDMAPData1Click() {
    showPage(fmPage2, SpeedButton3);
}
void TfmWinMain::HearingAidDatabase1Click() {
    showPage(fmPage3, SpeedButton4);
}
void TfmWinMain::IOCurves1Click() {
    showPage(fmCurveEdit, EditCurveButton);
}
void TfmWinMain::Configuration1Click() {
    showPage(fmPage5, SpeedButton6);
}

// --- commands -----------------------------------------------------------------

void TfmWinMain::New1Click() {
    commands.newDocument();
}
void TfmWinMain::NewFileSpeedButtonClick() {
    commands.newDocument();
}
void TfmWinMain::Load1Click() {
    commands.loadDocument();
}
void TfmWinMain::LoadFileSpeedButtonClick() {
    commands.loadDocument();
}
void TfmWinMain::Save1Click() {
    commands.saveDocument(false);
}
void TfmWinMain::SaveFileSpeedButtonClick() {
    commands.saveDocument(false);
}
void TfmWinMain::SaveAs1Click() {
    commands.saveDocument(true);
}
void TfmWinMain::Exit1Click() {
    close();
}

void TfmWinMain::About1Click() {
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

// --- window events ------------------------------------------------------------

bool TfmWinMain::event(QEvent* event) {
    if (event->type() == QEvent::Type(kModifiedNotification)) {
        // A Save that ran before this notification arrived has cleared the change.
        if (document.modified)
            setStatusText(1, QStringLiteral(" Modified"));
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

// Runs once, when the window is first shown and every form exists.
void TfmWinMain::FormShow() {
    readSettings();
    loadAidDatabaseAtStart(this);
    setApplicationHelpFile(QString::fromStdString(helpFilePath(document.programDir)));
    document.titleBase = std::string("TAVIK ") + kProgramVersion;
    resetFitting();
    setWindowTitle(QString::fromStdString(document.titleBase));
    document.modified = false;
    setStatusText(0, QString());
    setStatusText(1, QString());
    placePage(fmClientInfo, ClientInfoButton);
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

// Settings first, then the database. Each failure is reported and the program still
// ends, so that one unwritable file cannot keep the clinician from closing it.
void TfmWinMain::FormClose() {
    try {
        writeSettings();
    } catch (const std::exception& error) {
        showExceptionBox(error);
    }
    try {
        saveAidDatabaseAtExit(this);
    } catch (const std::exception& error) {
        showExceptionBox(error);
    }
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
