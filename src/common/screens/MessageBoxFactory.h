#pragma once

#include "common/screens/MessageBoxes.h"

#include <memory>

// A LoggingMessageBoxes when BRISKO_MSGBOX is "log:<path>" (answers from BRISKO_MSGBOX_ANSWERS),
// otherwise real message boxes.
std::unique_ptr<MessageBoxes> makeMessageBoxes();
