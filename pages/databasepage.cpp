#include "pages/databasepage.h"

#include "artwork/toolicons.h"
#include "controls/datagrid.h"
#include "model/aiddatabase.h"
#include "model/document.h"
#include "pages/aidentrytext.h"
#include "pages/latin1entry.h"
#include "platform/qtcolour.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kLastAid = kAidCount - 1;

// Six frequency columns and six parameter rows; each cell is 64 x 18 pixels plus its
// grid line.
const DataGridLayout kAidGridLayout{kAidGridColumns, kAidGridRows, 65, 65, 19, 19};
constexpr int kGridLeft = 178;
constexpr int kGridTop = 124;
constexpr int kEditLeft = kGridLeft;

} // namespace

TfmPage3::TfmPage3(QWidget* parent)
    : PageForm(parent, QStringLiteral("fmPage3"), qColor(kFormPageColour)) {
    FormCreate();
    beforeAidDatabaseSave = [this] { storeBeforeDatabaseSave(); };
}

TfmPage3::~TfmPage3() {
    beforeAidDatabaseSave = nullptr;
}

// --- layout -------------------------------------------------------------------

void TfmPage3::FormCreate() {
    resize(630, 348);
    auto* title = new QLabel(QStringLiteral("Hearing Aid Database "), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    title->setFont(pageFont(16, true));
    title->adjustSize();
    title->move((630 - title->width()) / 2, 8);

    EditLongName =
        addNameEdit(QStringLiteral("EditLongName"), QStringLiteral("Hearing Aid"),
                    QStringLiteral("Name displayed on printout"),
                    QStringLiteral("the hearing aid's name"), kAidLongNameLimit, 42, 200);
    EditShortName = addNameEdit(QStringLiteral("EditShortName"), QStringLiteral("Short Label"),
                                QStringLiteral("Name displayed on curves screen"),
                                QStringLiteral("the short label"), kAidShortNameLimit, 72, 80);
    buildGrid();
    buildNavigation();

    // Reading order: the names, the grid, then the steps through the entries.
    QWidget* const chain[] = {EditLongName,  EditShortName, HADataGrid,   FirstRecButton,
                              PrevRecButton, NextRecButton, LastRecButton};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

QLineEdit* TfmPage3::addNameEdit(const QString& name, const QString& label, const QString& hint,
                                 const QString& what, int limit, int top, int width) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(kEditLeft, top, width, 24);
    edit->setFont(pageFont(13));
    edit->setMaxLength(limit);
    edit->setValidator(new Latin1Validator(what, edit));
    const QString hintWithLimit = QStringLiteral("%1 (%2)").arg(hint, limitText(limit));
    edit->setToolTip(hintWithLimit);
    edit->setAccessibleName(label);
    edit->setAccessibleDescription(hintWithLimit);
    edit->installEventFilter(this);

    auto* caption = new QLabel(label, this);
    caption->adjustSize();
    caption->move(kEditLeft - 6 - caption->width(), top + (24 - caption->height()) / 2);
    caption->setBuddy(edit);
    caption->setToolTip(hintWithLimit);
    return edit;
}

void TfmPage3::buildGrid() {
    HADataGrid = new DataGrid(QStringLiteral("HADataGrid"), kAidGridLayout, this);
    HADataGrid->move(kGridLeft, kGridTop);
    HADataGrid->setAccessibleName(QStringLiteral("Hearing aid curve parameters"));
    HADataGrid->acceptsChar = [](int, int row, QChar ch) {
        return ch != QLatin1Char('\b') && aidCellAccepts(row, ch.unicode());
    };
    HADataGrid->keyPress = [this](QKeyEvent* event) { return HADataGridKeyPress(event); };
    HADataGrid->cellLeaving = [this](int c, int r) { return HADataGridCellLeaving(c, r); };
    HADataGrid->drawCell = [this](QPainter& p, int c, int r, const QRect& rect) {
        HADataGridDrawCell(p, c, r, rect);
    };

    const int inner = HADataGrid->frameWidth();
    for (int f = 0; f < kAidGridColumns; ++f) {
        auto* heading = new QLabel(QString::fromLatin1(frequencyCaptions[f]), this);
        heading->setFont(pageFont(11, true));
        heading->setAlignment(Qt::AlignCenter);
        heading->setGeometry(kGridLeft + inner + f * kAidGridLayout.columnWidth, kGridTop - 18,
                             kAidGridLayout.columnWidth, 16);
    }
    for (int row = 0; row < kAidGridRows; ++row) {
        const QString rowName = QString::fromLatin1(aidGridRowHeadings[row]);
        auto* heading = new QLabel(rowName, this);
        heading->setFont(pageFont(11, true));
        heading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        heading->setGeometry(8, kGridTop + inner + row * kAidGridLayout.rowHeight, kGridLeft - 14,
                             kAidGridLayout.rowHeight);
        for (int f = 0; f < kAidGridColumns; ++f) {
            HADataGrid->setCellName(
                f, row, QString::fromLatin1(frequencyCaptions[f]) + QStringLiteral(", ") + rowName);
        }
    }
}

void TfmPage3::buildNavigation() {
    constexpr int top = kGridTop + 6 * 19 + 4 + 14;
    constexpr int width = 52;
    constexpr int height = 42;
    const auto button = [this](const QString& name, const QString& caption, ToolIcon icon,
                               int left) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(caption);
        b->setAccessibleName(caption);
        b->setIcon(toolIcon(icon));
        b->setIconSize(QSize(16, 16));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::StrongFocus);
        b->setGeometry(left, top, width, height);
        return b;
    };
    const int middle = kGridLeft + HADataGrid->width() / 2;
    constexpr int labelWidth = 64;
    const int left = middle - labelWidth / 2 - 2 * (width + 4);
    FirstRecButton = button(QStringLiteral("FirstRecButton"), QStringLiteral("First"),
                            ToolIcon::FirstRecord, left);
    PrevRecButton = button(QStringLiteral("PrevRecButton"), QStringLiteral("Prev"),
                           ToolIcon::PrevRecord, left + width + 4);
    CurrentRecLabel = new QLabel(QStringLiteral("1 of 6"), this);
    CurrentRecLabel->setObjectName(QStringLiteral("CurrentRecLabel"));
    CurrentRecLabel->setFont(pageFont(13, true));
    CurrentRecLabel->setAlignment(Qt::AlignCenter);
    CurrentRecLabel->setGeometry(middle - labelWidth / 2, top, labelWidth, height);
    NextRecButton = button(QStringLiteral("NextRecButton"), QStringLiteral("Next"),
                           ToolIcon::NextRecord, middle + labelWidth / 2 + 4);
    LastRecButton = button(QStringLiteral("LastRecButton"), QStringLiteral("Last"),
                           ToolIcon::LastRecord, middle + labelWidth / 2 + width + 8);
    connect(FirstRecButton, &QToolButton::clicked, this, &TfmPage3::FirstRecButtonClick);
    connect(PrevRecButton, &QToolButton::clicked, this, &TfmPage3::PrevRecButtonClick);
    connect(NextRecButton, &QToolButton::clicked, this, &TfmPage3::NextRecButtonClick);
    connect(LastRecButton, &QToolButton::clicked, this, &TfmPage3::LastRecButtonClick);
}

