#pragma once

#include "config/AppHome.h"
#include "config/Settings.h"
#include "common/screens/LookupDialogBase.h"
#include "common/screens/RegistryScreenBase.h"
#include "common/screens/ScreenContext.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "config/Session.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TestDatabase.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <functional>
#include <memory>

// What a screen over the database needs: a fresh database on the engine under test, the
// fixture's own connection to seed and check it, and the screen context (scripted
// messages) whose connection the screen opens itself.
struct ScreenFixture {
    TestDatabase database;
    std::unique_ptr<Database> db = database.create();
    QTemporaryDir dir;
    AppHome home{dir.path()};
    Connections connections{database.spec()};
    Settings settings;
    Session session;
    ScriptedMessageBoxes messages;
    ScreenContext context{messages, connections, settings, session, home};
};

// Types `text` key by key through the field's key filter; unlike QTest::keyClicks it also
// sends accented letters.
inline void typeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, field, key, QString(c), Qt::NoModifier);
    }
}

// The browse state and its buttons: all on but Save, Include the default.
inline void expectBrowseButtons(const RegistryScreenBase& screen) {
    QCOMPARE(screen.state(), RegistryScreenBase::State::Browse);
    QVERIFY(screen.btnIncluir()->isEnabled());
    QVERIFY(screen.btnEditar()->isEnabled());
    QVERIFY(screen.btnDeletar()->isEnabled());
    QVERIFY(screen.btnProcurar1()->isEnabled());
    QVERIFY(screen.btnSair()->isEnabled());
    QVERIFY(!screen.btnSalvar()->isEnabled());
    QVERIFY(screen.btnIncluir()->isDefault());
}

inline void selectRow(LookupDialogBase& dialog, int row) {
    dialog.list()->setCurrentIndex(dialog.list()->model()->index(row, 0));
}

// Runs `drive` on the next visible dialog of type T (and, given `which`, the one it accepts):
// the way to answer a modal dialog that a screen opens and waits for. The watch ends once it
// ran.
template <typename T>
void onNextDialog(std::function<void(T&)> drive, std::function<bool(const T&)> which = {}) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, drive, which] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<T*>(widget);
            if (dialog && dialog->isVisible() && (!which || which(*dialog))) {
                timer->stop();
                timer->deleteLater();
                drive(*dialog);
                return;
            }
        }
    });
    timer->start();
}

// main() for screen tests over the database: a QApplication on the engine under test.
#define BRISKO_DB_SCREEN_TEST_MAIN(TestClass)                                                      \
    int main(int argc, char** argv) {                                                              \
        QApplication app(argc, argv);                                                              \
        TestDatabase::skipIfUnavailable();                                                         \
        TestClass tc;                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
