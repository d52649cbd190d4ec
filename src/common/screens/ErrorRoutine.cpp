#include "common/screens/ErrorRoutine.h"

#include "data/DbError.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const QString kNoticeCaption = QStringLiteral("Aviso");

} // namespace

Error asShownError(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Error*>(&error))
        return *own;
    if (const auto* data = dynamic_cast<const DbError*>(&error))
        return Error(data->description(), data->number(), data->source());
    return Error(QString::fromUtf8(error.what()));
}

QString errorDialogText(const std::exception& failure) {
    const Error error = asShownError(failure);
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

void TrataErro(MessageBoxes& messages, const std::exception& error) {
    switch (asShownError(error).number()) {
    case DbError::kInUse:
        messages.show(MessageBoxes::Icon::Information, kNoticeCaption,
                      QStringLiteral("Banco de dados em uso por outro processo.\n"
                                     "Clique em \"SALVAR ou FINALIZAR\" novamente."));
        return;
    case Error::kFileInUse:
        messages.show(MessageBoxes::Icon::Information, kNoticeCaption,
                      QStringLiteral("O arquivo excel esta sendo usado por algum processo.\n"
                                     "Feche todos os arquivos excel abertos e tente executar "
                                     "novamente."));
        return;
    default:
        MostraErro(messages, error);
    }
}

void MostraErro(MessageBoxes& messages, const std::exception& error) {
    messages.show(MessageBoxes::Icon::Critical, QCoreApplication::applicationName(),
                  errorDialogText(error));
}
