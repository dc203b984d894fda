#include "unit3.h"

#include "codec.h"
#include "contest_export.h"
#include "control_setup.h"
#include "export_report.h"
#include "failure_box.h"
#include "field_text.h"
#include "window_front.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace qz::ui {

TForm3::TForm3(StationContext context, QWidget* parent) : QWidget(parent), context_(std::move(context))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Zapis pliku ADIF"));

    Label1 = named(new QLabel(QStringLiteral("Komentarz dla wszystkich rekordów:"), this), "Label1");
    Edit1 = named(new QLineEdit(this), "Edit1");
    Edit1->setMinimumWidth(320);
    keepOnOneLine(Edit1);  // a record of the ADIF file is one line
    Label1->setBuddy(Edit1);
    Edit1->setAccessibleName(Label1->text());
    Button1 = named(new QPushButton(QStringLiteral("Zapisz"), this), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("Powrót"), this), "Button2");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);

    const Guard guard(context_.platform, this);
    connect(Button1, &QPushButton::clicked, this, guard(&TForm3::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guard(&TForm3::Button2Click));
    // Enter in the comment writes the files, as the button does.
    connect(Edit1, &QLineEdit::returnPressed, this, guard(&TForm3::Button1Click));
}

void TForm3::open(const QString& contest, QPoint centre)
{
    centre_ = centre;
    Edit1->setText(contest + QLatin1Char(' ') + QString::number(localYear(context_.clock())));
    bringToFront(*this);
}

void TForm3::Button1Click()
{
    const ExportResult result = exportAdif(context_.folder, toCp1250(Edit1->text()));
    if (reportStoppedExport(context_.platform, result))
        return;
    emit exported();
    showInformation(context_.platform, QStringLiteral("Pliki ADIF zostały zapisane!"));
}

void TForm3::Button2Click()
{
    emit returned();
    hide();
}

void TForm3::FormCloseQuery() { emit returned(); }

void TForm3::closeEvent(QCloseEvent* event)
{
    guarded(context_.platform, [this] { FormCloseQuery(); });
    event->accept();
}

void TForm3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Brought back from the taskbar, it stays where the operator put it.
    if (event->spontaneous())
        return;
    QRect placed = frameGeometry();
    placed.moveCenter(centre_);
    move(placed.topLeft());
}

}  // namespace qz::ui
