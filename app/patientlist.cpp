#include "app/patientlist.h"

#include "app/patientlistmodel.h"
#include "model/document.h"
#include "model/fileio.h"
#include "model/patientscan.h"
#include "model/settings.h"
#include "platform/dialogservice.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

// "1 patient file", "3 patient files": the count with its noun, as the status line
// reads it.
QString counted(int count, const char* noun) {
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(noun)).arg(count == 1 ? "" : "s");
}

TfmPatientList::FolderChooser& folderChooser() {
    static TfmPatientList::FolderChooser chooser;
    return chooser;
}

PatientFolderLister& folderLister() {
    static PatientFolderLister lister;
    return lister;
}

std::optional<QString> chooseFolderWithDialog(QWidget* parent, const QString& folder) {
    const QString chosen = QFileDialog::getExistingDirectory(
        parent, QStringLiteral("Folder of the patient files"), folder);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

// The list fills in steps of this many files, or of what came within this time.
constexpr std::size_t kBatchFiles = 256;
constexpr auto kBatchTime = std::chrono::milliseconds(40);

// Widths of the columns in average characters.
constexpr int kColumnChars[PatientListModel::ColumnCount] = {16, 12, 10, 12, 12, 18,
                                                             6,  6,  13, 10, 17};

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

void TfmPatientList::setFolderChooser(FolderChooser chooser) {
    folderChooser() = std::move(chooser);
}

void TfmPatientList::setFolderLister(PatientFolderLister lister) {
    folderLister() = std::move(lister);
}

TfmPatientList::TfmPatientList(QWidget* parent, OpenFile openFile)
    : QDialog(parent), openFile_(std::move(openFile)) {
    setObjectName(QStringLiteral("TfmPatientList"));
    setWindowTitle(QStringLiteral("Patients"));
    model_ = new PatientListModel(this);
    proxy_ = new PatientFilterProxy(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(PatientListModel::kSortRole);
    buildLayout();
}

TfmPatientList::~TfmPatientList() {
    stopScan();
}

QHBoxLayout* TfmPatientList::buildFindRow() {
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("FilterEdit"));
    filter_->setPlaceholderText(QStringLiteral("Part of a name or ID"));
    filter_->setClearButtonEnabled(true);
    filter_->setAccessibleName(QStringLiteral("Find"));
    filter_->setToolTip(QStringLiteral("Shows the patients whose name or ID holds every word "
                                       "typed; accents and case do not matter"));
    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, this, &TfmPatientList::filterChanged);
    auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
    findLabel->setBuddy(filter_);
    auto* folderButton = new QPushButton(QStringLiteral("Fol&der..."), this);
    folderButton->setObjectName(QStringLiteral("FolderButton"));
    folderButton->setAutoDefault(false);
    folderButton->setToolTip(QStringLiteral("Choose the folder of the patient files"));
    connect(folderButton, &QPushButton::clicked, this, &TfmPatientList::chooseFolder);
    auto* top = new QHBoxLayout;
    top->addWidget(findLabel);
    top->addWidget(filter_, 1);
    top->addWidget(folderButton);

    return top;
}

void TfmPatientList::buildTable() {
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("PatientListTable"));
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(PatientListModel::LastName, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    // Wide enough for the heading with its sort mark, and for a typical entry.
    const QFontMetrics metrics = table_->fontMetrics();
    for (int column = 0; column < PatientListModel::ColumnCount; ++column) {
        const QString heading = proxy_->headerData(column, Qt::Horizontal).toString();
        table_->setColumnWidth(column,
                               std::max(metrics.horizontalAdvance(heading) + 4 * metrics.height(),
                                        kColumnChars[column] * metrics.averageCharWidth()));
    }
    table_->setAccessibleName(QStringLiteral("Patients"));
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, &TfmPatientList::openCurrent);
    for (const auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(proxy_, change, this, &TfmPatientList::spanReasons);
    connect(proxy_, &QAbstractItemModel::modelReset, this, &TfmPatientList::spanReasons);
    connect(proxy_, &QAbstractItemModel::layoutChanged, this, &TfmPatientList::spanReasons);
}

