#include "app/historydialog.h"

#include "model/safetext.h"
#include "model/textslot.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList kColumns = {QStringLiteral("Saved"), QStringLiteral("User"),
                              QStringLiteral("Host"), QStringLiteral("Test date"),
                              QStringLiteral("Changes")};

QString changesText(const HistoryRead& history, std::size_t i, const AidNamer& aidName) {
    if (i == 0)
        return QStringLiteral("First kept version");
    const std::vector<std::string> items =
        describeChanges(history.versions[i - 1].record, history.versions[i].record, aidName);
    if (items.empty())
        return QStringLiteral("No change");
    QStringList texts;
    for (const std::string& item : items)
        texts << QString::fromStdString(item);
    return texts.join(QStringLiteral("; "));
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setToolTip(text);
    return item;
}

QLabel* problemsLabel(const HistoryRead& history, QWidget* parent) {
    QStringList lines;
    for (const std::string& problem : history.problems)
        lines << QString::fromStdString(utf8FileName(problem));
    auto* label = new QLabel(lines.join(QLatin1Char('\n')), parent);
    label->setObjectName(QStringLiteral("HistoryProblems"));
    label->setWordWrap(true);
    label->setVisible(!lines.isEmpty());
    return label;
}

} // namespace

TfmHistory::TfmHistory(QWidget* parent, const HistoryRead& history, const QString& fileName,
                       const AidNamer& aidName)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TfmHistory"));
    setWindowTitle(QStringLiteral("History of %1").arg(fileName));
    auto* layout = new QVBoxLayout(this);
    auto* heading =
        new QLabel(history.versions.empty()
                       ? QStringLiteral("No versions of %1 are kept yet.").arg(fileName)
                       : QStringLiteral("Kept versions of %1, newest first:").arg(fileName),
                   this);
    layout->addWidget(heading);
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("HistoryGrid"));
    grid_->setAccessibleName(heading->text());
    heading->setBuddy(grid_);
    layout->addWidget(grid_, 1);
    layout->addWidget(problemsLabel(history, this));
    fillRows(history, aidName);

    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(QStringLiteral("&Open read-only"), QDialogButtonBox::ActionRole);
    open_->setObjectName(QStringLiteral("OpenVersionButton"));
    open_->setDefault(true); // Enter only looks
    open_->setToolTip(QStringLiteral("Shows the chosen version on every page; it is saved only "
                                     "under a new name"));
    restore_ = buttons->addButton(QStringLiteral("&Restore..."), QDialogButtonBox::ActionRole);
    restore_->setObjectName(QStringLiteral("RestoreVersionButton"));
    restore_->setToolTip(QStringLiteral("Makes the chosen version the current record, an unsaved "
                                        "change until you save"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("CloseButton"));
    layout->addWidget(buttons);
    connect(open_, &QPushButton::clicked, this, [this] { choose(Action::Open); });
    connect(restore_, &QPushButton::clicked, this, [this] { choose(Action::Restore); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { choose(Action::Open); });
    open_->setEnabled(versionCount_ > 0);
    restore_->setEnabled(versionCount_ > 0);
    resize(760, 360);
}

QString TfmHistory::savedAtText(int64_t savedAt) {
    return QDateTime::fromSecsSinceEpoch(savedAt).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
}

// Row 0 is the newest version.
void TfmHistory::fillRows(const HistoryRead& history, const AidNamer& aidName) {
    versionCount_ = static_cast<int>(history.versions.size());
    grid_->setColumnCount(static_cast<int>(kColumns.size()));
    grid_->setHorizontalHeaderLabels(kColumns);
    grid_->setRowCount(versionCount_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < versionCount_; ++row) {
        const std::size_t i = static_cast<std::size_t>(versionCount_ - 1 - row);
        const KeptVersion& v = history.versions[i];
        grid_->setItem(row, 0, cell(savedAtText(v.stamp.savedAt)));
        grid_->setItem(row, 1, cell(QString::fromStdString(utf8FileName(v.stamp.user))));
        grid_->setItem(row, 2, cell(QString::fromStdString(utf8FileName(v.stamp.host))));
        grid_->setItem(row, 3, cell(QString::fromLatin1(readText(v.record.testDate))));
        grid_->setItem(row, 4, cell(changesText(history, i, aidName)));
    }
    grid_->resizeColumnsToContents();
    grid_->setColumnWidth(4, 360);
    if (versionCount_ > 0)
        grid_->selectRow(0);
}

int TfmHistory::selectedVersion() const {
    const int row = grid_->currentRow();
    return row < 0 || row >= versionCount_ ? -1 : versionCount_ - 1 - row;
}

void TfmHistory::choose(Action action) {
    const int version = selectedVersion();
    if (version < 0)
        return;
    choice_ = {action, version};
    accept();
}
