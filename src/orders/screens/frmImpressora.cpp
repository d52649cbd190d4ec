#include "orders/screens/frmImpressora.h"

#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/IniFile.h"
#include "config/Settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kImpressoraKey = 6;
} // namespace

frmImpressora::frmImpressora(ScreenContext& context, QWidget* parent)
    : ScreenBase(context.messages, parent, ScreenOptions{.radius = ScreenOptions::kDialogRadius}),
      m_context(context), m_txtImpressora(new QLineEdit(this)),
      m_btnAdicionar(new QPushButton(QStringLiteral("&Salvar"), this)) {
    setObjectName(QStringLiteral("frmImpressora"));
    setWindowTitle(QStringLiteral("Impressora"));
    setModal(true);

    auto* label7 = new QLabel(QStringLiteral("Impressora"), this);
    label7->setObjectName(QStringLiteral("Label7"));
    auto* label9 = new QLabel(QStringLiteral("Digite o local da impressora"), this);
    label9->setObjectName(QStringLiteral("Label9"));
    auto* caption = new QLabel(QStringLiteral("Impressora"), this);
    caption->setBuddy(m_txtImpressora);
    m_txtImpressora->setObjectName(QStringLiteral("txtImpressora"));
    attachKeyFilter(m_txtImpressora, KeyFilterMode::Capitals);
    auto* label1 = new QLabel(
        QStringLiteral("Exemplo: \\\\Nome do Computador\\Compartilhamento (CUPOM)"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_btnAdicionar->setObjectName(QStringLiteral("btnAdicionar"));
    m_btnAdicionar->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 30, 20, 16);
    layout->addWidget(label7);
    layout->addWidget(label9);
    layout->addWidget(caption);
    layout->addWidget(m_txtImpressora);
    layout->addWidget(label1);
    layout->addWidget(m_btnAdicionar, 0, Qt::AlignRight);

    connect(m_btnAdicionar, &QPushButton::clicked, this, &frmImpressora::btnAdicionar_Click);

    // Read afresh: another workstation or an earlier save may have changed it.
    m_context.settings.gImpressora =
        LeIni(m_context.home.iniPath(), Settings::kSection, QString::number(kImpressoraKey));
    m_txtImpressora->setText(m_context.settings.gImpressora);
}

void frmImpressora::btnAdicionar_Click() {
    try {
        const QString name = m_txtImpressora->text();
        Settings::write(m_context.home.iniPath(), kImpressoraKey, name);
        // Used from now on, not only after the next start.
        m_context.settings.gImpressora = name;
        messages().show(MessageBoxes::Icon::Information, QStringLiteral("Brisko"),
                        QStringLiteral("Impressora ") + name +
                            QStringLiteral(" Cadastrada com sucesso.  "));
        close();
    } catch (const std::exception& failure) {
        error(failure);
    }
}
