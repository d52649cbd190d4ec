#include "app/screens/Launcher.h"
#include "app/screens/ShownScreenProbe.h"
#include "common/screens/MessageBoxes.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(brisko);
    QApplication::setApplicationName(QStringLiteral("Brisko"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(BRISKO_VERSION_MAJOR)
                                            .arg(BRISKO_VERSION_MINOR)
                                            .arg(BRISKO_VERSION_PATCH));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/brisko_48.png")));

    if (ShownScreenProbe::wanted()) {
        app.installEventFilter(new ShownScreenProbe(&app));
    }
    const auto messages = makeMessageBoxes();
    Launcher launcher(*messages);
    if (!launcher.start()) {
        return 1;
    }
    return QApplication::exec();
}
