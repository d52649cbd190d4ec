#include "common/screens/FocusColours.h"
#include "common/screens/ScreenBase.h"
#include "common/screens/TitleButtons.h"
#include "data/DbError.h"
#include "support/ScriptedMessageBoxes.h"

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
    const QLabel* idle = screen->findChild<QLabel*>(base + QStringLiteral("_Over"));
    // The two images of a pair are never shown together.
    if (lit->isVisible() == idle->isVisible()) {
        qWarning("%s: both images in the same state", name);
    }
    return lit->isVisible() && !idle->isVisible();
}

void showActive(QWidget* screen) {
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
}

const QPoint kBackground(60, 150);

// Without a button held QTest moves the cursor, and Qt sends nothing when it is already there;
// passing through a neighbouring point makes sure the pointer really arrives.
void hover(QWidget* screen, QPoint pos) {
    QTest::mouseMove(screen, pos + QPoint(0, 1));
    QTest::mouseMove(screen, pos);
}

// QTest::keyClicks only knows ASCII; accented letters are sent with their Latin-1 key code.
void typeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, field, key, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestScreenBase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void dragsOnlyWithTheLeftButton_data();
    void dragsOnlyWithTheLeftButton();
    void hoverFromCloseOntoMinLeavesOnlyMin();
    void closeOnlyNeverHighlightsMinOrMax();
    void clickOnHighlightedCloseCloses();
    void everyCloseGoesThroughCloseEvent_data();
    void everyCloseGoesThroughCloseEvent();
    void refusedCloseKeepsTheScreen();
    void screenWithoutTitleImagesCannotBeDragged();
    void ordinaryWindowHasNoneOfTheBorderlessLook();
    void cornersAreCutByTheRadius();
    void topCentredPlacement();

    void focusColours_data();
    void focusColours();

    void keyFilterOnTypedText_data();
    void keyFilterOnTypedText();
    void keyFilterWorksInComboAndPlainText();
    void enterPassesToTheDefaultButton();
    void pasteGoesThroughTheFilter();

    void errorReachesTheCommonRoutine();
};

void TestScreenBase::initTestCase() {
    QCoreApplication::setApplicationName(QStringLiteral("Brisko"));
}

void TestScreenBase::dragsOnlyWithTheLeftButton_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("moves");
    QTest::newRow("left") << Qt::LeftButton << true;
    QTest::newRow("right") << Qt::RightButton << false;
}

void TestScreenBase::dragsOnlyWithTheLeftButton() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, moves);
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    screen.move(100, 100);
    showActive(&screen);
    const QPoint start = screen.pos();

    hover(&screen, centreOf(image(&screen, "imgClose_Over")));
    QVERIFY(highlighted(&screen, "imgClose"));

    QTest::mousePress(&screen, button, {}, kBackground);
    QTest::mouseMove(&screen, kBackground + QPoint(30, 20));
    QCOMPARE(screen.pos(), moves ? start + QPoint(30, 20) : start);
    QVERIFY(!highlighted(&screen, "imgClose"));
    QTest::mouseRelease(&screen, button, {}, kBackground + QPoint(30, 20));

    // Once released, moving no longer drags.
    const QPoint afterDrag = screen.pos();
    hover(&screen, kBackground + QPoint(50, 50));
    QCOMPARE(screen.pos(), afterDrag);
}

void TestScreenBase::hoverFromCloseOntoMinLeavesOnlyMin() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    showActive(&screen);
    QVERIFY(!highlighted(&screen, "imgClose"));
    QVERIFY(!highlighted(&screen, "imgMax"));
    QVERIFY(!highlighted(&screen, "imgMin"));

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

void TestScreenBase::closeOnlyNeverHighlightsMinOrMax() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages, {.titleButtons = TitleButtonSet::CloseOnly});
    showActive(&screen);
    for (const char* name : {"imgMin_Over", "imgMax_Over"}) {
        QVERIFY(image(&screen, name)->isVisible());
        hover(&screen, centreOf(image(&screen, name)));
        QVERIFY(!highlighted(&screen, "imgMin"));
        QVERIFY(!highlighted(&screen, "imgMax"));
    }
    hover(&screen, centreOf(image(&screen, "imgClose_Over")));
    QVERIFY(highlighted(&screen, "imgClose"));
}

void TestScreenBase::clickOnHighlightedCloseCloses() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    showActive(&screen);
    const QPoint close = centreOf(image(&screen, "imgClose_Over"));
    hover(&screen, close);
    QTest::mouseClick(image(&screen, "imgClose"), Qt::LeftButton);
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.closeAttempts, 1);
}

