#pragma once
// FrequencyCountHandler: the command behind 按钮1分析 ("分析号码"). It counts
// the draws of the draw table into the FrequencyTable and enables 按钮1计算
// once a count has gone through. With an empty draw table it first reads the
// history, exactly as 读数据按钮 does, and then disables 按钮1分析 until the
// next download ends.

#include "platform/event_pump.h"

#include <QObject>

#include <functional>
#include <string>

class QPushButton;

namespace ssq::analysis {

class FrequencyTable;

class FrequencyCountHandler : public QObject {
    Q_OBJECT
public:
    struct Controls {
        FrequencyTable* table = nullptr;
        QPushButton* analyseButton = nullptr;
        QPushButton* computeButton = nullptr;
    };

    // The draw table as the count sees it, and the history download.
    struct Draws {
        std::function<int()> rows;
        std::function<std::string(int row, int column)> cell;
        // Reads the history into the draw table; true when the download
        // finished, false when it was refused or the window is closing.
        std::function<bool()> download;
    };

    FrequencyCountHandler(Controls controls, Draws draws, platform::LetEventsRun letEventsRun,
                          QObject* parent = nullptr);

    void run();

private:
    Controls m_controls;
    Draws m_draws;
    platform::LetEventsRun m_letEventsRun;
};

} // namespace ssq::analysis
