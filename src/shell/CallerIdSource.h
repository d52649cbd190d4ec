#pragma once

#include <QObject>
#include <QString>

// Where callers' numbers come from. A source reports each identified call once, as the line's
// whole frame ("A111987654321C": start character, subscriber category, area code, number,
// end character; see numeroDaChamada), which the number rule turns into the telephone.
class CallerIdSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~CallerIdSource() override = default;

    // Begins listening. False, with the reason in `error`, when the source cannot work; the
    // program then runs without caller identification.
    virtual bool start(QString* error) = 0;
    // Stops listening; starting again afterwards is allowed.
    virtual void stop() = 0;

Q_SIGNALS:
    void numeroRecebido(const QString& reported);
};
