#include "masterdata/screens/frmCep_Ped_Cad_Cli.h"

#include "common/screens/ScreenContext.h"
#include "masterdata/screens/CepLookup.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kIncompleto = QStringLiteral("Digite o CEP com 8 Digitos e apenas Numeros");
const QString kTitulo = QStringLiteral("Localizar CEP ON-Line");
} // namespace

frmCep_Ped_Cad_Cli::frmCep_Ped_Cad_Cli(ScreenContext& context, CepTarget target, QWidget* parent)
    : ScreenBase(context.messages, parent,
                 ScreenOptions{.titleButtons = TitleButtonSet::None, .frameless = false}),
      m_targetCep(target.mskCEP), m_txtNome(target.txtNome), m_fraTelefone(new QGroupBox(this)),
      m_mskCEP(new QLineEdit(m_fraTelefone)),
      m_btnOk(new QPushButton(QStringLiteral("Incluir"), m_fraTelefone)),
      m_lblStatusCEP{new QLabel(QStringLiteral("Status:"), m_fraTelefone),
                     new QLabel(QStringLiteral("Status:"), m_fraTelefone)},
      m_lookup(new CepLookup(context, target, this)) {
    setObjectName(QStringLiteral("frmCep_Ped_Cad_Cli"));
    setWindowTitle(QStringLiteral("Localizar Endereço"));
    setModal(true);
    m_fraTelefone->setObjectName(QStringLiteral("fraTelefone"));
    auto* label1 = new QLabel(QStringLiteral("CEP"), m_fraTelefone);
    label1->setObjectName(QStringLiteral("Label1"));
    m_mskCEP->setObjectName(QStringLiteral("mskCEP"));
    m_mskCEP->setInputMask(CepLookup::kInputMask);
    label1->setBuddy(m_mskCEP);
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setDefault(true);
    for (int i = 0; i < 2; ++i) {
        m_lblStatusCEP[i]->setObjectName(QStringLiteral("LblStatusCEP_%1").arg(i));
        m_lblStatusCEP[i]->hide();
    }

    auto* entrada = new QHBoxLayout;
    entrada->addWidget(label1);
    entrada->addWidget(m_mskCEP);
    entrada->addWidget(m_btnOk);
    auto* status = new QHBoxLayout;
    status->addWidget(m_lblStatusCEP[0]);
    status->addWidget(m_lblStatusCEP[1], 1);
    auto* frame = new QVBoxLayout(m_fraTelefone);
    frame->addLayout(entrada);
    frame->addLayout(status);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fraTelefone);

    connect(m_btnOk, &QPushButton::clicked, this, &frmCep_Ped_Cad_Cli::btnOk_Click);
    connect(m_lookup, &CepLookup::finished, this, &frmCep_Ped_Cad_Cli::answered);
}

frmCep_Ped_Cad_Cli::~frmCep_Ped_Cad_Cli() = default;

void frmCep_Ped_Cad_Cli::btnOk_Click() {
    if (!CepLookup::completo(*m_mskCEP)) {
        messages().show(MessageBoxes::Icon::Warning, kTitulo, kIncompleto);
        fecha();
        return;
    }
    m_lblStatusCEP[0]->show();
    m_lblStatusCEP[1]->show();
    m_lookup->start(CepLookup::digits(*m_mskCEP));
}

// The fields and the error report are already done by the lookup. A failed lookup keeps the
// dialog open with the typed code, to try again.
void frmCep_Ped_Cad_Cli::answered(const CepResult& result) {
    if (result.isError()) {
        m_mskCEP->setFocus();
        return;
    }
    m_lblStatusCEP[1]->setText(result.resultadoTxt.toUpper());
    if (!result.isCompleto()) {
        CepLookup::paintText(m_targetCep, CepLookup::kNotFoundText);
        if (m_targetCep)
            m_targetCep->setFocus();
    } else {
        CepLookup::paintText(m_lblStatusCEP[1], CepLookup::kNormalText);
    }
    fecha();
}

void frmCep_Ped_Cad_Cli::fecha() {
    close();
    if (m_txtNome) {
        m_txtNome->setFocus();
    }
}

void frmCep_Ped_Cad_Cli::closeEvent(QCloseEvent* event) {
    ScreenBase::closeEvent(event);
    if (event->isAccepted()) {
        m_lookup->cancel();
    }
}
