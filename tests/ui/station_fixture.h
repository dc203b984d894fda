#pragma once
// A fresh station per test: its own folder, scripted boxes, a clock that
// stands still until the test moves it, and the four windows.

#include "fake_platform.h"
#include "main_controls.h"
#include "station.h"
#include "temp_folder.h"

#include <QLineEdit>
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>

namespace qz::test {

// 2026-07-11 12:30:10 UTC.
std::chrono::system_clock::time_point fixedMoment();

class StationTest : public ::testing::Test {
protected:
    // Creates the windows and runs the main window's start-up.
    void start();
    ui::TForm1& form1() { return station_->form1; }
    ui::TForm2& form2() { return station_->form2; }
    ui::TForm3& form3() { return station_->form3; }
    ui::TForm4& form4() { return station_->form4; }
    MainControls mainWindow() { return MainControls(station_->form1); }
    EditorControls editorWindow() { return EditorControls(station_->form2); }
    ui::Logbook& logbook() { return station_->logbook; }
    std::string currentOperator() const { return station_->logbook.currentOperator(); }
    // The headquarters slots counted for the banner.
    std::vector<std::string> headquartersSlots() const { return station_->logbook.headquartersSlots().keys(); }

    // A control of a window by its name; fails the test when there is none.
    template <typename Control>
    Control* control(QWidget& window, const char* name)
    {
        return findControl<Control>(window, name);
    }

    // A file of the station folder as the program names it in its messages.
    QString path(const std::string& name) const;

    // Puts the focus in the field and types ASCII text with real key events.
    void typeInto(QLineEdit* field, const QString& text);

    // Puts the text on the clipboard and presses Ctrl+V in the field, as the
    // X11 platform sends it: the text goes in at the field's cursor.
    static void pasteInto(QLineEdit* field, const QString& text);

    // Makes the control's window the active one and puts the focus there.
    static void focusOn(QWidget* control);
    // Presses and releases a key on the widget with the focus, carrying the
    // text the X11 platform gives it ("\t" for Tab, "\x7f" for Delete,
    // "\x01" for Ctrl+A, the letter for Alt+letter).
    static void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text);

    TempFolder folder;
    FakePlatform platform;
    std::chrono::system_clock::time_point now = fixedMoment();
    std::unique_ptr<ui::Station> station_;
};

}  // namespace qz::test