// Why a file cannot be opened stands in its Last name cell and runs on over the
// columns up to the aids, which such a file leaves empty, so that it is read whole.
void TfmPatientList::spanReasons() {
    table_->clearSpans();
    for (int row = 0; row < proxy_->rowCount(); ++row) {
        const int source = proxy_->mapToSource(proxy_->index(row, 0)).row();
        if (!model_->listing(source).readable())
            table_->setSpan(row, PatientListModel::LastName, 1, PatientListModel::LeftAid + 1);
    }
}

QHBoxLayout* TfmPatientList::buildButtonRow() {
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ScanProgressBar"));
    progress_->setMaximumWidth(fontMetrics().averageCharWidth() * 24);
    progress_->hide();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("PatientListStatusLabel"));
    auto* openButton = new QPushButton(QStringLiteral("&Open"), this);
    openButton->setObjectName(QStringLiteral("OpenButton"));
    openButton->setAutoDefault(false);
    connect(openButton, &QPushButton::clicked, this, &TfmPatientList::openCurrent);
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progress_);
    bottom->addWidget(status_, 1);
    bottom->addWidget(openButton);
    bottom->addWidget(closeButton);

    return bottom;
}

void TfmPatientList::buildLayout() {
    QHBoxLayout* top = buildFindRow();
    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName(QStringLiteral("FolderLabel"));
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    buildTable();
    QHBoxLayout* bottom = buildButtonRow();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(folderLabel_);
    layout->addWidget(table_, 1);
    layout->addLayout(bottom);
    resize(fontMetrics().averageCharWidth() * 175, fontMetrics().height() * 30);
}

// At a large text scale the list's first size may be more than the screen holds.
void TfmPatientList::fitToScreen() {
    if (sized_ || !screen())
        return;
    sized_ = true;
    resize(size().boundedTo(screen()->availableSize() * 9 / 10));
}

void TfmPatientList::showFolder(const QString& folder) {
    folder_ = folder;
    fitToScreen();
    show();
    raise();
    activateWindow();
    filter_->setFocus();
    filter_->selectAll();
    startScan();
}

// The files are read in a thread of their own; what it finds comes back in batches
// through the event loop, so the window answers all along. A batch of an earlier
// scan that arrives late is dropped by its number.
void TfmPatientList::startScan() {
    stopScan();
    model_->clear();
    failure_.clear();
    folderLabel_->setText(folder_);
    progress_->setRange(0, 0);
    progress_->show();
    status_->setText(QStringLiteral("Looking for patient files..."));
    stop_ = false;
    const int generation = ++generation_;
    const std::string folder = folder_.toStdString();
    worker_ = QThread::create([this, generation, folder, lister = folderLister()] {
        auto batch = std::make_shared<std::vector<PatientListing>>();
        auto lastSent = std::chrono::steady_clock::now();
        const auto send = [&](ScanProgress progress) {
            QMetaObject::invokeMethod(
                this,
                [this, generation, batch, progress] {
                    receive(generation, std::move(*batch), progress.done, progress.total);
                },
                Qt::QueuedConnection);
            batch = std::make_shared<std::vector<PatientListing>>();
            lastSent = std::chrono::steady_clock::now();
        };
        QString failure;
        ScanProgress last{0, 0};
        try {
            scanPatientFolder(
                folder,
                [&](PatientListing&& listing, ScanProgress progress) {
                    batch->push_back(std::move(listing));
                    last = progress;
                    if (batch->size() >= kBatchFiles ||
                        std::chrono::steady_clock::now() - lastSent >= kBatchTime)
                        send(progress);
                },
                stop_, lister);
        } catch (const FileError& e) {
            failure = QString::fromStdString(e.what());
        }
        send(last);
        QMetaObject::invokeMethod(
            this, [this, generation, failure] { finish(generation, failure); },
            Qt::QueuedConnection);
    });
    worker_->start();
}

