#include "ui/recordswindow.h"

#include "core/amounts.h"
#include "core/records.h"
#include "core/recordsfile.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace marvesto {

namespace {

constexpr qint64 kMinuteMs = 60000;
// Euros above and below a curve that hardly moves.
constexpr double kFlatRoom = 50;

QString euros(double amount)
{
    return writeAmount(amount) + QStringLiteral(" \u20AC");
}

QString endingText(GameEnding ending)
{
    switch (ending) {
    case GameEnding::Bankruptcy: return RecordsWindow::tr("Bancarotta");
    case GameEnding::NewGame: return RecordsWindow::tr("Nuova partita");
    case GameEnding::Quit: return RecordsWindow::tr("Uscita");
    }
    return {};
}

// Minutes and seconds: "12:05".
QString playedText(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// A round step that cuts `span` into at most `most` parts: 1, 2 or 5 times a power of ten.
double niceStep(double span, int most)
{
    const double rough = span / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

} // namespace

void RecordsModel::setRecords(std::vector<GameRecord> records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

int RecordsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_records.size());
}

int RecordsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecordsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const GameRecord &r = m_records[static_cast<std::size_t>(index.row())];
    const bool sorting = role == kSortRole;
    if (role == Qt::TextAlignmentRole) {
        const bool text =
            index.column() == Player || index.column() == Ending || index.column() == Started;
        return QVariant::fromValue(Qt::AlignVCenter | (text ? Qt::AlignLeft : Qt::AlignRight));
    }
    if (role != Qt::DisplayRole && !sorting)
        return {};
    switch (index.column()) {
    case Player: return r.player;
    case Started:
        return sorting
            ? QVariant(r.started)
            : QVariant(r.started.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    case StartingCapital: return sorting ? QVariant(r.startingCapital) : euros(r.startingCapital);
    case HighestCapital: return sorting ? QVariant(r.highestCapital) : euros(r.highestCapital);
    case FinalCapital: return sorting ? QVariant(r.finalCapital) : euros(r.finalCapital);
    case BoxesWon: return r.boxesWon;
    case BoxesOpened: return r.boxesOpened;
    case OffersAccepted: return r.offersAccepted;
    case Played: return sorting ? QVariant(r.playedMs) : QVariant(playedText(r.playedMs));
    case Ending: return endingText(r.ending);
    default: return {};
    }
}

QVariant RecordsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case Player: return RecordsWindow::tr("Giocatore");
    case Started: return RecordsWindow::tr("Iniziata");
    case StartingCapital: return RecordsWindow::tr("Capitale iniziale");
    case HighestCapital: return RecordsWindow::tr("Capitale massimo");
    case FinalCapital: return RecordsWindow::tr("Capitale finale");
    case BoxesWon: return RecordsWindow::tr("Box vinti");
    case BoxesOpened: return RecordsWindow::tr("Box aperti");
    case OffersAccepted: return RecordsWindow::tr("Proposte accettate");
    case Played: return RecordsWindow::tr("Tempo di gioco");
    case Ending: return RecordsWindow::tr("Fine");
    default: return {};
    }
}

CapitalCurve::CapitalCurve(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("capitalCurve"));
    // Reached with Tab, so that a screen reader reads its description.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(RecordsWindow::tr("Curva del capitale"));
    setCurve({});
}

void CapitalCurve::setCurve(std::vector<CapitalPoint> curve, qint64 endMs)
{
    m_curve = std::move(curve);
    m_endMs = endMs;
    setAccessibleDescription(summary(m_curve));
    update();
}

QString CapitalCurve::summary(const std::vector<CapitalPoint> &curve)
{
    if (curve.empty())
        return RecordsWindow::tr("Nessuna partita da mostrare");
    const auto highest = std::max_element(curve.cbegin(), curve.cend(),
                                          [](const CapitalPoint &a, const CapitalPoint &b) {
                                              return a.capital < b.capital;
                                          });
    return RecordsWindow::tr("Capitale da %1 a %2, massimo %3 al minuto %4")
        .arg(euros(curve.front().capital), euros(curve.back().capital), euros(highest->capital))
        .arg(highest->ms / kMinuteMs);
}

