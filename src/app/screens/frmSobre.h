#pragma once

#include "common/screens/ScreenBase.h"

struct ScreenContext;

// The information box about the program: its version and how to reach its support.
class frmSobre : public ScreenBase {
    Q_OBJECT
public:
    static inline const QString kSuporteEmail = QStringLiteral("suporte@brisko.com.br");
    static inline const QString kSuporteTelefone = QStringLiteral("(19) 3500-2710");
    static inline const QString kSuporteSite = QStringLiteral("www.brisko.com.br/suporte");

    explicit frmSobre(ScreenContext& context, QWidget* parent = nullptr);
};
