// The configuration page: an empty page under its heading. Nothing leads to it in
// normal use; its tool bar button and menu item are hidden.
#pragma once

#include "controls/pageform.h"

// TfmPage5: the configuration page (its historical form name).
class TfmPage5 : public PageForm {
    Q_OBJECT
  public:
    explicit TfmPage5(QWidget* parent);
};
