// The pick pane on its own: formats of written lines, plain text out, the
// font fallback, and the selection that is kept but not shown without focus.

#include "picks/char_format.h"
#include "picks/pick_pane.h"
#include "text/codec.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QtTest>

using ssq::picks::CharFormat;
using ssq::picks::PickPane;
namespace style = ssq::picks::style;

namespace {

CharFormat redFormat() {
    CharFormat f = ssq::picks::startFormat();
    ssq::picks::CharFormat blue = f;
    ssq::picks::setUpPickFormats(f, blue);
    return f;
}

CharFormat blueFormat() {
    CharFormat red = ssq::picks::startFormat();
    CharFormat f = red;
    ssq::picks::setUpPickFormats(red, f);
    return f;
}

// The format of the character at position pos (0-based) of the pane.
QTextCharFormat formatAt(const PickPane& pane, int pos) {
    QTextCursor c(pane.document());
    c.setPosition(pos + 1);
    return c.charFormat();
}

void writeLine(PickPane& pane, const char* red, const char* blue) {
    pane.applyFormat(redFormat());
    pane.insertText(red);
    pane.applyFormat(blueFormat());
    pane.insertText(blue);
}

void select(PickPane& pane, int from, int to) {
    QTextCursor c = pane.textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    pane.setTextCursor(c);
}

bool isPickColour(const QTextCharFormat& f, const QColor& colour) {
    return f.fontWeight() == QFont::Bold && f.fontPointSize() == 12 &&
           f.fontFamilies().toStringList() == QStringList{QStringLiteral("宋体")} &&
           f.foreground().color() == colour;
}

} // namespace

class PickPaneTest : public QObject {
    Q_OBJECT
private slots:
    void linesKeepTheirFormats();
    void applyingAFormatSetsEveryAttribute_data();
    void applyingAFormatSetsEveryAttribute();
    void textBeforeAnyFormatHasTheDefaultFormat();
    void selectedTextIsPlainWithCrLf();
    void deleteSelectionRemovesOnlyTheSelection();
    void clearLeavesNothing();
    void songTiFallsBackToAnInstalledCjkFace();
    void selectionIsKeptButNotShownWithoutFocus();
};

void PickPaneTest::linesKeepTheirFormats() {
    PickPane pane;
    pane.clear();
    writeLine(pane, "01 02 03 04 05 06 ", "7\r\n");
    writeLine(pane, "08 09 10 11 12 13 ", "14\r\n");

    QCOMPARE(pane.toPlainText(), QStringLiteral("01 02 03 04 05 06 7\n08 09 10 11 12 13 14\n"));
    QCOMPARE(pane.document()->blockCount(), 3);
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    // Line 1: 18 red characters (the last space too), then the blue «7».
    for (int i = 0; i < 18; ++i)
        QVERIFY2(isPickColour(formatAt(pane, i), red), qPrintable(QString::number(i)));
    QVERIFY(isPickColour(formatAt(pane, 18), blue));
    // Line 2 starts after «7» and the paragraph break.
    for (int i = 20; i < 38; ++i)
        QVERIFY2(isPickColour(formatAt(pane, i), red), qPrintable(QString::number(i)));
    QVERIFY(isPickColour(formatAt(pane, 38), blue));
    QVERIFY(isPickColour(formatAt(pane, 39), blue));
}

void PickPaneTest::applyingAFormatSetsEveryAttribute_data() {
    QTest::addColumn<int>("styleBits");
    QTest::addColumn<int>("offset");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strikeOut");
    QTest::addColumn<QColor>("expectedColour"); // invalid: automatic colour

    QTest::newRow("style 0 un-bolds, automatic colour")
        << 0 << 0 << uint(ssq::picks::kAutomaticColour) << false << false << false << false
        << QColor();
    QTest::newRow("italic") << style::kItalic << 0 << 0x00123456u << false << true << false << false
                            << QColor(0x56, 0x34, 0x12);
    QTest::newRow("underline") << style::kUnderline << 0 << 0u << false << false << true << false
                               << QColor(0, 0, 0);
    QTest::newRow("strike-out, raised") << style::kStrikeOut << 6 << 0x0000FF00u << false << false
                                        << false << true << QColor(0, 255, 0);
    QTest::newRow("all bits, unknown bits ignored")
        << (31 | 64) << 0 << 0x00FFFFFFu << true << true << true << true << QColor(255, 255, 255);
}

