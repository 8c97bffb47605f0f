#include "app/helpviewer.h"

#include "app/helprequests.h"
#include "artwork/toolicons.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// The guide's text comes from the viewer, read by the core's readHelpFile, not from
// the browser's own file loading: that way a missing file shows our page with its
// reason instead of an empty window, and every anchor of one text is one document,
// so back and forward only scroll.
class HelpBrowser : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;

    QUrl documentUrl;
    QString documentHtml;

    QVariant loadResource(int type, const QUrl& name) override {
        if (type == QTextDocument::HtmlResource &&
            name.adjusted(QUrl::RemoveFragment) == documentUrl)
            return documentHtml;
        return QTextBrowser::loadResource(type, name);
    }
};

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QAction* toolAction(QToolBar* bar, const QString& name, const QString& text,
                    QStyle::StandardPixmap icon, const QKeySequence& key) {
    QAction* action = bar->addAction(bar->style()->standardIcon(icon), text);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setToolTip(key.isEmpty()
                           ? text
                           : text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                                 QLatin1Char(')'));
    return action;
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("TAVIK Help"));
    setWindowIcon(toolIcon(ToolIcon::Program));
    // Closing the main window ends TAVIK even while the guide is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(620, 640);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    browser_ = new HelpBrowser(central);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(QStringLiteral("Help text"));
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_);
    buildFindBar(central);
    layout->addWidget(findBar_);
    setCentralWidget(central);
    buildToolBar();
    statusBar()->setObjectName(QStringLiteral("HelpStatusBar"));
    setHelpFile(applicationHelpFile());
}

void HelpViewer::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Help"));
    bar->setObjectName(QStringLiteral("HelpToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* contents =
        toolAction(bar, QStringLiteral("HelpContentsAction"), QStringLiteral("&Contents"),
                   QStyle::SP_FileDialogListView, QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction* back = toolAction(bar, QStringLiteral("HelpBackAction"), QStringLiteral("&Back"),
                               QStyle::SP_ArrowBack, QKeySequence::Back);
    QAction* forward =
        toolAction(bar, QStringLiteral("HelpForwardAction"), QStringLiteral("&Forward"),
                   QStyle::SP_ArrowForward, QKeySequence::Forward);
    bar->addSeparator();
    QAction* findAction = toolAction(bar, QStringLiteral("HelpFindAction"), QStringLiteral("F&ind"),
                                     QStyle::SP_FileDialogContentsView, QKeySequence::Find);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QAction::triggered, this, &HelpViewer::showContents);
    connect(back, &QAction::triggered, this, &HelpViewer::goBack);
    connect(forward, &QAction::triggered, this, &HelpViewer::goForward);
    connect(findAction, &QAction::triggered, this, &HelpViewer::openFindBar);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    // F3 and Shift+F3 work from the text as well as from the find bar.
    auto* next = new QAction(this);
    next->setObjectName(QStringLiteral("HelpFindNextAction"));
    next->setShortcut(QKeySequence::FindNext);
    connect(next, &QAction::triggered, this, &HelpViewer::findNext);
    auto* previous = new QAction(this);
    previous->setObjectName(QStringLiteral("HelpFindPreviousAction"));
    previous->setShortcut(QKeySequence::FindPrevious);
    connect(previous, &QAction::triggered, this, &HelpViewer::findPrevious);
    addAction(next);
    addAction(previous);
}

void HelpViewer::buildFindBar(QWidget* parent) {
    findBar_ = new QWidget(parent);
    findBar_->setObjectName(QStringLiteral("HelpFindBar"));
    auto* layout = new QHBoxLayout(findBar_);
    layout->setContentsMargins(6, 3, 6, 3);
    auto* label = new QLabel(QStringLiteral("Find:"), findBar_);
    findEdit_ = new QLineEdit(findBar_);
    findEdit_->setObjectName(QStringLiteral("HelpFindEdit"));
    findEdit_->setAccessibleName(QStringLiteral("Find"));
    findEdit_->setToolTip(QStringLiteral("Enter or F3: next match; Shift+Enter or Shift+F3: "
                                         "previous match; Escape: close"));
    findEdit_->setClearButtonEnabled(true);
    findEdit_->installEventFilter(this);
    label->setBuddy(findEdit_);
    const auto button = [this](const QString& name, const QString& text,
                               QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(findBar_);
        b->setObjectName(name);
        b->setToolTip(text);
        b->setAccessibleName(text);
        b->setIcon(style()->standardIcon(icon));
        return b;
    };
    QToolButton* previous = button(QStringLiteral("HelpFindPreviousButton"),
                                   QStringLiteral("Previous match"), QStyle::SP_ArrowUp);
    QToolButton* next = button(QStringLiteral("HelpFindNextButton"), QStringLiteral("Next match"),
                               QStyle::SP_ArrowDown);
    QToolButton* close = button(QStringLiteral("HelpFindCloseButton"),
                                QStringLiteral("Close the find bar"), QStyle::SP_DialogCloseButton);
    findStatus_ = new QLabel(findBar_);
    findStatus_->setObjectName(QStringLiteral("HelpFindStatus"));
    layout->addWidget(label);
    layout->addWidget(findEdit_, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(findStatus_, 1);
    layout->addWidget(close);
    connect(previous, &QToolButton::clicked, this, &HelpViewer::findPrevious);
    connect(next, &QToolButton::clicked, this, &HelpViewer::findNext);
    connect(close, &QToolButton::clicked, this, &HelpViewer::closeFindBar);
    connect(findEdit_, &QLineEdit::textEdited, this, &HelpViewer::findAsTyped);
    findBar_->hide();
}

void HelpViewer::setHelpFile(const QString& path) {
    helpFile_ = path;
}

QString HelpViewer::currentTopic() const {
    return showsProblem_ ? QString() : browser_->source().fragment();
}

void HelpViewer::showHelp(HelpCommand command, int data) {
    const HelpFileText file = readHelpFile(helpFile_.toStdString());
    showsProblem_ = !file.ok;
    statusBar()->clearMessage();
    const QUrl url = QUrl::fromLocalFile(QFileInfo(helpFile_).absoluteFilePath());
    const bool fresh =
        loadDocument(url, fromUtf8(file.ok ? file.html : helpProblemPage(file.problem)));
    QUrl topic = url;
    if (file.ok) {
        std::string anchor = helpAnchor(command, data);
        if (!helpHasTopic(file.html, anchor)) {
            statusBar()->showMessage(
                QStringLiteral("There is no topic for help context %1; here are the contents.")
                    .arg(data));
            anchor = kContentsAnchor;
        }
        topic.setFragment(fromUtf8(anchor));
    }
    browser_->setSource(topic, QTextDocument::HtmlResource);
    // Back and forward stay within one text of the guide.
    if (fresh)
        browser_->clearHistory();
    placeOnFirstShowing();
    show();
    raise();
    activateWindow();
}

// The text to show at that address; true when it differs from the one shown. The
// same address with a new text (the file was put in place or changed) is loaded
// again from the new text.
bool HelpViewer::loadDocument(const QUrl& url, const QString& html) {
    const bool sameUrl = browser_->documentUrl == url;
    if (sameUrl && browser_->documentHtml == html)
        return false;
    browser_->documentUrl = url;
    browser_->documentHtml = html;
    if (sameUrl)
        browser_->reload();
    return true;
}

// At the right of the screen, beside the main window's page, the first time only.
void HelpViewer::placeOnFirstShowing() {
    if (placed_)
        return;
    placed_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - frameGeometry().width() + 1, area.top());
    }
}

