#pragma once

#include "common/screens/MessageBoxes.h"
#include "data/DbError.h"

#include <QString>
#include <exception>

// The ten lines of the error dialog; the line number is always 0, the program has none.
QString errorDialogText(const DbError& error);

// The common error routine: the two known numbers get their fixed notice, anything else the
// error dialog. Shows exactly one message.
void TrataErro(MessageBoxes& messages, const DbError& error);
// Anything that is not a DbError counts as one of the program's own, with the generic number.
void TrataErro(MessageBoxes& messages, const std::exception& error);

// The error dialog whatever the number, for the handlers that skip the two notices.
void MostraErro(MessageBoxes& messages, const DbError& error);
void MostraErro(MessageBoxes& messages, const std::exception& error);
