#include "picks/pick_pane.h"

#include "platform/chinese_toolkit.h"
#include "text/qt_text.h"

#include <QFont>
#include <QMimeData>
#include <QPalette>
#include <QScrollBar>

namespace ssq::picks {
namespace {

constexpr int kProtectedProperty = QTextFormat::UserProperty + 1;

QString toPaneText(std::string_view text) {
    return text::toQString(text);
}

} // namespace

QTextCharFormat toTextCharFormat(const CharFormat& format) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{text::toQString(format.font)});
    if (format.size > 0) {
        f.setFontPointSize(format.size);
        // Qt shifts by a percentage of the font height.
        f.setBaselineOffset(100.0 * format.offset / format.size);
    }
    f.setFontWeight((format.style & style::kBold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic((format.style & style::kItalic) != 0);
    f.setFontUnderline((format.style & style::kUnderline) != 0);
    f.setFontStrikeOut((format.style & style::kStrikeOut) != 0);
    f.setProperty(kProtectedProperty, (format.style & style::kProtected) != 0);
    if (format.colour == kAutomaticColour) {
        f.clearForeground();
    } else {
        const auto red = static_cast<int>(format.colour & 0xFFu);
        const auto green = static_cast<int>((format.colour >> 8) & 0xFFu);
        const auto blue = static_cast<int>((format.colour >> 16) & 0xFFu);
        f.setForeground(QColor(red, green, blue));
    }
    return f;
}

PickPane::PickPane(QWidget* parent) : QTextEdit(parent) {
    platform::substituteSongTi();
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A bar that comes and goes as the pane is cleared and refilled ten times a
    // second would change the text width and lay every line out twice.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // A narrow inset like a plain edit box's, so five 12 pt tickets and the
    // caret's empty line after them fit the pane's height without scrolling.
    document()->setDocumentMargin(2);

    const CharFormat start = startFormat();
    QFont font(text::toQString(start.font));
    font.setPointSize(start.size);
    document()->setDefaultFont(font);
    m_nextFormat = toTextCharFormat(start);
    setCurrentCharFormat(m_nextFormat);

    // Tab moves the focus on instead of being typed, so a keyboard user can
    // leave the pane; every other key still edits.
    setTabChangesFocus(true);

    // Always black on white, whatever the palette: the red and blue of the
    // pick formats were chosen against a white page.
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    // The selection stays, but is not drawn while another control has the focus.
    p.setBrush(QPalette::Inactive, QPalette::Highlight, QBrush(Qt::NoBrush));
    p.setBrush(QPalette::Inactive, QPalette::HighlightedText, QBrush(Qt::NoBrush));
    setPalette(p);
}

QTextCursor PickPane::cursor() const {
    return m_batchDepth > 0 ? m_batchCursor : textCursor();
}

void PickPane::commit(const QTextCursor& c) {
    if (m_batchDepth > 0)
        m_batchCursor = c;
    else
        setTextCursor(c);
}

const QTextCharFormat& PickPane::textFormat(const CharFormat& format) {
    for (const Converted& c : m_converted)
        if (c.valid && c.source == format)
            return c.format;
    Converted& slot = m_converted[m_nextSlot];
    m_nextSlot = (m_nextSlot + 1) % m_converted.size();
    slot = {format, toTextCharFormat(format), true};
    return slot.format;
}

void PickPane::clear() {
    // An empty pane starts over with its default format, for the program's
    // next insert as for what the user types.
    m_nextFormat = toTextCharFormat(startFormat());
    if (m_batchDepth > 0) {
        m_batchCursor.select(QTextCursor::Document);
        m_batchCursor.removeSelectedText();
        m_batchCursor.setCharFormat(m_nextFormat);
        return;
    }
    // Also empties the undo history, which would otherwise grow with every tick.
    QTextEdit::clear();
    setCurrentCharFormat(m_nextFormat);
}

void PickPane::applyFormat(const CharFormat& format) {
    const QTextCharFormat& f = textFormat(format);
    QTextCursor c = cursor();
    c.setCharFormat(f);
    m_nextFormat = f;
    commit(c);
}

void PickPane::insertText(std::string_view text) {
    QTextCursor c = cursor();
    // CR LF (or a lone CR or LF) starts a new paragraph.
    c.insertText(toPaneText(text), m_nextFormat);
    commit(c);
}

std::string PickPane::selectedText() const {
    QString s = textCursor().selectedText();
    QString out;
    out.reserve(s.size());
    for (QChar ch : s) {
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
            out += QStringLiteral("\r\n");
        else if (ch == QChar::Nbsp)
            out += QLatin1Char(' ');
        else
            out += ch;
    }
    return text::fromQString(out);
}

void PickPane::deleteSelection() {
    QTextCursor c = cursor();
    if (!c.hasSelection())
        return;
    c.removeSelectedText();
    commit(c);
}

QMimeData* PickPane::createMimeDataFromSelection() const {
    // What leaves the pane is plain text only.
    auto* mime = new QMimeData;
    mime->setText(text::toQString(selectedText()));
    return mime;
}

bool PickPane::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void PickPane::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText())
        return;
    QTextCursor c = textCursor();
    c.insertText(source->text());
    setTextCursor(c);
}

PickPane::Batch::Batch(PickPane& pane) : m_pane(pane) {
    if (m_pane.m_batchDepth++ == 0) {
        m_pane.m_batchCursor = m_pane.textCursor();
        m_pane.m_batchCursor.beginEditBlock();
    }
}

PickPane::Batch::~Batch() {
    if (--m_pane.m_batchDepth == 0) {
        m_pane.m_batchCursor.endEditBlock();
        m_pane.setTextCursor(m_pane.m_batchCursor);
        m_pane.m_batchCursor = QTextCursor();
    }
}

} // namespace ssq::picks
