#include "log_check_window.h"

#include "codec.h"
#include "control_setup.h"
#include "failure_box.h"
#include "logbook.h"
#include "window_front.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace qz::ui {
namespace {

constexpr int kOperatorRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;

QString describe(const Finding& finding, const OperatorCheck& check)
{
    const QString detail = fromCp1250(finding.detail);
    switch (finding.kind) {
    case FindingKind::NoRecord:
        return QStringLiteral("brak rekordu w pliku operatorów (nagłówek Cabrillo będzie pusty)");
    case FindingKind::NoName: return QStringLiteral("brak imienia i nazwiska w nagłówku");
    case FindingKind::NoEmail: return QStringLiteral("brak adresu e-mail w nagłówku");
    case FindingKind::NoCategory: return QStringLiteral("brak kategorii w nagłówku");
    case FindingKind::NoClaimedScore: return QStringLiteral("brak wyniku w nagłówku (obliczony: %1)").arg(detail);
    case FindingKind::OutdatedClaimedScore:
        return QStringLiteral("wynik w nagłówku %1, obliczony teraz %2").arg(detail).arg(check.score);
    case FindingKind::OutsideContestPeriod: return QStringLiteral("QSO poza czasem zawodów");
    case FindingKind::Repeat: return QStringLiteral("powtórka (ten sam znak, pasmo i emisja)");
    case FindingKind::UnknownExchange:
        return QStringLiteral("odebrana grupa „%1” nie jest strefą ani skrótem HQ").arg(detail);
    case FindingKind::NotACallsign: return QStringLiteral("„%1” nie może być znakiem stacji").arg(detail);
    case FindingKind::NotAContestBandOrMode: return QStringLiteral("pasmo lub emisja spoza zawodów");
    case FindingKind::SentExchangeChanged:
        return QStringLiteral("nadana grupa zmieniła się (wcześniej „%1”)").arg(detail);
    case FindingKind::ExchangeDiffersFromLog:
        return QStringLiteral("odebrana grupa inna niż w ostatnim QSO z tą stacją w logu („%1”)").arg(detail);
    case FindingKind::ExchangeDiffersFromHistory:
        return QStringLiteral("odebrana grupa inna niż w historii znaków („%1”)").arg(detail);
    }
    return {};
}

QString ownZoneText(const OperatorCheck& check)
{
    if (!check.ownZone.zone)
        return QStringLiteral("własna strefa nieznana");
    return check.ownZone.source == OwnZoneSource::SentExchange
               ? QStringLiteral("własna strefa %1 (nadawana)").arg(*check.ownZone.zone)
               : QStringLiteral("własna strefa %1 (z cty.dat)").arg(*check.ownZone.zone);
}

}  // namespace

LogCheckWindow::LogCheckWindow(StationContext context, Logbook& logbook,
                               std::function<const ContestData&()> contestData, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(std::move(context)), logbook_(logbook), data_(std::move(contestData))
{
    setObjectName(QStringLiteral("LogCheck"));
    setWindowTitle(QStringLiteral("Sprawdzenie logu"));
    setAttribute(Qt::WA_QuitOnClose, false);
    AllOperators = named(new QCheckBox(QStringLiteral("Wszyscy operatorzy"), this), "AllOperators");
    CheckAgain = named(new QPushButton(QStringLiteral("Sprawdź ponownie"), this), "CheckAgain");
    Summary = named(new QLabel(this), "Summary");
    Summary->setWordWrap(true);
    Findings = named(new QListWidget(this), "Findings");
    Findings->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Findings->setAccessibleName(QStringLiteral("Uwagi do logu"));
    auto* top = new QHBoxLayout;
    top->addWidget(AllOperators);
    top->addStretch(1);
    top->addWidget(CheckAgain);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Summary);
    layout->addWidget(Findings, 1);
    resize(760, 420);

    const auto checked = [this] { guarded(context_.platform, [this] { runCheck(); }); };
    connect(AllOperators, &QCheckBox::toggled, this, checked);
    connect(CheckAgain, &QPushButton::clicked, this, checked);
    const auto choose = [this](const QListWidgetItem* item) {
        guarded(context_.platform, [this, item] { chooseFinding(item); });
    };
    connect(Findings, &QListWidget::itemClicked, this, choose);
    connect(Findings, &QListWidget::itemActivated, this, choose);
    // The log changes as its QSOs are corrected: the list follows.
    connect(&logbook_, &Logbook::reloaded, this, &LogCheckWindow::followLog);
    connect(&logbook_, &Logbook::stored, this, &LogCheckWindow::followLog);
    connect(&logbook_, &Logbook::arrived, this, &LogCheckWindow::followLog);
    connect(&logbook_, &Logbook::deleted, this, &LogCheckWindow::followLog);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

void LogCheckWindow::open()
{
    runCheck();
    bringToFront(*this);
}

void LogCheckWindow::followLog()
{
    if (isVisible())
        guarded(context_.platform, [this] { runCheck(); });
}

void LogCheckWindow::runCheck()
{
    const std::optional<std::string> only =
        AllOperators->isChecked() ? std::nullopt : std::optional(logbook_.currentOperator());
    const Logbook::Check check = logbook_.checkLog(data_(), only);
    const std::vector<OperatorCheck>& checks = check.operators;

    // Rebuilt in place: the entry being worked on keeps its row.
    const int row = Findings->currentRow();
    const int scrolled = Findings->verticalScrollBar()->value();
    Findings->clear();
    QStringList summary;
    for (const OperatorCheck& checked : checks) {
        const QString op = fromCp1250(checked.op);
        summary << QStringLiteral("%1: liczba uwag %2, wynik %3, %4")
                       .arg(op)
                       .arg(checked.findings.size())
                       .arg(checked.score)
                       .arg(ownZoneText(checked));
        for (const Finding& finding : checked.findings) {
            QString text = QStringLiteral("%1: %2").arg(op, describe(finding, checked));
            if (finding.leftOut > 0)
                text = QStringLiteral("%1: … i jeszcze %2 takich QSO").arg(op).arg(finding.leftOut);
            auto* item = new QListWidgetItem(text, Findings);
            item->setData(kOperatorRole, QVariant::fromValue(checked.op));
            if (finding.line) {
                const std::string_view line = check.lines[*finding.line];
                item->setText(text +
                              QStringLiteral("\n    wiersz %1: %2").arg(*finding.line + 1).arg(fromCp1250(line)));
                // The entry keeps the line's bytes, not a place in a log that may change.
                item->setData(kLineRole, QVariant::fromValue(std::string(line)));
            }
        }
    }
    if (checks.empty())
        summary << QStringLiteral("Brak QSO do sprawdzenia.");
    else if (Findings->count() == 0)
        summary << QStringLiteral("Log nie budzi zastrzeżeń.");
    Summary->setText(summary.join(QLatin1Char('\n')));
    Findings->setCurrentRow(std::min(row, Findings->count() - 1));
    Findings->verticalScrollBar()->setValue(scrolled);
}

void LogCheckWindow::chooseFinding(const QListWidgetItem* item)
{
    if (!item || !item->data(kLineRole).isValid())
        return;
    emit qsoChosen(item->data(kOperatorRole).value<std::string>(), item->data(kLineRole).value<std::string>());
}

}  // namespace qz::ui
