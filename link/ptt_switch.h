#pragma once
// The transmitter's PTT, keyed while a recorded message plays. A switch
// reports what the radio says, so a PTT that could not be dropped is seen.

#include <QObject>
#include <QString>

namespace qz::link {

class PttSwitch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Asks for transmit (true) or receive (false); never waits.
    virtual void key(bool on) = 0;

signals:
    // The radio has confirmed the state asked for.
    void keyed(bool on);
    // The radio did not answer or refused (in Polish); empty once it answers.
    void problemChanged(const QString& problem);
};

}  // namespace qz::link
