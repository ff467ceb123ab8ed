#pragma once

#include "core/gamerecord.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace marvesto {

class Records;
class RecordsFile;

// The best games, a row each, for a table view; each column sorts by its value.
class RecordsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Player,
        Started,
        StartingCapital,
        HighestCapital,
        FinalCapital,
        BoxesWon,
        BoxesOpened,
        OffersAccepted,
        Played,
        Ending,
        ColumnCount
    };
    // The role that sorts: numbers and times as they are, not as written.
    static constexpr int kSortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;
    void setRecords(std::vector<GameRecord> records);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<GameRecord> m_records;
};

// The capital over the game's time, drawn as it went: a step at each change,
// with euro amounts up the side and minutes along the bottom. A screen reader
// reads it as a sentence, its accessible description.
class CapitalCurve : public QWidget {
    Q_OBJECT
public:
    explicit CapitalCurve(QWidget *parent = nullptr);
    // The capital holds from the last change to endMs.
    void setCurve(std::vector<CapitalPoint> curve, qint64 endMs = 0);
    // "Capitale da 10000 € a 14250 €, massimo 16100 € al minuto 7".
    static QString summary(const std::vector<CapitalPoint> &curve);
    QSize sizeHint() const override { return {560, 260}; }
    QSize minimumSizeHint() const override { return {260, 140}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<CapitalPoint> m_curve;
    qint64 m_endMs = 0;
};

// The "Record" window: the ten best games, and the curve of the game being
// played, or of the last one when none is. It does not stop the game.
class RecordsWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShown = 10;

    RecordsWindow(Records &records, RecordsFile *file, QWidget *parent = nullptr);

    QTableView *recordsTable() const { return m_table; }
    CapitalCurve *capitalCurve() const { return m_curve; }
    QLabel *noticeLabel() const { return m_notice; }
    // Reads the file again, and the curve.
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showCurve();

    Records &m_records;
    RecordsFile *m_file;
    bool m_sized = false;
    // The file's last game.
    GameRecord m_last;
    RecordsModel *m_model;
    QSortFilterProxyModel *m_sorted;
    QTableView *m_table;
    CapitalCurve *m_curve;
    QLabel *m_summary;
    QLabel *m_notice;
};

} // namespace marvesto