void PickPaneTest::applyingAFormatSetsEveryAttribute() {
    QFETCH(int, styleBits);
    QFETCH(int, offset);
    QFETCH(uint, colour);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strikeOut);
    QFETCH(QColor, expectedColour);

    PickPane pane;
    writeLine(pane, "01 02 03 04 05 06 ", "7");
    select(pane, 3, 8); // «02 03» of the bold red part
    CharFormat f = ssq::picks::startFormat();
    f.size = 12;
    f.style = styleBits;
    f.offset = offset;
    f.colour = colour;
    pane.applyFormat(f);

    for (int i = 3; i < 8; ++i) {
        const QTextCharFormat got = formatAt(pane, i);
        QCOMPARE(got.fontWeight() == QFont::Bold, bold);
        QCOMPARE(got.fontItalic(), italic);
        QCOMPARE(got.fontUnderline(), underline);
        QCOMPARE(got.fontStrikeOut(), strikeOut);
        QCOMPARE(got.baselineOffset(), 100.0 * offset / 12);
        if (expectedColour.isValid())
            QCOMPARE(got.foreground().color(), expectedColour);
        else
            QVERIFY2(!got.hasProperty(QTextFormat::ForegroundBrush),
                     "automatic colour has no colour of its own");
    }
    // Outside the selection the line keeps its format.
    QVERIFY(isPickColour(formatAt(pane, 2), QColor(255, 0, 0)));
    QVERIFY(isPickColour(formatAt(pane, 8), QColor(255, 0, 0)));
}

void PickPaneTest::textBeforeAnyFormatHasTheDefaultFormat() {
    PickPane pane;
    pane.insertText("12");
    const QTextCharFormat f = formatAt(pane, 0);
    QCOMPARE(f.fontPointSize(), 9.0);
    QCOMPARE(f.fontFamilies().toStringList(), QStringList{QStringLiteral("宋体")});
    QVERIFY(f.fontWeight() != QFont::Bold);
    QVERIFY(!f.hasProperty(QTextFormat::ForegroundBrush));
}

void PickPaneTest::selectedTextIsPlainWithCrLf() {
    PickPane pane;
    writeLine(pane, "01 02 03 04 05 06 ", "7\r\n");
    writeLine(pane, "08 09 10 11 12 13 ", "14\r\n");
    QCOMPARE(pane.selectedText(), std::string());
    select(pane, 15, 22);
    QCOMPARE(pane.selectedText(), std::string("06 7\r\n08"));
    // Program text is code page 936 both ways.
    pane.clear();
    pane.insertText(ssq::text::gbk("红球 01"));
    select(pane, 0, 4);
    QCOMPARE(pane.selectedText(), ssq::text::gbk("红球 0"));
}

void PickPaneTest::deleteSelectionRemovesOnlyTheSelection() {
    PickPane pane;
    writeLine(pane, "01 02 03 04 05 06 ", "7\r\n");
    pane.deleteSelection(); // nothing selected: nothing happens
    QCOMPARE(pane.toPlainText(), QStringLiteral("01 02 03 04 05 06 7\n"));
    select(pane, 3, 9);
    pane.deleteSelection();
    QCOMPARE(pane.toPlainText(), QStringLiteral("01 04 05 06 7\n"));
    QVERIFY(isPickColour(formatAt(pane, 2), QColor(255, 0, 0)));
    QVERIFY(isPickColour(formatAt(pane, 3), QColor(255, 0, 0)));
    QVERIFY(isPickColour(formatAt(pane, 12), QColor(0, 0, 255)));
}

void PickPaneTest::clearLeavesNothing() {
    PickPane pane;
    writeLine(pane, "01 02 03 04 05 06 ", "7\r\n");
    select(pane, 0, 5);
    pane.clear();
    QCOMPARE(pane.toPlainText(), QString());
    QCOMPARE(pane.textCursor().position(), 0);
    QVERIFY(!pane.textCursor().hasSelection());
    QCOMPARE(pane.selectedText(), std::string());
    // What comes next into the empty pane has the default format again.
    pane.insertText("5");
    QCOMPARE(formatAt(pane, 0).fontPointSize(), 9.0);
    QVERIFY(formatAt(pane, 0).fontWeight() != QFont::Bold);
}

void PickPaneTest::songTiFallsBackToAnInstalledCjkFace() {
    PickPane pane;
    writeLine(pane, "01 ", "7");
    const QFont font = formatAt(pane, 0).font();
    const QFontInfo info(font);
    QVERIFY2(QFontDatabase::families().contains(info.family()), qPrintable(info.family()));
    QVERIFY2(QFontMetrics(font).inFont(QChar(0x5B8B)), qPrintable(info.family())); // 宋
}

void PickPaneTest::selectionIsKeptButNotShownWithoutFocus() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* pane = new PickPane;
    auto* other = new QLineEdit;
    layout->addWidget(pane);
    layout->addWidget(other);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    writeLine(*pane, "01 02 03 04 05 06 ", "7\r\n");
    select(*pane, 0, 8);

    const QColor highlight = pane->palette().color(QPalette::Active, QPalette::Highlight);
    auto highlighted = [&] {
        const QImage image = pane->viewport()->grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y).rgb() == highlight.rgb();
        return n;
    };

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    pane->setFocus();
    QTRY_VERIFY(pane->hasFocus());
    QVERIFY(highlighted() > 0);

    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(highlighted(), 0);
    QCOMPARE(pane->selectedText(), std::string("01 02 03"));
}

QTEST_MAIN(PickPaneTest)
#include "pick_pane_test.moc"
