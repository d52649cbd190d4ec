#pragma once

#include "management/screens/ReportScreenBase.h"

// Every customer in the order chosen, or those with a birthday this month.
class frmRelatorio_Cliente : public ReportScreenBase {
    Q_OBJECT

public:
    frmRelatorio_Cliente(ScreenContext& context, QWidget* parent = nullptr);
};
