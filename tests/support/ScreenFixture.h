#pragma once

#include "common/screens/LookupDialogBase.h"
#include "common/screens/RegistryScreenBase.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/Session.h"
#include "config/Settings.h"
#include "data/Connections.h"
#include "data/Database.h"
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

    // Reads of the stored rows.
    QVariant column(const QString& sql, const QVariantList& binds = {}) {
        return db->scalar(sql, binds);
    }
    QString text(const QString& sql, const QVariantList& binds = {}) {
        return column(sql, binds).toString();
    }
    int count(const char* table) {
        return column(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)).toInt();
    }
};

// Types `text` key by key through the field's key filter; unlike QTest::keyClicks it also
// sends accented letters.
inline void typeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, field, key, QString(c), Qt::NoModifier);
    }
}

// Shows `window` and waits until it is exposed and active, so focus and shortcuts work.
inline void showActive(QWidget* window) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// A registry screen over the database, shown and active.
template <typename Screen> struct RegistryFixture : ScreenFixture {
    std::unique_ptr<Screen> screen = std::make_unique<Screen>(context);

    RegistryFixture() {
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }
};

// The four states of a registry screen: while a record is edited Save is on and the default
// and the record's `fields` are open, every other button but Exit off; otherwise the reverse,
// Include the default (a deletion leaves the default as it was).
inline void expectState(const RegistryScreenBase& screen, RegistryScreenBase::State state,
                        const QList<QWidget*>& fields = {}) {
    using State = RegistryScreenBase::State;
    QCOMPARE(screen.state(), state);
    const bool editing = state == State::Inclusion || state == State::Change;
    for (const QPushButton* button :
         {screen.btnIncluir(), screen.btnEditar(), screen.btnDeletar(), screen.btnProcurar1()})
        QCOMPARE(button->isEnabled(), !editing);
    QCOMPARE(screen.btnSalvar()->isEnabled(), editing);
    QVERIFY(screen.btnSair()->isEnabled());
    if (state != State::Deletion) {
        QCOMPARE(screen.btnSalvar()->isDefault(), editing);
        QCOMPARE(screen.btnIncluir()->isDefault(), !editing);
    }
    for (const QWidget* field : fields)
        QCOMPARE(field->isEnabled(), editing);
}

inline void expectBrowseButtons(const RegistryScreenBase& screen) {
    expectState(screen, RegistryScreenBase::State::Browse);
}

// The rows a lookup dialog lists, the first `columns` cells of each joined by `separator`.
inline QStringList listed(const LookupDialogBase& dialog, int columns,
                          QChar separator = QLatin1Char('|')) {
    QStringList rows;
    for (int row = 0; row < dialog.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells << dialog.cellText(row, column);
        rows << cells.join(separator);
    }
    return rows;
}

inline void selectRow(LookupDialogBase& dialog, int row) {
    dialog.list()->setCurrentIndex(dialog.list()->model()->index(row, 0));
}

inline void pickRow(LookupDialogBase& dialog, int row) {
    selectRow(dialog, row);
    dialog.btnProcurar1()->click();
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

// The next dialog of type T answered by picking `row`, or cancelled (row -1) with its
// Command1 button.
template <typename T> void pickNext(int row) {
    onNextDialog<T>([row](T& dialog) {
        if (row < 0)
            dialog.command1()->click();
        else
            pickRow(dialog, row);
    });
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