void CapitalCurve::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    painter.setPen(palette().text().color());
    if (m_curve.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, summary(m_curve));
        return;
    }

    // The amounts: from the lowest to the highest, in round steps; a flat
    // curve gets some room above and below.
    double low = m_curve.front().capital;
    double high = low;
    for (const CapitalPoint &p : m_curve) {
        low = std::min(low, p.capital);
        high = std::max(high, p.capital);
    }
    if (high - low < kFlatRoom) {
        low -= kFlatRoom;
        high += kFlatRoom;
    }
    const double amountStep = niceStep(high - low, 5);
    low = std::floor(low / amountStep) * amountStep;
    high = std::ceil(high / amountStep) * amountStep;
    // The minutes: at least one, in whole-minute steps.
    const qint64 lastMs = std::max({m_curve.back().ms, m_endMs, kMinuteMs});
    const double minutes = std::ceil(double(lastMs) / kMinuteMs);
    const double minuteStep = std::max(1.0, niceStep(minutes, 8));

    int labelWidth = 0;
    for (double a = low; a <= high + amountStep / 2; a += amountStep)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(euros(a)));
    const int line = metrics.height();
    const QRectF plot = QRectF(rect()).adjusted(labelWidth + 12, line, -line, -2.5 * line);
    const auto x = [&](qint64 ms) {
        return plot.left() + plot.width() * ms / (minutes * kMinuteMs);
    };
    const auto y = [&](double amount) {
        return plot.bottom() - plot.height() * (amount - low) / (high - low);
    };

    // The grid with its amounts, then the minutes along the bottom.
    const QColor grid = palette().mid().color();
    for (double a = low; a <= high + amountStep / 2; a += amountStep) {
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y(a)), QPointF(plot.right(), y(a)));
        painter.setPen(palette().text().color());
        painter.drawText(QRectF(0, y(a) - line / 2.0, labelWidth + 6, line),
                         Qt::AlignRight | Qt::AlignVCenter, euros(a));
    }
    for (double m = 0; m <= minutes + minuteStep / 2; m += minuteStep) {
        const double at = x(static_cast<qint64>(m * kMinuteMs));
        painter.drawLine(QPointF(at, plot.bottom()), QPointF(at, plot.bottom() + 4));
        painter.drawText(QRectF(at - 40, plot.bottom() + 4, 80, line), Qt::AlignHCenter,
                         QString::number(m));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 4 + line, plot.width(), line),
                     Qt::AlignHCenter, RecordsWindow::tr("minuti"));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    // The capital holds until it changes: a step at each change.
    QPainterPath path(QPointF(x(m_curve.front().ms), y(m_curve.front().capital)));
    for (std::size_t i = 1; i < m_curve.size(); ++i) {
        path.lineTo(x(m_curve[i].ms), y(m_curve[i - 1].capital));
        path.lineTo(x(m_curve[i].ms), y(m_curve[i].capital));
    }
    path.lineTo(x(std::max(m_endMs, m_curve.back().ms)), y(m_curve.back().capital));
    painter.setPen(QPen(palette().highlight().color(), 2));
    painter.drawPath(path);
}

RecordsWindow::RecordsWindow(Records &records, RecordsFile *file, QWidget *parent)
    : QDialog(parent),
      m_records(records),
      m_file(file),
      m_model(new RecordsModel(this)),
      m_sorted(new QSortFilterProxyModel(this)),
      m_table(new QTableView(this)),
      m_curve(new CapitalCurve(this)),
      m_summary(new QLabel(this)),
      m_notice(new QLabel(this))
{
    setObjectName(QStringLiteral("recordsWindow"));
    setWindowTitle(tr("Record"));
    setModal(false);

    m_notice->setObjectName(QStringLiteral("noticeLabel"));
    m_notice->setWordWrap(true);
    m_notice->hide();

    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(RecordsModel::kSortRole);
    m_table->setObjectName(QStringLiteral("recordsTable"));
    m_table->setAccessibleName(tr("I dieci migliori"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(RecordsModel::HighestCapital, Qt::DescendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    m_summary->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_notice);
    auto *bestTitle = new QLabel(tr("I dieci migliori"), this);
    layout->addWidget(bestTitle);
    layout->addWidget(m_table, 1);
    auto *curveTitle = new QLabel(tr("Il capitale nel tempo"), this);
    layout->addWidget(curveTitle);
    layout->addWidget(m_curve, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(760, 660);

    // The curve follows the game while the window is open; an ended game's
    // record is in the file once its ending has been handled.
    connect(&records, &Records::changed, this, [this] {
        if (isVisible())
            showCurve();
    });
    connect(
        &records, &Records::recorded, this,
        [this] {
            if (isVisible())
                refresh();
        },
        Qt::QueuedConnection);
}

void RecordsWindow::showEvent(QShowEvent *event)
{
    // A file set aside is told at the next opening only.
    m_notice->hide();
    refresh();
    // Wide enough for the whole table at its first opening, as the screen allows.
    if (!std::exchange(m_sized, true)) {
        int wanted = m_table->verticalHeader()->sizeHint().width() + 2 * m_table->frameWidth()
            + m_table->verticalScrollBar()->sizeHint().width() + layout()->contentsMargins().left()
            + layout()->contentsMargins().right();
        const QAbstractItemView *view = m_table; // where the size hint is public
        for (int column = 0; column < m_sorted->columnCount(); ++column)
            wanted += std::max(view->sizeHintForColumn(column),
                               m_table->horizontalHeader()->sectionSizeHint(column));
        const int room = screen() ? screen()->availableGeometry().width() : wanted;
        resize(std::clamp(wanted, width(), std::max(width(), room)), height());
    }
    QDialog::showEvent(event);
}

void RecordsWindow::refresh()
{
    RecordsFile::Contents contents;
    if (m_file)
        contents = m_file->read();
    if (contents.best.size() > kShown)
        contents.best.resize(kShown);
    m_model->setRecords(std::move(contents.best));
    m_last = contents.last.value_or(GameRecord());
    const QString aside = m_file ? m_file->takeSetAside() : QString();
    if (!aside.isEmpty()) {
        m_notice->setText(tr("Il file dei record non si poteva leggere: \u00E8 stato messo da "
                             "parte come %1 e ne \u00E8 stato iniziato uno nuovo.")
                              .arg(aside));
        m_notice->show();
    }
    showCurve();
}

void RecordsWindow::showCurve()
{
    // The game being played, or this run's last game, or the file's last game.
    const GameRecord &current = m_records.current();
    const bool ownGame = m_records.isRunning() || !current.curve.empty();
    const GameRecord &shown = ownGame ? current : m_last;
    m_curve->setCurve(shown.curve, ownGame ? m_records.playedMs() : shown.playedMs);
    m_summary->setText(CapitalCurve::summary(shown.curve));
}

} // namespace marvesto
