#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// Small text routines shared by the customer screens, the order screen, caller
// identification and the online backup. None keeps state.

// The digits 0-9 of the value's text, in order; a Null value gives the empty text.
QString SoNumeros(const QVariant& value);

// Leaves only the digits in `t` and returns them as "1234-5678" (8 digits) or "91234-5678"
// (9 digits); any other count gives back the text exactly as it was passed in.
QString FormataTelefone(QString& t);

// Capitalises a personal or place name: "  joão  silva das neves " gives "João  Silva das
// Neves". The particles e, de, da, do, das, dos are lowered except as the first word.
QString NomeProprio(const QString& text);

// A date to bind: a QDate, or a null QDate variant for Null, blank or non-date values.
// Accepts QDate, QDateTime and text in dd/MM/yyyy or yyyy-MM-dd. Every statement binds its
// values; nothing builds SQL literals.
QVariant toSqlDate(const QVariant& value);

// The 27 state abbreviations, in the order of the state lists.
QStringList CarregaUF();

// The 42 street types, in the order of the street-type lists.
QStringList CarregaTipoLogradouro();
