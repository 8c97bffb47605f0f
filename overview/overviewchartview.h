// One chart of the Overview page on screen: the loudness map or the gain chart of an
// ear, painted from the record, the database and the measured flags as they stand
// whenever it is painted. It keeps only which chart and which ear it shows. A
// keyboard user reaches it with Tab; a screen reader reads its name and a text
// description of what it shows.
#pragma once

#include "model/ear.h"
#include "overview/overviewchart.h"

#include <QWidget>

class OverviewChartView : public QWidget {
    Q_OBJECT
  public:
    OverviewChartView(QWidget* parent, const QString& objectName, OverviewChart chart);

    // Shows an ear's chart: its accessible texts from the data as they are now, and a
    // fresh painting; the loudness map with the previous visit where there is one
    // (held by the page, which outlives the chart).
    void showEar(Ear ear, const KeptVersion* previous = nullptr);
    Ear ear() const { return ear_; }
    OverviewChart chart() const { return chart_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void describe();

    const OverviewChart chart_;
    Ear ear_ = Ear::Right;
    const KeptVersion* previous_ = nullptr;
};
