#include "unit3.h"

#include "codec.h"
#include "errors.h"
#include "unit1.h"

#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace qz::ui {
namespace {

QString shownPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

}  // namespace

bool reportStoppedExport(Platform& platform, const ExportResult& result)
{
    switch (result.status) {
    case ExportStatus::Done: return false;
    case ExportStatus::LogMissing:
        showError(platform, QStringLiteral("Plik \"%1\" nie istnieje!").arg(shownPath(result.problemPath)));
        return true;
    case ExportStatus::OperatorsMissing:
        showError(platform, QStringLiteral("Plik z danymi operatorów (QZ5KV_stationbook.ini) nie został znaleziony!"));
        return true;
    case ExportStatus::FilesFailed: {
        QStringList failures;
        for (const FailedFile& failed : result.failed)
            failures << QStringLiteral("Nie zapisano pliku operatora %1:\n%2\n%3")
                            .arg(fromCp1250(failed.callsign),
                                 QString::fromStdString(IoError::standardText(failed.errorCode)),
                                 shownPath(failed.path));
        showError(platform, failures.join(QStringLiteral("\n\n")));
        return true;
    }
    }
    return true;
}

TForm3::TForm3(const StationContext& context, TForm1* form1, QWidget* parent)
    : QWidget(parent), context_(context), form1_(form1)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Zapis pliku ADIF"));

    Label1 = new QLabel(QStringLiteral("Komentarz dla wszystkich rekordów:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(320);
    Label1->setBuddy(Edit1);
    Edit1->setAccessibleName(Label1->text());
    Button1 = new QPushButton(QStringLiteral("Zapisz"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Powrót"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, guard(&TForm3::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guard(&TForm3::Button2Click));
}

void TForm3::Button1Click()
{
    const ExportResult result = exportAdif(context_.folder, toCp1250(Edit1->text()));
    if (reportStoppedExport(context_.platform, result))
        return;
    form1_->ComboBox3Change();
    showInformation(context_.platform, QStringLiteral("Pliki ADIF zostały zapisane!"));
}

void TForm3::Button2Click()
{
    form1_->show();
    hide();
}

void TForm3::FormCloseQuery() { form1_->show(); }

void TForm3::closeEvent(QCloseEvent* event)
{
    guarded(context_.platform, [this] { FormCloseQuery(); });
    event->accept();
}

void TForm3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    QRect placed = frameGeometry();
    placed.moveCenter(form1_->frameGeometry().center());
    move(placed.topLeft());
}

}  // namespace qz::ui
