#include "common/screens/ErrorRoutine.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const QString kNoticeCaption = QStringLiteral("Aviso");

DbError asDbError(const std::exception& error) {
    if (const auto* known = dynamic_cast<const DbError*>(&error)) {
        return *known;
    }
    return DbError(DbError::kGeneric, QString::fromUtf8(error.what()), DbError::kProgramSource);
}

} // namespace

QString errorDialogText(const DbError& error) {
    const QStringList lines = {
        QStringLiteral("O programa não pode executar essa ação. Favor entrar em contato     "),
        QStringLiteral("com o Administrador do sistema!!!"),
        QString(),
        QStringLiteral("Resumo do Erro "),
        QString(),
        error.description(),
        QString(),
        QStringLiteral("Erro número #") + QString::number(error.number()),
        QStringLiteral("Na Linha 0"),
        QStringLiteral("Gerado por ") + error.source(),
    };
    return lines.join(u'\n');
}

void TrataErro(MessageBoxes& messages, const DbError& error) {
    switch (error.number()) {
    case DbError::kInUse:
        messages.show(MessageBoxes::Icon::Information, kNoticeCaption,
                      QStringLiteral("Banco de dados em uso por outro processo.\n"
                                     "Clique em \"SALVAR ou FINALIZAR\" novamente."));
        return;
    case DbError::kFileInUse:
        messages.show(MessageBoxes::Icon::Information, kNoticeCaption,
                      QStringLiteral("O arquivo excel esta sendo usado por algum processo.\n"
                                     "Feche todos os arquivos excel abertos e tente executar "
                                     "novamente."));
        return;
    default:
        MostraErro(messages, error);
    }
}

void TrataErro(MessageBoxes& messages, const std::exception& error) {
    TrataErro(messages, asDbError(error));
}

void MostraErro(MessageBoxes& messages, const DbError& error) {
    messages.show(MessageBoxes::Icon::Critical, QCoreApplication::applicationName(),
                  errorDialogText(error));
}

void MostraErro(MessageBoxes& messages, const std::exception& error) {
    MostraErro(messages, asDbError(error));
}
