#pragma once

#include "management/screens/ReportScreenBase.h"

// Every product, in the order chosen.
class frmRelatorio_Produto : public ReportScreenBase {
    Q_OBJECT

public:
    frmRelatorio_Produto(ScreenContext& context, QWidget* parent = nullptr);
};
