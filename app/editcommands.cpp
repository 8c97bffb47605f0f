#include "app/editcommands.h"

#include "app/winmain.h"
#include "controls/datagrid.h"
#include "controls/pageform.h"
#include "controls/statusnote.h"
#include "model/document.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

const QKeySequence kUndoKey(Qt::CTRL | Qt::Key_Z);
const QList<QKeySequence> kRedoKeys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                    QKeySequence(Qt::CTRL | Qt::Key_Y)};

QKeySequence pressed(const QKeyEvent* key) {
    return QKeySequence(key->keyCombination());
}

// Whether the field has typing of its own to take back (or do again). A grid cell
// takes back its typing whole, and does not do it again.
bool fieldCanStep(QWidget* field, bool undo) {
    for (QWidget* parent = field; parent; parent = parent->parentWidget()) {
        if (const auto* grid = qobject_cast<DataGrid*>(parent))
            return undo && grid->hasTypingToUndo();
    }
    if (const auto* edit = qobject_cast<QLineEdit*>(field))
        return undo ? edit->isUndoAvailable() : edit->isRedoAvailable();
    if (const auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
        return undo ? memo->document()->isUndoAvailable() : memo->document()->isRedoAvailable();
    }
    return true;
}

const Page* shownPage(const TfmWinMain& window) {
    for (const Page& page : window.pages()) {
        if (page.isShown())
            return &page;
    }
    return nullptr;
}

} // namespace

EditCommands::EditCommands(TfmWinMain& window) : QObject(&window), window_(window) {
    qApp->installEventFilter(this);
    document.onUndoStepsChanged = [this] { refresh(); };
}

void EditCommands::buildMenu(QMenu* edit) {
    undo_ = edit->addAction(QStringLiteral("&Undo"), this, &EditCommands::undo);
    undo_->setObjectName(QStringLiteral("Undo1"));
    undo_->setShortcut(kUndoKey);
    redo_ = edit->addAction(QStringLiteral("&Redo"), this, &EditCommands::redo);
    redo_->setObjectName(QStringLiteral("Redo1"));
    redo_->setShortcuts(kRedoKeys);
    connect(edit, &QMenu::aboutToShow, this, &EditCommands::refresh);
    refresh();
}

void EditCommands::refresh() {
    if (!undo_)
        return;
    const Page* page = shownPage(window_);
    const bool patientSteps = !page || page->form->undoNote().isEmpty();
    const auto show = [&](QAction* action, const char* verb, const std::string& label) {
        QString text = QString::fromLatin1(verb);
        if (!label.empty())
            text += QLatin1Char(' ') + QString::fromLatin1(label);
        action->setText(text);
        action->setEnabled(patientSteps && !label.empty());
    };
    show(undo_, "&Undo", undoHistory.undoLabel());
    show(redo_, "&Redo", undoHistory.redoLabel());
}

// The field with the focus is left first, so that what it holds is stored (and is a
// step of its own) before the history is stepped through.
bool EditCommands::mayStep() {
    const Page* page = shownPage(window_);
    if (!page)
        return true;
    if (const QString note = page->form->undoNote(); !note.isEmpty()) {
        statusNote(page->form, note);
        return false;
    }
    if (!page->form->canLeave())
        return false;
    if (QWidget* field = window_.focusWidget(); field && page->form->isAncestorOf(field))
        field->clearFocus();
    commitChange("changes on this page", page->form->placeOf(nullptr));
    return true;
}

bool EditCommands::takeBackRefused() {
    const Page* page = shownPage(window_);
    return page && page->form->takeBackRefused();
}

void EditCommands::undo() {
    if (takeBackRefused())
        return;
    if (!mayStep())
        return;
    if (const std::optional<UndoStep> step = undoHistory.undo())
        restore(step->before, step->place);
}

void EditCommands::redo() {
    if (!mayStep())
        return;
    if (const std::optional<UndoStep> step = undoHistory.redo())
        restore(step->after, step->place);
}

// Every page made is loaded from the record first, so that the page shown, which
// stores what it shows as it hides, gives back the record as restored.
void EditCommands::restore(const DocumentImage& image, const ChangePlace& place) {
    fitting = image.record;
    document.measuredLevels = image.measured;
    window_.documentCommands().loadPages();
    refreshModified();
    refresh();
    for (Page& page : window_.pages()) {
        if (page.form && page.form->objectName().toStdString() == place.page) {
            window_.showPage(page);
            page.form->showChange(place);
            return;
        }
    }
}

// Ctrl+Z (Ctrl+Shift+Z, Ctrl+Y) in a field of this window with no typing of its own
// left to undo (redo) goes to the menu's item instead of the field.
bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* field = qobject_cast<QWidget*>(watched);
    if (!field || field->window() != &window_)
        return false;
    const QKeySequence key = pressed(static_cast<QKeyEvent*>(event));
    const bool undo = key == kUndoKey;
    if (!undo && !kRedoKeys.contains(key))
        return false;
    // A refused text goes back first, whether or not there is a step to undo; the
    // field then has the key and nothing left to take back.
    if (undo && takeBackRefused()) {
        event->accept();
        return true;
    }
    if (fieldCanStep(field, undo))
        return false;
    event->ignore();
    return true;
}
