#pragma once

#include <QDate>
#include <QString>

#include <variant>

// Two dates, both days included.
struct Periodo {
    QDate inicio;
    QDate fim;
};

// What is wrong with a typed period: the box to empty and focus, and the message.
struct FalhaPeriodo {
    enum class Campo { Inicio, Fim };
    Campo campo;
    // An empty box is told with an information icon, a wrong date with an exclamation.
    bool vazio;
    QString mensagem;
};

// Reads the start and end boxes ("dd/mm/aaaa", blanks of the mask allowed), the start first:
// "Informe a data inicial", "Data inicial incorreta", "Informe a data final", "Data final
// incorreta".
std::variant<Periodo, FalhaPeriodo> validaPeriodo(const QString& inicio, const QString& fim);
