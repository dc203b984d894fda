#include "setting_notes.h"

#include "codec.h"

#include <QStringList>

namespace qz::ui {
namespace {

constexpr qsizetype kShownSettingLength = 40;

QString problemText(const IgnoredSetting& ignored)
{
    switch (ignored.problem) {
    case SettingProblem::Empty: return QStringLiteral("brak adresu");
    case SettingProblem::NoPort: return QStringLiteral("brak portu");
    case SettingProblem::BadPort: return QStringLiteral("port musi być liczbą od 1 do 65535");
    case SettingProblem::BadHost: return QStringLiteral("niedozwolony adres komputera");
    case SettingProblem::Unreadable:
        return QStringLiteral("nie można odczytać pliku (%1)").arg(fromAscii(ignored.detail));
    case SettingProblem::TooLong: return QStringLiteral("za długie");
    case SettingProblem::NotKeyValue: return QStringLiteral("brak znaku = między kluczem a wartością");
    case SettingProblem::UnknownKey: return QStringLiteral("nieznany klucz");
    case SettingProblem::RepeatedKey: return QStringLiteral("klucz podany drugi raz");
    case SettingProblem::BadCharacter: return QStringLiteral("dozwolone są tylko znaki ASCII, bez polskich liter");
    case SettingProblem::NoAddress: return QStringLiteral("brak wiersza broker=HOST:PORT");
    case SettingProblem::BadName:
        return QStringLiteral("nazwa stacji to od 1 do 40 liter (bez polskich), cyfr, „-” i „_”");
    case SettingProblem::PasswordWithoutUser: return QStringLiteral("hasło bez użytkownika (user=)");
    case SettingProblem::BadValue: return QStringLiteral("niedozwolona wartość");
    case SettingProblem::UnknownSection: return QStringLiteral("nieznana sekcja (znane to [CW], [SSB] i [OPTIONS])");
    case SettingProblem::ControlCharacter: return QStringLiteral("znak sterujący (np. tabulator) w tekście");
    case SettingProblem::None: break;
    }
    return {};
}

bool isAddressProblem(SettingProblem problem)
{
    return problem == SettingProblem::Empty || problem == SettingProblem::NoPort ||
           problem == SettingProblem::BadPort || problem == SettingProblem::BadHost;
}

// The setting as given, short and on one line, for the hint.
QString shownSetting(const std::string& text)
{
    QString shown = fromCp1250(text);
    for (QChar& c : shown)
        if (c.unicode() < 0x20)
            c = QLatin1Char('?');
    return shown.size() > kShownSettingLength ? shown.left(kShownSettingLength) + QStringLiteral("…") : shown;
}

// Where in the file, and what stood there, when anything did.
QString shareSettingPlace(const IgnoredSetting& setting)
{
    QString place = fromAscii(setting.source);
    if (setting.line > 0)
        place += QStringLiteral(", wiersz %1").arg(setting.line);
    if (!setting.text.empty())
        place += QStringLiteral(" „%1”").arg(shownSetting(setting.text));
    return place;
}

}  // namespace

QString radioSettingNotes(const std::vector<IgnoredSetting>& ignored)
{
    QStringList lines;
    for (const IgnoredSetting& setting : ignored)
        lines << QStringLiteral("Pominięto ustawienie radia %1 „%2”: %3; oczekiwano HOST:PORT albo off.")
                     .arg(fromAscii(setting.source), shownSetting(setting.text), problemText(setting));
    return lines.join(QLatin1Char('\n'));
}

QString shareSettingNotes(const std::vector<IgnoredSetting>& ignored)
{
    QStringList lines;
    for (const IgnoredSetting& setting : ignored) {
        const QString expected =
            isAddressProblem(setting.problem) ? QStringLiteral("; oczekiwano HOST:PORT albo off") : QString();
        lines << QStringLiteral("Pominięto ustawienie sieci %1: %2%3.")
                     .arg(shareSettingPlace(setting), problemText(setting), expected);
    }
    return lines.join(QLatin1Char('\n'));
}

QString clusterSettingNotes(const std::vector<IgnoredSetting>& ignored)
{
    QStringList lines;
    for (const IgnoredSetting& setting : ignored) {
        const QString expected =
            isAddressProblem(setting.problem) ? QStringLiteral("; oczekiwano HOST:PORT albo off") : QString();
        lines << QStringLiteral("Pominięto ustawienie klastra %1: %2%3.")
                     .arg(shareSettingPlace(setting), problemText(setting), expected);
    }
    return lines.join(QLatin1Char('\n'));
}

QString cwSettingNotes(const std::vector<IgnoredSetting>& ignored)
{
    QStringList lines;
    for (const IgnoredSetting& setting : ignored)
        lines << QStringLiteral("Pominięto ustawienie CW %1 „%2”: %3; oczekiwano cwdaemon:HOST:PORT, cwdaemon, rig "
                                "albo off.")
                     .arg(fromAscii(setting.source), shownSetting(setting.text), problemText(setting));
    return lines.join(QLatin1Char('\n'));
}

QString messageSettingNotes(const std::vector<IgnoredSetting>& ignored)
{
    QStringList lines;
    for (const IgnoredSetting& setting : ignored)
        lines << QStringLiteral("Pominięto %1: %2.").arg(shareSettingPlace(setting), problemText(setting));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace qz::ui
