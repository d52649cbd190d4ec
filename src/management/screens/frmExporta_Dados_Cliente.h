#pragma once

#include "management/screens/ExportScreenBase.h"

// Every customer into Cliente.xlsx in the exports folder.
class frmExporta_Dados_Cliente : public ExportScreenBase {
    Q_OBJECT
public:
    frmExporta_Dados_Cliente(ScreenContext& context, QWidget* parent = nullptr);
};