// --- handlers -----------------------------------------------------------------

QWidget* TfmPage3::firstField() const {
    return EditLongName;
}

// Every showing starts at the first entry and stores nothing.
void TfmPage3::FormShow() {
    currentAid = 0;
    showPosition();
    loadAidEntry(0);
    HADataGrid->setCurrentCell(0, 0);
    EditLongName->setFocus();
    EditLongName->selectAll();
}

void TfmPage3::FormHide() {
    storeAidEntry(currentAid);
}

void TfmPage3::stepTo(int n) {
    if (!storeAidEntry(currentAid))
        return;
    currentAid = n;
    loadAidEntry(n);
    showPosition();
}

void TfmPage3::showPosition() {
    const bool back = currentAid > 0;
    const bool on = currentAid < kLastAid;
    // A step button that holds the focus and has no step left hands it to the button
    // stepping the other way, so that the focus never drops out of the page.
    const QWidget* focused = window()->focusWidget();
    const auto handFocusTo = [](QToolButton* button) {
        button->setEnabled(true);
        button->setFocus();
    };
    if (!back && (focused == FirstRecButton || focused == PrevRecButton))
        handFocusTo(NextRecButton);
    if (!on && (focused == NextRecButton || focused == LastRecButton))
        handFocusTo(PrevRecButton);
    FirstRecButton->setEnabled(back);
    PrevRecButton->setEnabled(back);
    NextRecButton->setEnabled(on);
    LastRecButton->setEnabled(on);
    CurrentRecLabel->setText(QString::number(currentAid + 1) + QStringLiteral(" of 6"));
}

void TfmPage3::FirstRecButtonClick() {
    stepTo(0);
}

void TfmPage3::PrevRecButtonClick() {
    if (currentAid > 0)
        stepTo(currentAid - 1);
}

void TfmPage3::NextRecButtonClick() {
    if (currentAid < kLastAid)
        stepTo(currentAid + 1);
}

void TfmPage3::LastRecButtonClick() {
    stepTo(kLastAid);
}

// Each row takes its own characters; everything else is discarded, Enter included.
// Keys that type nothing (arrows, Home) and Delete pass. Nothing here marks the
// patient document changed: the database is not part of it.
bool TfmPage3::HADataGridKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        return false;
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    return text.size() > 1 || !aidCellAccepts(HADataGrid->currentRow(), text.at(0).unicode());
}

// White, then the text from the cell's left edge (where the cell editor shows it),
// vertically centred, on one line and not clipped. No focus frame or selection
// colour: the cell editor marks the current cell.
void TfmPage3::HADataGridDrawCell(QPainter& painter, int column, int row, const QRect& rect) {
    painter.fillRect(rect, Qt::white);
    painter.save();
    painter.setFont(HADataGrid->font());
    painter.setPen(Qt::black);
    const QRect textRect(rect.left() + 2, rect.top(), 10000, rect.height());
    painter.drawText(textRect,
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     HADataGrid->cellText(column, row).left(kAidGridLayout.textLimit));
    painter.restore();
}

// A full name edit says so when a further character would not fit. A name edit the
// program gives the focus to has its whole text selected, so that typing replaces it.
bool TfmPage3::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::OtherFocusReason)
        edit->selectAll();
    if (edit && event->type() == QEvent::KeyPress) {
        noteWhenFull(edit, static_cast<QKeyEvent*>(event),
                     edit == EditLongName ? QStringLiteral("the hearing aid's name")
                                          : QStringLiteral("the short label"));
    }
    return PageForm::eventFilter(watched, event);
}
