// The help window: the guide TAVIK.HLP with its contents, back and forward, find in
// page, and a topic on using the window itself. There is one, made at the first
// help request and reused; it is a window of its own, so it stays usable beside the
// About screen and is not closed with a dialog. The requests that open it are in
// app/helprequests.h.
#pragma once

#include "model/helpfile.h"

#include <QMainWindow>
#include <QUrl>

class QLabel;
class QLineEdit;
class QToolButton;
class HelpBrowser;

class HelpViewer : public QMainWindow {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);

    void setHelpFile(const QString& path);
    QString helpFile() const { return helpFile_; }

    // Opens the topic a help request names and brings the window to the front. The
    // file is read again at every request, so a guide put in place (or mended) while
    // TAVIK runs is found at the next one. A file that cannot be read shows a page
    // naming the path tried and the reason.
    void showHelp(HelpCommand command, int data = 0);

    // The anchor of the topic shown ("1031", "contents"); empty while the window
    // shows why the file could not be read.
    QString currentTopic() const;
    bool showsProblem() const { return showsProblem_; }

  public slots:
    void showContents();
    void goBack();
    void goForward();
    // The find bar: Ctrl+F opens it; Enter or F3 finds the next match, Shift+Enter
    // or Shift+F3 the one before, going round the page; Escape closes it.
    void openFindBar();
    void closeFindBar();
    bool findNext();
    bool findPrevious();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildToolBar();
    void buildFindBar(QWidget* parent);
    bool loadDocument(const QUrl& url, const QString& html);
    void placeOnFirstShowing();
    bool find(bool backward);
    void findAsTyped();

    HelpBrowser* browser_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLineEdit* findEdit_ = nullptr;
    QLabel* findStatus_ = nullptr;
    QString helpFile_;
    bool showsProblem_ = false;
    bool placed_ = false;
};
