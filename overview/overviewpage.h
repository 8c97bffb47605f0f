// The Overview page: the whole patient at a glance. For the ear shown, its loudness
// map beside its gain chart; where the page is wide enough, the other ear's two charts
// beside them, each ear's map above its gain chart. The page holds no data: every
// showing, ear switch and resize draws from the fitting record, the database and the
// measured flags as the other pages left them, and it never changes them. Each
// showing also picks the previous visit from the open file's history, so that the
// loudness maps draw its thresholds and UCLs beside this visit's.
#pragma once

#include "controls/pageform.h"
#include "model/patienthistory.h"
#include "overview/overviewplaces.h"

#include <optional>

class OverviewChartView;
class QLabel;
class QToolButton;

// TfmOverview: the Overview page.
class TfmOverview : public PageForm {
    Q_OBJECT
  public:
    explicit TfmOverview(QWidget* parent);

    Ear shownEar() const { return currentEar; }
    QWidget* firstField() const override;

  public slots:
    // Opens on the right ear, as the curve page does.
    void FormShow() override;
    void OverviewEarButtonClick();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showEars();
    void placeControls();

    Ear currentEar = Ear::Right;
    std::optional<KeptVersion> previous;
    QLabel* earLabels[2] = {nullptr, nullptr};
    QToolButton* OverviewEarButton = nullptr;
    OverviewChartView* charts[2][2] = {{nullptr, nullptr}, {nullptr, nullptr}};
};
