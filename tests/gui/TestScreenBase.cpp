#include "common/screens/FocusColours.h"
#include "common/screens/ScreenBase.h"
#include "common/screens/TitleButtons.h"
#include "data/DbError.h"
#include "support/ScreenFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(KeyFilterMode)
Q_DECLARE_METATYPE(TitleButtonSet)

namespace {

// A screen that counts close attempts and can refuse them, with the protected helpers open.
class TestScreen : public ScreenBase {
public:
    TestScreen(MessageBoxes& messages, const ScreenOptions& options = {})
        : ScreenBase(messages, nullptr, options) {
        resize(400, 300);
    }

    using ScreenBase::attachFocusColours;
    using ScreenBase::attachKeyFilter;
    using ScreenBase::error;
    using ScreenBase::roundFrame;

    int closeAttempts = 0;
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeAttempts;
        if (refuseClose) {
            event->ignore();
            return;
        }
        ScreenBase::closeEvent(event);
    }
};

QLabel* image(const QWidget* screen, const char* name) {
    return screen->findChild<QLabel*>(QString::fromLatin1(name));
}

QPoint centreOf(const QWidget* child) {
    return child->geometry().center();
}

bool highlighted(const QWidget* screen, const char* name) {
    const QString base = QString::fromLatin1(name);
    const QLabel* lit = screen->findChild<QLabel*>(base);
    const QLabel* idle = screen->findChild<QLabel*>(base + u"_Over"_s);
    // The two images of a pair are never shown together.
    if (lit->isVisible() == idle->isVisible())
        qWarning("%s: both images in the same state", name);
    return lit->isVisible() && !idle->isVisible();
}

const QPoint kBackground(60, 150);

// Without a button held QTest moves the cursor, and Qt sends nothing when it is already there;
// passing through a neighbouring point makes sure the pointer really arrives.
void hover(QWidget* screen, QPoint pos) {
    QTest::mouseMove(screen, pos + QPoint(0, 1));
    QTest::mouseMove(screen, pos);
}

} // namespace

class TestScreenBase : public QObject {
    Q_OBJECT