void TestScreenBase::everyCloseGoesThroughCloseEvent_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << QStringLiteral("esc");
    QTest::newRow("Esc in a field") << QStringLiteral("esc-field");
    QTest::newRow("Command1") << QStringLiteral("command1");
    QTest::newRow("reject") << QStringLiteral("reject");
}

void TestScreenBase::everyCloseGoesThroughCloseEvent() {
    QFETCH(QString, how);
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    auto* field = new QLineEdit(&screen);
    showActive(&screen);
    field->setFocus();
    QSignalSpy clicked(screen.command1(), &QPushButton::clicked);

    if (how == u"esc") {
        QTest::keyClick(&screen, Qt::Key_Escape);
    } else if (how == u"esc-field") {
        QTest::keyClick(field, Qt::Key_Escape);
    } else if (how == u"command1") {
        screen.command1()->click();
    } else {
        screen.reject();
    }
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.closeAttempts, 1);
    QCOMPARE(screen.result(), int(QDialog::Rejected));
    if (how.startsWith(u"esc")) {
        QCOMPARE(clicked.count(), 1);
    }
    QVERIFY(screen.command1()->isHidden());
}

void TestScreenBase::refusedCloseKeepsTheScreen() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    screen.refuseClose = true;
    showActive(&screen);
    QTest::keyClick(&screen, Qt::Key_Escape);
    screen.reject();
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.closeAttempts, 2);
}

void TestScreenBase::screenWithoutTitleImagesCannotBeDragged() {
    ScriptedMessageBoxes messages;
    TestScreen screen(
        messages, {.radius = ScreenOptions::kLoginRadius, .titleButtons = TitleButtonSet::None});
    screen.move(100, 100);
    showActive(&screen);
    QVERIFY(screen.findChildren<QLabel*>().isEmpty());
    QVERIFY(screen.titleButtons() == nullptr);
    QVERIFY(!screen.mask().isEmpty());
    const QPoint start = screen.pos();
    QTest::mousePress(&screen, Qt::LeftButton, {}, kBackground);
    QTest::mouseMove(&screen, kBackground + QPoint(30, 20));
    QTest::mouseRelease(&screen, Qt::LeftButton, {}, kBackground + QPoint(30, 20));
    QCOMPARE(screen.pos(), start);
}

void TestScreenBase::ordinaryWindowHasNoneOfTheBorderlessLook() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages, {.frameless = false});
    showActive(&screen);
    QVERIFY(!(screen.windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(screen.mask().isEmpty());
    QVERIFY(screen.findChildren<QLabel*>().isEmpty());
    QTest::keyClick(&screen, Qt::Key_Escape);
    QVERIFY(!screen.isVisible());
}

void TestScreenBase::cornersAreCutByTheRadius() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages, {.radius = ScreenOptions::kRegistryRadius});
    auto* frame = new QWidget(&screen);
    frame->setGeometry(10, 40, 100, 60);
    screen.roundFrame(frame);
    showActive(&screen);

    const QRegion shape = screen.mask();
    QVERIFY(!shape.contains(QPoint(0, 0)));
    QVERIFY(!shape.contains(QPoint(398, 1)));
    QVERIFY(shape.contains(QPoint(7, 7)));
    QVERIFY(shape.contains(QPoint(0, 150)));
    QVERIFY(shape.contains(QPoint(200, 0)));

    screen.resize(500, 320);
    QVERIFY(screen.mask().contains(QPoint(450, 310)));
    QVERIFY(!screen.mask().contains(QPoint(499, 319)));
    // The title images follow the right edge.
    QVERIFY(image(&screen, "imgClose_Over")->geometry().right() > 470);

    QVERIFY(!frame->mask().contains(QPoint(0, 0)));
    QVERIFY(frame->mask().contains(QPoint(2, 2)));
    QVERIFY(frame->mask().contains(QPoint(50, 0)));
}

void TestScreenBase::topCentredPlacement() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages, {.placement = ScreenPlacement::TopCentred, .topTwips = 500});
    screen.move(3, 3);
    showActive(&screen);
    const QRect display = screen.screen()->geometry();
    QCOMPARE(screen.pos(),
             QPoint(display.left() + (display.width() - 400) / 2, display.top() + 500 / 15));
}

