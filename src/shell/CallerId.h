#pragma once

#include <QList>
#include <QString>

#include <optional>

class Settings;

// What a caller-identification source reports is the line's whole frame, start and end
// characters included: "A" + subscriber category (1 digit) + area code (2 digits) + number +
// "C". A 9-digit mobile gives 14 characters ("A111987654321C"), an 8-digit fixed number 13
// ("A11123456789C"), and the number rule below takes the subscriber's number out of either.

// The number a report stands for, formatted for the order screen's telephone box: a report
// of 14 characters gives the first 9 of its last 10, any other the first 8 of its last 9,
// then FormataTelefone. A blank report, or one that leaves no digit, gives nothing.
std::optional<QString> numeroDaChamada(const QString& reported);

// Whether a line is a whole frame for a telephone: "A" or "D", subscriber category, area
// code and an 8- or 9-digit number (11 or 12 digits in all), "C" or "#".
bool ehRelatoDeTelefone(const QString& line);

// A telephone typed by hand (`brisko --chamada`), turned into the report a line would have
// sent for it, so it takes the same road as a decoded call:
// - a whole frame (ehRelatoDeTelefone) is passed on as it is;
// - otherwise the digits count, after dropping a leading "+55" and trunk zeros:
//   8 or 9 digits are the number itself, 10 are area code + 8, 11 area code + 9;
//   the report is "A1" + area code ("00" when none was given) + number + "C".
// Any other count is refused with a message in `error`.
std::optional<QString> relatoDeTelefone(const QString& typed, QString* error);

// The warning the loading screen and the main window show before the sound source is set
// up, or nothing when there is none to show: only when identification is on and the source
// is the sound input ("som" or empty); no input device at all, or the configured one
// (by description) missing from `inputDevices`.
std::optional<QString> verificaIdentificacaoChamada(const Settings& settings,
                                                    const QList<QString>& inputDevices);

// The warning for a source that cannot be opened (the component message, "ID: E001").
QString avisoComponente();

// The sound input is the source unless the settings name "nenhuma".
bool fonteChamadaEhSom(const Settings& settings);
