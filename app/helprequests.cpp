#include "app/helprequests.h"

#include "app/helpviewer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

QString& helpFileName() {
    static QString name = QString::fromLatin1(kStartHelpFileName);
    return name;
}

QPointer<HelpViewer>& viewerInstance() {
    static QPointer<HelpViewer> viewer;
    return viewer;
}

bool isHelpKey(const QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_F1 || key->key() == Qt::Key_Help) && modifiers == Qt::NoModifier;
}

// Sees every key first, before the control with the focus and its filters (a grid's
// cell editor included), and takes only F1.
class HelpKeyFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !isHelpKey(static_cast<QKeyEvent*>(event)))
            return false;
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        if (qobject_cast<const HelpViewer*>(widget->window())) {
            applicationHelp(HelpCommand::HelpOnHelp);
            return true;
        }
        const int context = helpContextOf(widget);
        applicationHelp(context > 0 ? HelpCommand::Context : HelpCommand::Contents, context);
        return true;
    }
};

int ownHelpContext(const QWidget* widget) {
    return widget->property("helpContext").toInt();
}

} // namespace

void setApplicationHelpFile(const QString& path) {
    helpFileName() = path;
}

QString applicationHelpFile() {
    return helpFileName();
}

void installHelp(QWidget* owner) {
    qApp->installEventFilter(new HelpKeyFilter(owner));
    QObject::connect(owner, &QObject::destroyed, [] { delete viewerInstance().data(); });
}

void applicationHelp(HelpCommand command, int data) {
    QPointer<HelpViewer>& viewer = viewerInstance();
    if (!viewer)
        viewer = new HelpViewer();
    viewer->setHelpFile(applicationHelpFile());
    viewer->showHelp(command, data);
}

HelpViewer* helpViewer() {
    return viewerInstance().data();
}

int helpContextOf(const QWidget* widget) {
    const QWidget* top = widget;
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (ownHelpContext(w) > 0)
            return ownHelpContext(w);
        top = w;
    }
    // Outside every page (the tool bar, a dialog of the main window): the page shown.
    for (const QWidget* child : top->findChildren<QWidget*>()) {
        if (!child->isWindow() && ownHelpContext(child) > 0 && child->isVisibleTo(top))
            return ownHelpContext(child);
    }
    return 0;
}
