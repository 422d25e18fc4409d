#pragma once
// The updater's small window: the name of the download, a progress bar and a
// line that says what is happening.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace ssq::updater {

class UpdaterWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdaterWindow(const QString& title, QWidget* parent = nullptr);

    void setStatus(const QString& text);
    // total 0: the size is not known yet.
    void setProgress(quint64 received, quint64 total);

private:
    QLabel* m_title = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace ssq::updater
