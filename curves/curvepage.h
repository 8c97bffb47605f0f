// The input/output curve page. For now an empty page in its place among the pages;
// its load and store operations exist so that the document commands can call them,
// and do nothing yet.
#pragma once

#include "pages/pageform.h"

class TfmCurveEdit : public PageForm {
    Q_OBJECT
  public:
    explicit TfmCurveEdit(QWidget* parent);

    void loadPage();
    void storePage();
    void loadFromRecord() override { loadPage(); }
    void storeToRecord() override { storePage(); }
};
