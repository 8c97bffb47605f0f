// The patient information page: identity, dates and comments, the hearing-aid style
// of each ear, monaural or binaural fitting, and for each ear which loudness levels
// the curve fitting uses.
#pragma once

#include "controls/pageform.h"
#include "pages/commentsmemo.h"
#include "pages/levelsourcebuttons.h"

class QAbstractButton;
class QButtonGroup;
class ChoiceCombo;
class QLineEdit;
class QPushButton;

// TfmClientInfo: the patient information page (its historical form name).
class TfmClientInfo : public PageForm {
    Q_OBJECT
  public:
    explicit TfmClientInfo(QWidget* parent);

    void loadPatientPage();
    void storePatientPage();
    void loadFromRecord() override { loadPatientPage(); }
    void storeToRecord() override { storePatientPage(); }

    QWidget* firstField() const override;

  public slots:
    void FormShow() override;
    void FormHide() override;
    // Either ear's style combo: both RightHATypeComboBox and LeftHATypeComboBox.
    void RightHATypeComboBoxChange();
    // Both fitting-type buttons, SelectMonaural and SelectBinaural.
    void SelectMonauralClick();
    // The three level-source buttons of its ear (LLRightEar1..3, LLLeftEar1..3).
    void LLRightEar1Click(QAbstractButton* button);
    void LLLeftEar1Click(QAbstractButton* button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* addEdit(const QString& name, const QString& label, const QString& what, QRect place,
                       int limit);
    void buildIdentity();
    void buildAidStyles();
    void setTabOrder();
    // Any of the seven edits or the comments changed.
    void fieldChanged();
    // Stores the page and makes what changed one undo step, named by the label.
    void commit(const QWidget* field, const QString& label);
    static void forgetTyping(QLineEdit* edit);

    QLineEdit* EditLastName = nullptr;
    QLineEdit* EditFirstName = nullptr;
    QLineEdit* EditMI = nullptr;
    QLineEdit* EditID = nullptr;
    QLineEdit* EditDOB = nullptr;
    QLineEdit* EditClinician = nullptr;
    QLineEdit* EditTestDate = nullptr;
    CommentsMemo* CommentsMemo_ = nullptr;
    ChoiceCombo* RightHATypeComboBox = nullptr;
    ChoiceCombo* LeftHATypeComboBox = nullptr;
    QPushButton* SelectMonaural = nullptr;
    QPushButton* SelectBinaural = nullptr;
    QButtonGroup* fittingTypeGroup = nullptr;
    LevelSourceButtons levelSources;
    bool loading = false;
};
