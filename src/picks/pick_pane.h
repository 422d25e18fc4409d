#pragma once
// PickPane: the rich text box 超级编辑框1随机号码 that shows the picks.
//
// Text goes in and comes out as plain code page 936 text with CR LF line
// breaks; character formats live only inside the pane. Writes go to the caret:
// applyFormat sets the format of the selection, or of the text inserted next
// when nothing is selected, and insertText replaces the selection or inserts at
// the caret, leaving the caret after the new text.

#include "picks/char_format.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include <array>
#include <string>
#include <string_view>

namespace ssq::picks {

class PickPane : public QTextEdit {
    Q_OBJECT
public:
    explicit PickPane(QWidget* parent = nullptr);

    // Empty content, caret at 0, nothing selected, the default format for the
    // next text. Hides QTextEdit::clear.
    void clear();
    void applyFormat(const CharFormat& format);
    void insertText(std::string_view text);
    // The selection as plain text, CR LF between lines; empty when nothing is selected.
    std::string selectedText() const;
    void deleteSelection();

    // Groups the writes made while it lives into one edit on one cursor, so that
    // a long run of lines costs time in proportion to its length: the view is
    // laid out and scrolled to the caret once, when the batch ends.
    class Batch {
    public:
        explicit Batch(PickPane& pane);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        PickPane& m_pane;
    };

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    QTextCursor cursor() const;
    void commit(const QTextCursor& cursor);
    const QTextCharFormat& textFormat(const CharFormat& format);

    int m_batchDepth = 0;
    QTextCursor m_batchCursor;
    QTextCharFormat m_nextFormat; // what insertText gives the new text

    // The two formats of a pick line alternate; converting each once saves the
    // font-name conversion on every write.
    struct Converted {
        CharFormat source;
        QTextCharFormat format;
        bool valid = false;
    };
    std::array<Converted, 2> m_converted;
    std::size_t m_nextSlot = 0;
};

// The QTextCharFormat a CharFormat stands for: face, size, offset, all five
// style bits (0 = off) and the colour, or no colour of its own (the pane's
// text colour) for kAutomaticColour.
QTextCharFormat toTextCharFormat(const CharFormat& format);

} // namespace ssq::picks
