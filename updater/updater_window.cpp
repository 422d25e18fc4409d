#include "updater/updater_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ssq::updater {

UpdaterWindow::UpdaterWindow(const QString& title, QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("程序升级"));
    auto* layout = new QVBoxLayout(this);
    m_title = new QLabel(QStringLiteral("下载：") + title, this);
    m_title->setObjectName(QStringLiteral("title"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    layout->addWidget(m_title);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    connect(m_cancel, &QPushButton::clicked, this, &UpdaterWindow::cancelRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    resize(360, 150);
}

void UpdaterWindow::setStatus(const QString& text) {
    m_status->setText(text);
}

void UpdaterWindow::setCancellable(bool cancellable) {
    m_cancellable = cancellable;
    m_cancel->setEnabled(cancellable);
}

// The window stays until the updater ends, which restarts the program.
void UpdaterWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_cancellable)
        emit cancelRequested();
}

void UpdaterWindow::setProgress(quint64 received, quint64 total) {
    if (total == 0) {
        m_progress->setRange(0, 0); // busy indicator until the size is known
        return;
    }
    m_progress->setRange(0, 1000);
    m_progress->setValue(static_cast<int>(std::min<quint64>(received, total) * 1000 / total));
}

} // namespace ssq::updater
