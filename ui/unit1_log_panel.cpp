#include "unit1_log_panel.h"

#include "control_setup.h"
#include "failure_box.h"
#include "log_list_box.h"
#include "logbook.h"
#include "share_status.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::ui {

LogPanel::LogPanel(StationContext context, Logbook& logbook, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), logbook_(logbook)
{
    createControls();
    followLogbook();
}

QWidget* LogPanel::list() const { return ListBox1; }

void LogPanel::createControls()
{
    ListBox1 = named(new LogListBox(this), "ListBox1");
    ListBox1->show(logbook_.view());
    ListBox1->setToolTip(QStringLiteral("Menu rozwijalne - prawy klawisz myszy"));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    Label11 = named(new QLabel(QStringLiteral("Plik wyjściowy:"), this), "Label11");
    ListBox1->setAccessibleName(Label11->text());
    Label12 = named(new QLabel(QStringLiteral("     Przeprowadzone wszystkie QSO z QZ5KV!    "), this), "Label12");
    Label12->setFixedSize(328, 16);
    Label12->setStyleSheet(QStringLiteral("QLabel { color: aqua; background-color: fuchsia; font-family: sans-serif; "
                                          "font-weight: bold; font-size: 13px; }"));
    Label12->hide();
    // Shown only where the log is shared.
    LabelSiec = named(new QLabel(this), "LabelSiec");
    LabelSiec->hide();
    // In the banner's row, as the button row has no room left; as high as
    // the banner, so the log list keeps its height. F12 is its key.
    Button11 = named(new QToolButton(this), "Button11");
    Button11->setText(QStringLiteral("Mapa pasma"));
    Button11->setToolTip(QStringLiteral("Stacje zgłoszone w klastrze (F12; Ctrl+Strzałka w dół w polu znaku wybiera "
                                        "następną)"));
    Button11->setFixedHeight(16);
    Button11->setFocusPolicy(Qt::NoFocus);
    connect(Button11, &QToolButton::clicked, this, &LogPanel::bandMapRequested);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    const auto item = [this](const char* name, const QString& caption, void (LogPanel::*handler)()) {
        QAction* action = named(PopupMenu1->addAction(caption), name);
        connect(action, &QAction::triggered, this, Guard(context_.platform, this)(handler));
        return action;
    };
    zmiendate1 = item("zmiendate1", QStringLiteral("Zmień datę QSO"), &LogPanel::zmiendate1Click);
    ZmieczasQSO1 = item("ZmieczasQSO1", QStringLiteral("Zmień czas QSO"), &LogPanel::ZmieczasQSO1Click);
    Zmiepasmo1 = item("Zmiepasmo1", QStringLiteral("Zmień pasmo"), &LogPanel::Zmiepasmo1Click);
    Zmieemisj1 = item("Zmieemisj1", QStringLiteral("Zmień emisję"), &LogPanel::Zmieemisj1Click);
    ZmieOperatora1 = item("ZmieOperatora1", QStringLiteral("Zmień operatora"), &LogPanel::ZmieOperatora1Click);
    Zmieznakkorespondenta1 = item("Zmieznakkorespondenta1", QStringLiteral("Zmień znak korespondenta"),
                                  &LogPanel::Zmieznakkorespondenta1Click);
    Zmienadanynumerser1 = item("Zmienadanynumerser1", QStringLiteral("Zmień nadaną grupę kontrolną"),
                               &LogPanel::Zmienadanynumerser1Click);
    Zmieodebranynumerseryjny1 = item("Zmieodebranynumerseryjny1", QStringLiteral("Zmień odebraną grupę kontrolną"),
                                     &LogPanel::Zmieodebranynumerseryjny1Click);
    N1 = named(PopupMenu1->addSeparator(), "N1");
    Usu1 = item("Usu1", QStringLiteral("Usuń QSO"), &LogPanel::Usu1Click);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at)); });

    auto* banner = new QHBoxLayout;
    banner->addWidget(Label11);
    banner->addWidget(Label12);
    banner->addStretch();
    banner->addWidget(LabelSiec);
    banner->addWidget(Button11);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(banner);
    layout->addWidget(ListBox1, 1);
}

void LogPanel::followLogbook()
{
    // The banner goes before the log is read, so a failed reading leaves it hidden.
    connect(&logbook_, &Logbook::aboutToReload, Label12, &QWidget::hide);
    connect(&logbook_, &Logbook::reloaded, this, &LogPanel::updateBanner);
    connect(&logbook_, &Logbook::stored, this, [this](const std::string& line) {
        ListBox1->selectRow(logbook_.view().findNoCase(line));
        updateBanner();
    });
    // QSOs of other computers leave the selection where the operator put it.
    connect(&logbook_, &Logbook::arrived, this, &LogPanel::updateBanner);
}

void LogPanel::showLine(const std::string& line)
{
    ListBox1->selectRow(logbook_.view().findExact(line));
    ListBox1->setFocus();
}

void LogPanel::showSharing(const ShareStatus& status)
{
    LabelSiec->setText(status.text);
    LabelSiec->setToolTip(status.details);
    LabelSiec->setStyleSheet(status.warning ? QStringLiteral("QLabel { color: red; }") : QString());
    LabelSiec->show();
}

void LogPanel::updateBanner()
{
    if (!logbook_.headquartersSlots().allWorked())
        return;
    Label12->show();
    Label12->repaint();
}

}  // namespace qz::ui
