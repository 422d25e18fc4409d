#pragma once
// The one way the window tests answer message boxes: while a BoxAnswerer
// lives, every message box that opens is noted and answered as the user
// would, once, also inside the nested loops of modal boxes.

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <vector>

namespace ssq::testing {

class BoxAnswerer : public QObject {
public:
    // Leave: noted only, for a box that is to close by itself.
    enum class Answer { Ok, Cancel, Escape, Close, Leave };
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        Qt::WindowModality modality = Qt::NonModal;
        bool owned = false;
        QStringList buttonTexts;
    };

    // answer: what boxes titled onlyTitled get (every box when it is empty);
    // any other box is answered with OK.
    explicit BoxAnswerer(Answer answer = Answer::Ok, QString onlyTitled = {})
        : m_answer(answer), m_onlyTitled(std::move(onlyTitled)) {
        connect(&m_poll, &QTimer::timeout, this, &BoxAnswerer::poll);
        m_poll.start(5);
    }

    std::vector<Seen> seen;

    // "title|text" of each box seen, in order.
    QStringList texts() const {
        QStringList out;
        for (const Seen& s : seen)
            out << s.title + QLatin1Char('|') + s.text;
        return out;
    }

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == m_last || !box->isVisible())
            return;
        m_last = box;
        QStringList buttonTexts;
        for (QAbstractButton* b : box->buttons())
            buttonTexts << b->text();
        seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                        box->windowModality(), box->parentWidget() != nullptr, buttonTexts});
        const bool chosen = m_onlyTitled.isEmpty() || box->windowTitle() == m_onlyTitled;
        switch (chosen ? m_answer : Answer::Ok) {
        case Answer::Ok:
            box->button(QMessageBox::Ok)->click();
            break;
        case Answer::Cancel:
            box->button(QMessageBox::Cancel)->click();
            break;
        case Answer::Escape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case Answer::Close:
            box->close();
            break;
        case Answer::Leave:
            break;
        }
    }

    Answer m_answer;
    QString m_onlyTitled;
    QTimer m_poll;
    // Null once that box is gone: the next box may be built at its address.
    QPointer<QMessageBox> m_last;
};

} // namespace ssq::testing
