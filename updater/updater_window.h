#pragma once
// The updater's small window: the name of the download, a progress bar and a
// line that says what is happening, and a "取消" button. While the download
// runs, the button and closing the window ask to stop it (cancelRequested);
// afterwards both do nothing, so the files are never left half-written.

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ssq::updater {

class UpdaterWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdaterWindow(const QString& title, QWidget* parent = nullptr);

    void setStatus(const QString& text);
    // total 0: the size is not known yet.
    void setProgress(quint64 received, quint64 total);
    // Cancellable from the start; false disables the button and closing.
    void setCancellable(bool cancellable);

signals:
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_cancellable = true;
    QPushButton* m_cancel = nullptr;
    QLabel* m_title = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace ssq::updater
