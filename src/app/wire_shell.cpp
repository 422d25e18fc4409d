#include "app/main_window.h"

#include "picks/pick_pane.h"
#include "platform/message_box.h"
#include "platform/period_timer.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QShortcut>

#include <algorithm>

namespace ssq::app {
namespace {

const QString kAboutCaption = QStringLiteral("关于作者");
const QString kAboutCredit = QStringLiteral("本工具由开发小组编写");
const QString kAboutContact = QStringLiteral("0000000");
constexpr int kAboutTickMs = 1000;

QString aboutText() {
    return kAboutCredit + QStringLiteral("\r\n\r\n QQ：") + kAboutContact;
}

QString aboutCountdownText(int count) {
    return kAboutCredit + QStringLiteral("   (%1)").arg(count) + QStringLiteral("\r\n\r\n QQ：") +
           kAboutContact;
}

// The About box is found again by its title on every tick, like any other
// top-level window so titled: the first visible one counts.
QWidget* findAboutBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == kAboutCaption)
            return w;
    return nullptr;
}

} // namespace

void MainWindow::wireShell() {
    // The pick pane's right button belongs to the "复制文本" menu, not to the
    // text box's own context menu.
    m_pickPane->viewport()->installEventFilter(this);

    // The keyboard's way to the same menus: the Menu key and Shift+F10, from
    // whichever control has the focus.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_Menu), this);
    auto* shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    for (QShortcut* key : {menuKey, shiftF10}) {
        key->setContext(Qt::WindowShortcut);
        connect(key, &QShortcut::activated, this, &MainWindow::popUpMenuFromKeyboard);
    }

    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAboutBox);
    connect(m_aboutTimer, &QTimer::timeout, this, &MainWindow::aboutTick);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Presses on child controls that pass them on (labels, the group box)
    // arrive here too; only the window's own background opens the menu.
    if (event->button() == Qt::RightButton && childAt(event->position().toPoint()) == nullptr) {
        event->accept();
        m_mainMenu->exec(event->globalPosition().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

void MainWindow::popUpMenuFromKeyboard() {
    // The pane's menu at its caret, the window's menu over the focused
    // control (or the middle of the window when no control has the focus).
    QWidget* focused = focusWidget();
    if (focused == m_pickPane || focused == m_pickPane->viewport()) {
        // A caret scrolled out of view counts as the nearest edge of the view.
        const QRect view = m_pickPane->viewport()->rect();
        const QPoint caret = m_pickPane->cursorRect().bottomLeft();
        const QPoint at(std::clamp(caret.x(), view.left(), view.right()),
                        std::clamp(caret.y(), view.top(), view.bottom()));
        m_copyMenu->exec(m_pickPane->viewport()->mapToGlobal(at));
        return;
    }
    QWidget* over = focused ? focused : this;
    m_mainMenu->exec(over->mapToGlobal(over->rect().center()));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pickPane->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::RightButton) {
                m_copyMenu->exec(press->globalPosition().toPoint());
                return true;
            }
        } else if (event->type() == QEvent::ContextMenu) {
            return true; // the press above already showed our menu
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showAboutBox() {
    m_aboutTimer->setPeriod(kAboutTickMs);
    platform::modalBox(kAboutCaption, aboutText());
}

void MainWindow::aboutTick() {
    QWidget* box = findAboutBox();
    if (!box) {
        // Closed some other way: stop, and leave the count where it was.
        m_aboutTimer->setPeriod(0);
        return;
    }
    --m_aboutCountdown;
    if (auto* messageBox = qobject_cast<QMessageBox*>(box))
        messageBox->setText(aboutCountdownText(m_aboutCountdown));
    if (m_aboutCountdown != 0)
        return;
    // Enter presses the box's default button once this tick has returned.
    QCoreApplication::postEvent(box,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
    m_aboutTimer->setPeriod(0);
    m_aboutCountdown = kAboutCountdownStart;
}

} // namespace ssq::app
