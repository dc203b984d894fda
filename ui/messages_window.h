#pragma once
// "Komunikaty": the texts of F1-F8 for CW and SSB and the options of sending
// them, edited and saved into the station's messages file. Escape closes it
// as it is, Enter saves; a file that cannot be written is reported and the
// window keeps what was typed. The lines the file had and that were passed
// over are named under the texts.

#include "cw_messages.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace qz::ui {

class MessageKeys;
class Platform;

class MessagesWindow : public QWidget {
    Q_OBJECT
public:
    MessagesWindow(Platform& platform, const MessageKeys& messages, QWidget* parent);

    // Shows the messages in force, in front.
    void edit();

signals:
    // The file now holds `book`.
    void saved(const qz::MessageBook& book);

private:
    void SaveClick();
    MessageBook typedBook() const;

    Platform& platform_;
    const MessageKeys& messages_;
    std::array<QLineEdit*, kMessageKeys> cwTexts_{};
    std::array<QLineEdit*, kMessageKeys> ssbTexts_{};
    QCheckBox* EnterSends = nullptr;
    QCheckBox* CutNumbers = nullptr;
    QComboBox* Ptt = nullptr;
    QSpinBox* Speed = nullptr;
    QLabel* Notes = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* CloseButton = nullptr;
};

}  // namespace qz::ui
