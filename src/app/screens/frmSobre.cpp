#include "app/screens/frmSobre.h"

#include "app/screens/ProgramVersion.h"
#include "common/screens/ScreenContext.h"
#include "common/screens/Widgets.h"
#include "config/Settings.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    QLabel* l = widgets::label(parent, name, text);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

frmSobre::frmSobre(ScreenContext& context, QWidget* parent)
    : ScreenBase(context.messages, parent,
                 {.radius = ScreenOptions::kDialogRadius,
                  .titleButtons = TitleButtonSet::CloseOnly,
                  .placement = ScreenPlacement::Centred}) {
    setObjectName(QStringLiteral("frmSobre"));
    setWindowTitle(QStringLiteral("Informações do Sistema"));
    setModal(true);
    setFixedSize(420, 300);
    setStyleSheet(QStringLiteral("frmSobre { background: #7a1010; } QLabel { color: white; }"
                                 "QLabel#lblProductName { font-size: 22pt; font-weight: bold; }"));

    auto* logo = label(this, QStringLiteral("imgLogo"), {});
    logo->setPixmap(QPixmap(QStringLiteral(":/images/brisko_48.png")));
    auto* product =
        label(this, QStringLiteral("lblProductName"), QCoreApplication::applicationName());
    auto* version =
        label(this, QStringLiteral("lblVersao"), QStringLiteral("Versão ") + programVersion());
    auto* licensed = label(this, QStringLiteral("lblEmpresa"),
                           QStringLiteral("Licenciado para: ") + context.settings.gNomeEmpresa);
    auto* support = label(this, QStringLiteral("lblSuporte"),
                          QStringLiteral("Suporte técnico\nE-mail: ") + kSuporteEmail +
                              QStringLiteral("\nTelefone: ") + kSuporteTelefone +
                              QStringLiteral("\nSite: ") + kSuporteSite);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("btnSair"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 30, 24, 18);
    layout->addWidget(logo);
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(licensed);
    layout->addSpacing(10);
    layout->addWidget(support);
    layout->addStretch(1);
    layout->addWidget(ok, 0, Qt::AlignRight);
}
