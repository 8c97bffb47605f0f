// The main window's status bar, whose notes are read whole: a note wider than the
// bar wraps onto as many lines as it needs (up to three) and the bar grows for it
// while it shows, at any text scale. The last note stays in the bar's tool tip after
// it goes, so a note that went while the clinician looked elsewhere can be read again.
#pragma once

#include <QStatusBar>

class NoteStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    static constexpr int kMostLines = 3;

    explicit NoteStatusBar(QWidget* parent);

    // How many lines the note shown takes at the bar's width; 0 without a note.
    int noteLines() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QRect noteRect() const;
    void fitNote();
};
