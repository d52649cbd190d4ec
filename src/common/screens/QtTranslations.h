#pragma once

class QCoreApplication;

// Qt's own Brazilian Portuguese texts, so standard buttons and dialogs (message boxes, print,
// file and colour dialogs) speak the program's language. False when the translations are not
// installed; the program then runs with Qt's English texts.
bool instalaTraducoesQt(QCoreApplication& app);