    ScriptedMessageBoxes messages;

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(u"Brisko"_s); }
    void init() { messages.clear(); }

    // Without title images (the login screen) nothing drags; otherwise the left button only.
    void dragsOnlyWithTheLeftButton_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("titleImages");
        QTest::addColumn<bool>("moves");
        QTest::newRow("left") << Qt::LeftButton << true << true;
        QTest::newRow("right") << Qt::RightButton << true << false;
        QTest::newRow("no title images") << Qt::LeftButton << false << false;
    }

    void dragsOnlyWithTheLeftButton() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, titleImages);
        QFETCH(bool, moves);
        TestScreen screen(messages, titleImages
                                        ? ScreenOptions{}
                                        : ScreenOptions{.radius = ScreenOptions::kLoginRadius,
                                                        .titleButtons = TitleButtonSet::None});
        screen.move(100, 100);
        showActive(&screen);
        const QPoint start = screen.pos();
        if (titleImages) {
            hover(&screen, centreOf(image(&screen, "imgClose_Over")));
            QVERIFY(highlighted(&screen, "imgClose"));
        } else {
            QVERIFY(screen.findChildren<QLabel*>().isEmpty());
            QVERIFY(screen.titleButtons() == nullptr);
            QVERIFY(!screen.mask().isEmpty());
        }
        QTest::mousePress(&screen, button, {}, kBackground);
        QTest::mouseMove(&screen, kBackground + QPoint(30, 20));
        QCOMPARE(screen.pos(), moves ? start + QPoint(30, 20) : start);
        QVERIFY(!titleImages || !highlighted(&screen, "imgClose"));
        QTest::mouseRelease(&screen, button, {}, kBackground + QPoint(30, 20));

        // Once released, moving no longer drags.
        const QPoint afterDrag = screen.pos();
        hover(&screen, kBackground + QPoint(50, 50));
        QCOMPARE(screen.pos(), afterDrag);
    }

    // One title image lit at a time, only while the pointer is over it.
    void titleImagesLightOneAtATime() {
        TestScreen screen(messages);
        showActive(&screen);
        for (const char* name : {"imgClose", "imgMax", "imgMin"})
            QVERIFY(!highlighted(&screen, name));
        hover(&screen, centreOf(image(&screen, "imgClose_Over")));
        QVERIFY(highlighted(&screen, "imgClose"));
        hover(&screen, centreOf(image(&screen, "imgClose")) + QPoint(1, 0));
        QVERIFY(highlighted(&screen, "imgClose"));
        hover(&screen, centreOf(image(&screen, "imgMin_Over")));
        QVERIFY(highlighted(&screen, "imgMin"));
        QVERIFY(!highlighted(&screen, "imgClose"));
        QVERIFY(!highlighted(&screen, "imgMax"));
        hover(&screen, kBackground);
        QVERIFY(!highlighted(&screen, "imgMin"));
    }

    void closeOnlyNeverLightsMinOrMaxAndItsCloseCloses() {
        TestScreen closeOnly(messages, {.titleButtons = TitleButtonSet::CloseOnly});
        showActive(&closeOnly);
        for (const char* name : {"imgMin_Over", "imgMax_Over"}) {
            QVERIFY(image(&closeOnly, name)->isVisible());
            hover(&closeOnly, centreOf(image(&closeOnly, name)));
            QVERIFY(!highlighted(&closeOnly, "imgMin"));
            QVERIFY(!highlighted(&closeOnly, "imgMax"));
        }
        hover(&closeOnly, centreOf(image(&closeOnly, "imgClose_Over")));
        QVERIFY(highlighted(&closeOnly, "imgClose"));
        QTest::mouseClick(image(&closeOnly, "imgClose"), Qt::LeftButton);
        QVERIFY(!closeOnly.isVisible());
        QCOMPARE(closeOnly.closeAttempts, 1);
    }

    void everyCloseGoesThroughCloseEvent_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("refuse");
        for (const char* how : {"esc", "esc-field", "command1", "reject"}) {
            QTest::addRow("%s", how) << QString::fromLatin1(how) << false;
            QTest::addRow("%s refused", how) << QString::fromLatin1(how) << true;
        }
    }

    void everyCloseGoesThroughCloseEvent() {
        QFETCH(QString, how);
        QFETCH(bool, refuse);
        TestScreen screen(messages);
        screen.refuseClose = refuse;
        auto* field = new QLineEdit(&screen);
        showActive(&screen);
        field->setFocus();
        QSignalSpy clicked(screen.command1(), &QPushButton::clicked);
        if (how == u"esc")
            QTest::keyClick(&screen, Qt::Key_Escape);
        else if (how == u"esc-field")
            QTest::keyClick(field, Qt::Key_Escape);
        else if (how == u"command1")
            screen.command1()->click();
        else
            screen.reject();
        QCOMPARE(screen.isVisible(), refuse);
        QCOMPARE(screen.closeAttempts, 1);
        QVERIFY(refuse || screen.result() == int(QDialog::Rejected));
        QCOMPARE(clicked.count(), how == u"reject" ? 0 : 1);
        QVERIFY(screen.command1()->isHidden());
    }

    void ordinaryWindowHasNoneOfTheBorderlessLook() {
        TestScreen screen(messages, {.frameless = false});
        showActive(&screen);
        QVERIFY(!(screen.windowFlags() & Qt::FramelessWindowHint));
        QVERIFY(screen.mask().isEmpty());
        QVERIFY(screen.findChildren<QLabel*>().isEmpty());
        QTest::keyClick(&screen, Qt::Key_Escape);
        QVERIFY(!screen.isVisible());
    }

    void cornersAreCutByTheRadius() {
        TestScreen screen(messages, {.radius = ScreenOptions::kRegistryRadius});
        auto* frame = new QWidget(&screen);
        frame->setGeometry(10, 40, 100, 60);
        screen.roundFrame(frame);
        showActive(&screen);
        const QRegion shape = screen.mask();
        QVERIFY(!shape.contains(QPoint(0, 0)));
        QVERIFY(!shape.contains(QPoint(398, 1)));
        for (const QPoint inside : {QPoint(7, 7), QPoint(0, 150), QPoint(200, 0)})
            QVERIFY(shape.contains(inside));
        screen.resize(500, 320);
        QVERIFY(screen.mask().contains(QPoint(450, 310)));
        QVERIFY(!screen.mask().contains(QPoint(499, 319)));
        // The title images follow the right edge.
        QVERIFY(image(&screen, "imgClose_Over")->geometry().right() > 470);
        QVERIFY(!frame->mask().contains(QPoint(0, 0)));
        QVERIFY(frame->mask().contains(QPoint(2, 2)));
        QVERIFY(frame->mask().contains(QPoint(50, 0)));
    }

    void topCentredPlacement() {
        TestScreen screen(messages, {.placement = ScreenPlacement::TopCentred, .topTwips = 500});
        screen.move(3, 3);
        showActive(&screen);
        const QRect display = screen.screen()->geometry();
        QCOMPARE(screen.pos(),
                 QPoint(display.left() + (display.width() - 400) / 2, display.top() + 500 / 15));
    }

    void focusColours_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("keyField");
        for (const char* kind : {"line", "combo", "editable combo", "list", "plain"}) {
            QTest::addRow("%s", kind) << QString::fromLatin1(kind) << false;
            QTest::addRow("%s key", kind) << QString::fromLatin1(kind) << true;
        }
    }

    void focusColours() {
        QFETCH(QString, kind);
        QFETCH(bool, keyField);
        TestScreen screen(messages);
        QWidget* field = nullptr;
        if (kind == u"line") {
            field = new QLineEdit(&screen);
        } else if (kind.endsWith(u"combo")) {
            auto* combo = new QComboBox(&screen);
            combo->setEditable(kind.startsWith(u"editable"));
            combo->addItems({u"A"_s, u"B"_s});
            field = combo;
        } else if (kind == u"list") {
            field = new QListWidget(&screen);
        } else {
            field = new QPlainTextEdit(&screen);
        }
        field->setGeometry(20, 40, 150, 60);
        field->setFocusPolicy(Qt::StrongFocus);
        auto* other = new QLineEdit(&screen);
        other->setGeometry(20, 120, 150, 25);
        screen.attachFocusColours(field, keyField);
        const QColor resting = keyField ? FocusColours::kKeyField : FocusColours::kNormal;
        QCOMPARE(FocusColours::background(field), resting);

        showActive(&screen);
        other->setFocus();
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(FocusColours::background(field), QColor(192, 255, 192));
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(FocusColours::background(field), keyField ? QColor(255, 255, 192) : Qt::white);
        // A field without the handler keeps its own colour.
        QCOMPARE(FocusColours::background(other), QApplication::palette().color(QPalette::Base));

        // Focus moved by the program while another window was active: back on the screen,
        // only the field with the focus looks focused.
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QWidget box;
        showActive(&box);
        QCOMPARE(FocusColours::background(field), FocusColours::kFocused);
        other->setFocus();
        box.close();
        showActive(&screen);
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(FocusColours::background(field), resting);

        // Locked: grey, its text dark enough to read.
        QCOMPARE(field->palette().color(QPalette::Disabled, QPalette::Base), FocusColours::kLocked);
        QCOMPARE(field->palette().color(QPalette::Disabled, QPalette::Text),
                 FocusColours::kLockedText);

        // A long line filled by the program shows its beginning; typing still goes after it.
        if (auto* line = qobject_cast<QLineEdit*>(field)) {
            line->setText(QString(300, u'x') + u"FIM"_s);
            QCOMPARE(line->cursorPosition(), 0);
            line->setFocus();
            QTRY_VERIFY(line->hasFocus());
            QCOMPARE(line->cursorPosition(), 303);
        }
    }

    void keyFilterOnTypedText_data() {
        QTest::addColumn<KeyFilterMode>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("capitals cedilla") << KeyFilterMode::Capitals << u"ç"_s << u"Ç"_s;
        QTest::newRow("capitals keeps apostrophe")
            << KeyFilterMode::Capitals << u"d'avila"_s << u"D'AVILA"_s;
        QTest::newRow("search drops cedilla") << KeyFilterMode::SearchText << u"ç"_s << QString();
        QTest::newRow("search drops apostrophe")
            << KeyFilterMode::SearchText << u"d'avila 2/b"_s << u"DAVILA 2B"_s;
        QTest::newRow("amount") << KeyFilterMode::Amount << u"R$ 12,5x"_s << u" 12,5"_s;
        QTest::newRow("order number drops space")
            << KeyFilterMode::OrderNumber << u"1 + 2"_s << u"1+2"_s;
        QTest::newRow("login") << KeyFilterMode::Login << u"joão"_s << u"JOãO"_s;
        QTest::newRow("lower case") << KeyFilterMode::LowerCase << u"A@B.COM"_s << u"a@b.com"_s;
        QTest::newRow("none") << KeyFilterMode::None << u"a'ç"_s << u"a'ç"_s;
    }

    void keyFilterOnTypedText() {
        QFETCH(KeyFilterMode, mode);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        TestScreen screen(messages);
        auto* field = new QLineEdit(&screen);
        auto* next = new QLineEdit(&screen);
        next->move(0, 50);
        screen.attachKeyFilter(field, mode);
        showActive(&screen);
        field->setFocus();
        QSignalSpy edited(field, &QLineEdit::textEdited);

        typeText(field, typed);
        QCOMPARE(field->text(), expected);
        QCOMPARE(edited.isEmpty(), expected.isEmpty());
        QVERIFY(field->hasFocus());

        // Editing keys still work under every filter.
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), expected.mid(1));
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), expected.mid(1).chopped(expected.isEmpty() ? 0 : 1));
    }

    // Other boxes, pasting and Enter go through the filter too.
    void keyFilterInOtherBoxesPasteAndEnter() {
        TestScreen screen(messages);
        auto* combo = new QComboBox(&screen);
        combo->setEditable(true);
        auto* notes = new QPlainTextEdit(&screen);
        notes->move(0, 60);
        auto* field = new QLineEdit(&screen);
        field->move(0, 150);
        auto* save = new QPushButton(u"Salvar"_s, &screen);
        save->move(0, 200);
        save->setDefault(true);
        screen.attachKeyFilter(combo, KeyFilterMode::SearchText);
        screen.attachKeyFilter(notes, KeyFilterMode::Capitals);
        screen.attachKeyFilter(field, KeyFilterMode::SearchText);
        showActive(&screen);

        combo->setFocus();
        typeText(combo, u"são 'x'"_s);
        QCOMPARE(combo->currentText(), u"SO X"_s);
        QTest::keyClicks(combo->lineEdit(), u"y/"_s);
        QCOMPARE(combo->currentText(), u"SO XY"_s);
        notes->setFocus();
        typeText(notes, u"ação"_s);
        QCOMPARE(notes->toPlainText(), u"AÇÃO"_s);

        field->setFocus();
        QGuiApplication::clipboard()->setText(u"x' OR '1'='1"_s);
        QTest::keySequence(field, QKeySequence::Paste);
        QCOMPARE(field->text(), u"X OR 11"_s);
        QSignalSpy pressed(save, &QPushButton::clicked);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        QVERIFY(field->hasFocus());
        QVERIFY(screen.isVisible());
    }

    void errorReachesTheCommonRoutine() {
        TestScreen screen(messages);
        screen.error(DbError(DbError::kInUse, QString()));
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().caption, u"Aviso"_s);
        QVERIFY(messages.last().text.startsWith(u"Banco de dados em uso"_s));
    }
};

QTEST_MAIN(TestScreenBase)
#include "TestScreenBase.moc"