void TfmPatientList::stopScan() {
    if (!worker_)
        return;
    stop_ = true;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
}

void TfmPatientList::receive(int generation, std::vector<PatientListing>&& batch, std::size_t done,
                             std::size_t total) {
    if (generation != generation_)
        return;
    model_->append(std::move(batch));
    if (total > 0) {
        progress_->setRange(0, int(total));
        progress_->setValue(int(done));
        status_->setText(QStringLiteral("Reading %1 of %2 files...").arg(done).arg(total));
    }
    if (!table_->currentIndex().isValid() && proxy_->rowCount() > 0)
        table_->selectRow(0);
}

void TfmPatientList::finish(int generation, const QString& failure) {
    if (generation != generation_)
        return;
    stopScan();
    progress_->hide();
    failure_ = failure;
    showCounts();
    emit scanFinished();
}

void TfmPatientList::showCounts() {
    if (scanning())
        return;
    if (!failure_.isEmpty()) {
        status_->setText(failure_);
        return;
    }
    int broken = 0;
    int folders = 0;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const PatientListing& listing = model_->listing(row);
        folders += listing.isFolder ? 1 : 0;
        broken += listing.readable() || listing.isFolder ? 0 : 1;
    }
    QString text = counted(model_->rowCount() - broken - folders, "patient file");
    if (broken > 0)
        text += QStringLiteral(", %1 that cannot be opened").arg(broken);
    if (folders > 0)
        text += ", " + counted(folders, "folder") + " that cannot be read";
    if (proxy_->rowCount() != model_->rowCount())
        text += QStringLiteral("; %1 shown").arg(proxy_->rowCount());
    status_->setText(text);
}

void TfmPatientList::filterChanged(const QString& text) {
    proxy_->setQuery(text);
    if (proxy_->rowCount() > 0)
        table_->selectRow(0);
    showCounts();
}

void TfmPatientList::moveSelection(int steps) {
    const int rows = proxy_->rowCount();
    if (rows == 0)
        return;
    const int current = table_->currentIndex().isValid() ? table_->currentIndex().row() : 0;
    table_->selectRow(std::clamp(current + steps, 0, rows - 1));
}

// A file that gives no patient stays where it is; the status line says why.
void TfmPatientList::openCurrent() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid())
        return;
    const PatientListing& row = model_->listing(proxy_->mapToSource(current).row());
    const QString name =
        QString::fromLocal8Bit(row.isFolder ? row.folder.c_str() : row.fileName.c_str());
    if (!row.readable()) {
        status_->setText(
            QStringLiteral("%1 cannot be opened: %2").arg(name, QString::fromStdString(row.error)));
        return;
    }
    if (openFile_(QString::fromLocal8Bit(row.path.c_str())))
        close();
}

// The chosen folder becomes the list's own folder and the data folder, both kept in
// the settings file at once.
void TfmPatientList::chooseFolder() {
    const FolderChooser& chooser = folderChooser();
    const std::optional<QString> chosen =
        chooser ? chooser(this, folder_) : chooseFolderWithDialog(this, folder_);
    if (!chosen)
        return;
    std::string folder = chosen->toStdString();
    if (!folder.ends_with('/'))
        folder += '/';
    document.dataPath = folder;
    try {
        writePatientFolder(document, folder);
    } catch (const FileError& e) {
        dialogs().error(this, QStringLiteral("Error"), QString::fromStdString(e.what()));
    }
    showFolder(QString::fromStdString(folder));
}

// Enter opens the patient chosen, from the table or from the find field; the arrow
// keys in the find field move through the list.
bool TfmPatientList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (isEnter(key) && key->modifiers() == Qt::NoModifier) {
        openCurrent();
        return true;
    }
    if (watched == filter_ && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
        moveSelection(key->key() == Qt::Key_Down ? 1 : -1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// A list put away stops reading; the next showing reads the folder afresh.
void TfmPatientList::hideEvent(QHideEvent* event) {
    stopScan();
    ++generation_;
    progress_->hide();
    QDialog::hideEvent(event);
}
