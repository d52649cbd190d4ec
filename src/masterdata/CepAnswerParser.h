#pragma once

#include "masterdata/CepResult.h"

#include <QByteArray>
#include <QString>

// Reads the service's XML answer in the encoding its declaration names. The root's direct
// children are read by name in any order; unknown ones are skipped and an element without
// text gives an empty field. An answer that is not well-formed, or lacks `resultado_txt`,
// is an error. `digits` are the eight digits that were asked for.
CepResult parseCepAnswer(const QByteArray& body, const QString& digits);

// The kind a result text stands for, compared after upper-casing.
CepResult::Kind cepKindFor(const QString& resultadoTxt);

// The eight digits of a masked postal code ("#####-###", prompt "_"), or nothing when the
// text is not nine characters long or still holds a prompt.
std::optional<QString> cepDigits(const QString& maskedText);

// The eight digits as "#####-###".
QString formatCep(const QString& digits);

// The error of a failed lookup.
Error cepError(const QString& description);
