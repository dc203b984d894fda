#include "station_fixture.h"

#include "codec.h"

#include <QApplication>
#include <QClipboard>

namespace qz::test {

std::chrono::system_clock::time_point fixedMoment()
{
    using namespace std::chrono;
    return sys_days{year{2026} / July / 11} + hours{12} + minutes{30} + seconds{10};
}

void StationTest::start()
{
    station_ = std::make_unique<ui::Station>(ui::StationContext{folder.path(), platform, [this] { return now; }});
    station_->start();
    QApplication::setActiveWindow(&form1());
}

QString StationTest::path(const std::string& name) const { return fromPath(folder / name); }

void StationTest::typeInto(QLineEdit* field, const QString& text)
{
    field->setFocus();
    QTest::keyClicks(field, text);
}

void StationTest::pasteInto(QLineEdit* field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    focusOn(field);
    pressKey(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
}

void StationTest::focusOn(QWidget* control)
{
    QApplication::setActiveWindow(control->window());
    control->setFocus();
}

void StationTest::pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
}

}  // namespace qz::test
