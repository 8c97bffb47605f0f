// A Qt plugin that the window tests load into a program they start as a separate
// process. It stands in for the person at the screen: every message box that opens
// is reported on standard error as "MESSAGE <caption>|<text>" and answered with its
// default button, or with the button whose text TAVIK_TEST_ANSWER names where the box
// has one. The program itself is not changed in any way.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace {

class DialogCloser : public QObject {
  public:
    DialogCloser() { QCoreApplication::instance()->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show)
            return false;
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (!box)
            return false;
        std::fprintf(stderr, "MESSAGE %s|%s\n", qPrintable(box->windowTitle()),
                     qPrintable(box->text()));
        std::fflush(stderr);
        QTimer::singleShot(0, box, [box] {
            const QString wanted = qEnvironmentVariable("TAVIK_TEST_ANSWER");
            for (QAbstractButton* button : box->buttons()) {
                if (!wanted.isEmpty() && button->text() == wanted) {
                    button->click();
                    return;
                }
            }
            box->done(QMessageBox::Ok);
        });
        return false;
    }
};

} // namespace

class DialogCloserPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "dialogcloser.json")
  public:
    QObject* create(const QString& name, const QString&) override {
        if (name.compare(QLatin1String("tavikdialogcloser"), Qt::CaseInsensitive) != 0)
            return nullptr;
        // No parent: the application deletes the objects of its plugins itself.
        return new DialogCloser();
    }
};

#include "dialogcloser.moc"
