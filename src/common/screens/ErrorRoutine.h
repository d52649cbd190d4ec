#pragma once

#include "common/Error.h"
#include "common/screens/MessageBoxes.h"

#include <QString>
#include <exception>

// Errors of the data layer (DbError) and the program's own (Error) carry a number, a
// description and a source; anything else counts as the program's own, with the generic
// number.
Error asShownError(const std::exception& error);

// The ten lines of the error dialog; the line number is always 0, the program has none.
QString errorDialogText(const std::exception& error);

// The common error routine: the two known numbers get their fixed notice, anything else the
// error dialog. Shows exactly one message.
void TrataErro(MessageBoxes& messages, const std::exception& error);

// The error dialog whatever the number, for the handlers that skip the two notices.
void MostraErro(MessageBoxes& messages, const std::exception& error);