void HelpViewer::showContents() {
    showHelp(HelpCommand::Contents);
}

void HelpViewer::goBack() {
    browser_->backward();
}

void HelpViewer::goForward() {
    browser_->forward();
}

void HelpViewer::openFindBar() {
    findBar_->show();
    findEdit_->setFocus(Qt::ShortcutFocusReason);
    findEdit_->selectAll();
}

void HelpViewer::closeFindBar() {
    findBar_->hide();
    findStatus_->clear();
    browser_->setFocus(Qt::OtherFocusReason);
}

bool HelpViewer::findNext() {
    return find(false);
}

bool HelpViewer::findPrevious() {
    return find(true);
}

// Matches ignore case. At the end of the page the search goes on from the top (at
// the top, from the end when searching backwards) and says so.
bool HelpViewer::find(bool backward) {
    if (!findBar_->isVisible()) {
        openFindBar();
        if (findEdit_->text().isEmpty())
            return false;
    }
    const QString text = findEdit_->text();
    findStatus_->clear();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags))
        return true;
    const QTextCursor before = browser_->textCursor();
    QTextCursor cursor = before;
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(cursor);
    if (browser_->find(text, flags)) {
        findStatus_->setText(backward ? QStringLiteral("Went round from the top to the end.")
                                      : QStringLiteral("Went round from the end to the top."));
        return true;
    }
    browser_->setTextCursor(before);
    findStatus_->setText(QStringLiteral("\"%1\" is not on this page.").arg(text));
    return false;
}

// Typing searches again from the start of the match shown, so that the match grows
// with the word; a word that is not there leaves the last match shown.
void HelpViewer::findAsTyped() {
    const QTextCursor shown = browser_->textCursor();
    QTextCursor start = shown;
    start.setPosition(shown.selectionStart());
    browser_->setTextCursor(start);
    if (!find(false))
        browser_->setTextCursor(shown);
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == findEdit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            closeFindBar();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
