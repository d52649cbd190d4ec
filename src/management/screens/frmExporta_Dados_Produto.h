#pragma once

#include "management/screens/ExportScreenBase.h"

// Every product into Produto.xlsx in the exports folder.
class frmExporta_Dados_Produto : public ExportScreenBase {
    Q_OBJECT
public:
    frmExporta_Dados_Produto(ScreenContext& context, QWidget* parent = nullptr);
};
