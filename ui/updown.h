#pragma once
// A pair of arrows beside a field with a position of its own. The position
// moves one step per click within its range (no wrap-around) before `clicked`
// reports which arrow it was. The arrows never take the keyboard focus.

#include <QWidget>

class QToolButton;

namespace qz::ui {

class UpDown : public QWidget {
    Q_OBJECT
public:
    enum class Button { Up, Down };

    UpDown(int minimum, int maximum, QWidget* parent = nullptr);

    int position() const { return position_; }
    // Held within the range, as the arrows would.
    void setPosition(int position);
    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

signals:
    void clicked(qz::ui::UpDown::Button button);

private:
    void step(Button button);

    int minimum_;
    int maximum_;
    int position_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace qz::ui