void TestScreenBase::focusColours_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("keyField");
    for (const char* kind : {"line", "combo", "editable combo", "list", "plain"}) {
        QTest::addRow("%s", kind) << QString::fromLatin1(kind) << false;
        QTest::addRow("%s key", kind) << QString::fromLatin1(kind) << true;
    }
}

void TestScreenBase::focusColours() {
    QFETCH(QString, kind);
    QFETCH(bool, keyField);
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    QWidget* field = nullptr;
    if (kind == u"line") {
        field = new QLineEdit(&screen);
    } else if (kind.endsWith(u"combo")) {
        auto* combo = new QComboBox(&screen);
        combo->setEditable(kind.startsWith(u"editable"));
        combo->addItems({QStringLiteral("A"), QStringLiteral("B")});
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
}

void TestScreenBase::keyFilterOnTypedText_data() {
    QTest::addColumn<KeyFilterMode>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("capitals cedilla")
        << KeyFilterMode::Capitals << QStringLiteral("ç") << QStringLiteral("Ç");
    QTest::newRow("capitals keeps apostrophe")
        << KeyFilterMode::Capitals << QStringLiteral("d'avila") << QStringLiteral("D'AVILA");
    QTest::newRow("search drops cedilla")
        << KeyFilterMode::SearchText << QStringLiteral("ç") << QString();
    QTest::newRow("search drops apostrophe")
        << KeyFilterMode::SearchText << QStringLiteral("d'avila 2/b")
        << QStringLiteral("DAVILA 2B");
    QTest::newRow("amount") << KeyFilterMode::Amount << QStringLiteral("R$ 12,5x")
                            << QStringLiteral(" 12,5");
    QTest::newRow("order number drops space")
        << KeyFilterMode::OrderNumber << QStringLiteral("1 + 2") << QStringLiteral("1+2");
    QTest::newRow("login") << KeyFilterMode::Login << QStringLiteral("joão")
                           << QStringLiteral("JOãO");
    QTest::newRow("lower case") << KeyFilterMode::LowerCase << QStringLiteral("A@B.COM")
                                << QStringLiteral("a@b.com");
    QTest::newRow("none") << KeyFilterMode::None << QStringLiteral("a'ç") << QStringLiteral("a'ç");
}

void TestScreenBase::keyFilterOnTypedText() {
    QFETCH(KeyFilterMode, mode);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    ScriptedMessageBoxes messages;
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

void TestScreenBase::keyFilterWorksInComboAndPlainText() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    auto* combo = new QComboBox(&screen);
    combo->setEditable(true);
    auto* notes = new QPlainTextEdit(&screen);
    notes->move(0, 60);
    screen.attachKeyFilter(combo, KeyFilterMode::SearchText);
    screen.attachKeyFilter(notes, KeyFilterMode::Capitals);
    showActive(&screen);

    combo->setFocus();
    typeText(combo, QStringLiteral("são 'x'"));
    QCOMPARE(combo->currentText(), QStringLiteral("SO X"));
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("y/"));
    QCOMPARE(combo->currentText(), QStringLiteral("SO XY"));

    notes->setFocus();
    typeText(notes, QStringLiteral("ação"));
    QCOMPARE(notes->toPlainText(), QStringLiteral("AÇÃO"));
}

void TestScreenBase::enterPassesToTheDefaultButton() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    auto* field = new QLineEdit(&screen);
    auto* save = new QPushButton(QStringLiteral("Salvar"), &screen);
    save->move(0, 60);
    save->setDefault(true);
    screen.attachKeyFilter(field, KeyFilterMode::Amount);
    showActive(&screen);
    field->setFocus();
    QSignalSpy pressed(save, &QPushButton::clicked);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(pressed.count(), 1);
    QVERIFY(field->hasFocus());
    QVERIFY(screen.isVisible());
}

void TestScreenBase::pasteGoesThroughTheFilter() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    auto* field = new QLineEdit(&screen);
    screen.attachKeyFilter(field, KeyFilterMode::SearchText);
    showActive(&screen);
    field->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("x' OR '1'='1"));
    QTest::keySequence(field, QKeySequence::Paste);
    QCOMPARE(field->text(), QStringLiteral("X OR 11"));
}

void TestScreenBase::errorReachesTheCommonRoutine() {
    ScriptedMessageBoxes messages;
    TestScreen screen(messages);
    screen.error(DbError(DbError::kInUse, QString()));
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().caption, QStringLiteral("Aviso"));
    QVERIFY(messages.last().text.startsWith(QStringLiteral("Banco de dados em uso")));
}

QTEST_MAIN(TestScreenBase)
#include "TestScreenBase.moc"
