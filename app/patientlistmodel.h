// The rows of the patient list and the filter that finds a patient by name or ID.
#pragma once

#include "model/patientscan.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <string>
#include <vector>

class PatientListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        LastName,
        FirstName,
        PatientId,
        BirthDate,
        TestDate,
        Clinician,
        RightAid,
        LeftAid,
        FileName,
        Folder,
        LastChange,
        ColumnCount
    };
    // What a column sorts by: names without regard to accents and case, dates by year,
    // month and day, the last change by time.
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void clear();
    void append(std::vector<PatientListing>&& listings);

    const PatientListing& listing(int row) const { return rows_[std::size_t(row)].listing; }
    const std::string& key(int row) const { return rows_[std::size_t(row)].key; }

  private:
    struct Row {
        PatientListing listing;
        std::string key; // folded once, searched at every key typed
    };
    QVariant display(const PatientListing& listing, int column) const;
    QVariant sortValue(const PatientListing& listing, int column) const;

    std::vector<Row> rows_;
};

// Shows the rows whose name or ID hold every word typed, accents and case aside.
class PatientFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setQuery(const QString& text);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    std::string query_;
};

// The typed text folded as the rows' keys are: letters outside Latin-1 become their
// plain letters first.
std::string foldQuery(const QString& text);

// A name as it sorts: folded as the search folds it, so "Müller" sorts with
// "Muller" and "Édouard" among the e's, then by the text itself where two fold
// alike.
QString nameSortKey(const QString& text);

// "mm/dd/yyyy" as "yyyymmdd", so that dates sort by year; other texts as they are.
QString dateSortKey(const QString& text);
