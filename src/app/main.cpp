#include "app/screens/Launcher.h"
#include "app/screens/ShownScreenProbe.h"
#include "common/KeyFilter.h"
#include "common/screens/MessageBoxFactory.h"
#include "common/screens/QtTranslations.h"
#include "config/AppHome.h"
#include "masterdata/PasswordHash.h"
#include "shell/LocalCallerIdChannel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QTextStream>

#include <cstring>

namespace {

constexpr const char* kGerarHashSenha = "--gerar-hash-senha";
constexpr const char* kChamada = "--chamada";

// `brisko --gerar-hash-senha [senha]`: prints the hash for the SenhaAdministrador setting.
// Without the argument the password is read from the first line of standard input, which keeps
// it out of the shell's history. It is taken as the login screen would type it.
int gerarHashSenha(int argc, char* argv[]) {
    QString senha;
    if (argc > 2) {
        senha = QString::fromLocal8Bit(argv[2]);
    } else {
        senha = QTextStream(stdin).readLine();
    }
    senha = filterText(KeyFilterMode::Login, senha);
    if (senha.isEmpty()) {
        QTextStream(stderr) << "Senha vazia.\n";
        return 2;
    }
    QTextStream(stdout) << PasswordHash::hash(senha) << '\n';
    return 0;
}

// `brisko --chamada <telefone>`: hands a call to the copy running on this home, as if the
// line had identified it. No window, no single-instance check.
int chamada(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        QTextStream(stderr) << "Uso: brisko --chamada <telefone>\n";
        return 2;
    }
    QString error;
    const QString server = LocalCallerIdChannel::serverName(AppHome::resolve().root());
    if (!enviaChamada(server, QString::fromLocal8Bit(argv[2]), &error)) {
        QTextStream(stderr) << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], kGerarHashSenha) == 0) {
        return gerarHashSenha(argc, argv);
    }
    if (argc > 1 && std::strcmp(argv[1], kChamada) == 0) {
        return chamada(argc, argv);
    }
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(brisko);
    QApplication::setApplicationName(QStringLiteral("Brisko"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(BRISKO_VERSION_MAJOR)
                                            .arg(BRISKO_VERSION_MINOR)
                                            .arg(BRISKO_VERSION_PATCH));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/brisko_48.png")));
    instalaTraducoesQt(app);

    if (ShownScreenProbe::wanted()) {
        app.installEventFilter(new ShownScreenProbe(&app));
    }
    const auto messages = makeMessageBoxes();
    Launcher launcher(*messages);
    QObject::connect(&launcher, &Launcher::encerrarPrograma, &app, &QCoreApplication::exit);
    if (!launcher.start()) {
        return 1;
    }
    return QApplication::exec();
}
