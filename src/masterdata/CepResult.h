#pragma once

#include "common/Error.h"

#include <QString>
#include <optional>

// One postal-code lookup's outcome, already in the form the customer screens show:
// street type, street, neighbourhood and city capitalised word by word, the state and the
// result text upper-cased. On an error every field is empty, so a screen that copies only
// successful answers never writes half an address.
struct CepResult {
    enum class Kind {
        Completo,      // the whole address
        Unico,         // a city with a single postal code: the service fills state and city only
        NaoEncontrado, // any other result text; the fields that came with text are still filled
        Erro,          // network failure, time-out, HTTP error or an answer that is not the XML
    };

    Kind kind = Kind::Erro;
    QString uf;
    QString cidade;
    QString bairro;
    QString tipoLogradouro;
    QString logradouro;
    QString resultado;
    QString resultadoTxt;
    // "#####-###" with the leading zero kept; empty unless the kind is Completo.
    QString cepFormatado;
    std::optional<Error> error;

    bool isCompleto() const { return kind == Kind::Completo; }
    bool isError() const { return kind == Kind::Erro; }
};
