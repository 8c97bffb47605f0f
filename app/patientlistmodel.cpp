#include "app/patientlistmodel.h"

#include "pages/latin1entry.h"

#include <QApplication>
#include <QDateTime>
#include <QPalette>
#include <QRegularExpression>

namespace {

const char* const kHeaders[PatientListModel::ColumnCount] = {
    "Last name", "First name", "ID",        "Birth date", "Test date",  "Clinician",
    "Right aid", "Left aid",   "File name", "Folder",     "Last change"};

QString fromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString fromLocal(const std::string& name) {
    return QString::fromLocal8Bit(name.data(), qsizetype(name.size()));
}

} // namespace

std::string foldQuery(const QString& text) {
    return foldForSearch(toLatin1Text(text).text.toLatin1().toStdString());
}

QString nameSortKey(const QString& text) {
    const std::string folded = foldQuery(text);
    return QString::fromLatin1(folded.data(), qsizetype(folded.size())) + QChar(0) + text;
}

QString dateSortKey(const QString& text) {
    static const QRegularExpression date(QStringLiteral("^(\\d\\d)\\D(\\d\\d)\\D(\\d{4})$"));
    const QRegularExpressionMatch match = date.match(text.trimmed());
    if (!match.hasMatch())
        return text;
    return match.captured(3) + match.captured(1) + match.captured(2);
}

int PatientListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int PatientListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PatientListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(kHeaders[section]);
}

QVariant PatientListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const PatientListing& row = listing(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return display(row, index.column());
    case kSortRole:
        return sortValue(row, index.column());
    case Qt::ToolTipRole:
        return row.readable() ? QVariant() : QString::fromStdString(row.error);
    case Qt::ForegroundRole:
        if (row.readable())
            return {};
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    default:
        return {};
    }
}

// A file that gives no patient shows why in place of the name.
QVariant PatientListModel::display(const PatientListing& row, int column) const {
    switch (column) {
    case LastName:
        return row.readable() ? fromLatin1(row.lastName) : QString::fromStdString(row.error);
    case FirstName:
        return fromLatin1(row.firstName);
    case PatientId:
        return fromLatin1(row.patientId);
    case BirthDate:
        return fromLatin1(row.birthDate);
    case TestDate:
        return fromLatin1(row.testDate);
    case Clinician:
        return fromLatin1(row.clinician);
    case RightAid:
        return row.readable() ? QString::fromLatin1(aidStyleName(row.rightAidStyle)) : QString();
    case LeftAid:
        return row.readable() ? QString::fromLatin1(aidStyleName(row.leftAidStyle)) : QString();
    case FileName:
        return fromLocal(row.fileName);
    case Folder:
        return fromLocal(row.folder);
    case LastChange:
        return QDateTime::fromSecsSinceEpoch(row.modifiedTime)
            .toString(QStringLiteral("yyyy-MM-dd hh:mm"));
    default:
        return {};
    }
}

QVariant PatientListModel::sortValue(const PatientListing& row, int column) const {
    switch (column) {
    case BirthDate:
    case TestDate:
        return dateSortKey(display(row, column).toString());
    case LastChange:
        return qlonglong(row.modifiedTime);
    case LastName:
        // A file that cannot be opened shows its reason here; it sorts after every
        // patient, whatever the reason's first word.
        if (!row.readable())
            return QChar(0xFFFF) + nameSortKey(display(row, column).toString());
        return nameSortKey(display(row, column).toString());
    case FirstName:
    case Clinician:
        return nameSortKey(display(row, column).toString());
    default:
        return display(row, column).toString().toCaseFolded();
    }
}

void PatientListModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void PatientListModel::append(std::vector<PatientListing>&& listings) {
    if (listings.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + int(listings.size()) - 1);
    for (PatientListing& listing : listings) {
        std::string key = searchKey(listing);
        rows_.push_back({std::move(listing), std::move(key)});
    }
    endInsertRows();
}

void PatientFilterProxy::setQuery(const QString& text) {
    std::string folded = foldQuery(text);
    if (folded == query_)
        return;
    query_ = std::move(folded);
    invalidateFilter();
}

bool PatientFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (query_.empty())
        return true;
    const auto* rows = static_cast<const PatientListModel*>(sourceModel());
    return matchesSearch(rows->key(sourceRow), query_);
}
