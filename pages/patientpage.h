// The patient information page: identity, dates and comments, the hearing-aid style
// of each ear, monaural or binaural fitting, and for each ear which loudness levels
// the curve fitting uses.
#pragma once

#include "controls/pageform.h"

#include <QPlainTextEdit>

class QAbstractButton;
class QButtonGroup;
class ChoiceCombo;
class QLineEdit;
class QPushButton;

// The comments field. It holds what the record's 256-byte slot can take: 254
// characters, a line break counting as two (it is stored as CR LF), and only
// characters that Latin-1 can hold.
class CommentsMemo : public QPlainTextEdit {
    Q_OBJECT
  public:
    static constexpr int kLimit = 254;
    explicit CommentsMemo(QWidget* parent);

    // Length of a text as stored, line breaks as two bytes.
    static int storedLength(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    static constexpr const char* kWhat = "the comments";
    int room() const;
    void noteFull();
};

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
    void RightHATypeComboBoxChange();
    void SelectMonauralClick();
    void LLRightEar1Click(QAbstractButton* button);
    void LLLeftEar1Click(QAbstractButton* button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* addEdit(const QString& name, const QString& label, const QString& what, QRect place,
                       int limit);
    QPushButton* addLevelButton(const QString& name, const QString& accessibleName, int left,
                                int top, QColor colour);
    void buildIdentity();
    void buildAidStyles();
    void buildLevelSources();
    void setTabOrder();
    void FormKeyPress(QKeyEvent* event);
    static void showLevelChoice(QButtonGroup* group, QAbstractButton* down);

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
    QButtonGroup* rightLevelGroup = nullptr;
    QButtonGroup* leftLevelGroup = nullptr;
    bool loading = false;
};
