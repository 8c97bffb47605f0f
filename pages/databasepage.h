// The hearing-aid database page. For now it is an empty page in its place among
// the pages; browsing and editing the six entries come later.
#pragma once

#include "pages/pageform.h"

class TfmPage3 : public PageForm {
    Q_OBJECT
  public:
    explicit TfmPage3(QWidget* parent);
};
