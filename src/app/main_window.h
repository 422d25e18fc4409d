#pragma once
// MainWindow: the program's only window. It builds the controls at their fixed
// places under their fixed object names and wires each subsystem's handlers.

#include "app/app_config.h"
#include "app/app_state.h"
#include "platform/event_pump.h"

#include <QWidget>

class QAction;
class QCheckBox;
class QMenu;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace ssq::platform {
class PeriodTimer;
}
namespace ssq::history {
class DrawTable;
}
namespace ssq::analysis {
class FrequencyTable;
}
namespace ssq::picks {
class PickPane;
}

namespace ssq::app {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(AppConfig config, QWidget* parent = nullptr);
    ~MainWindow() override;

    const AppConfig& config() const { return m_config; }
    platform::EventPump& eventPump() { return m_pump; }
    AppState& state() { return m_state; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();

    // Each subsystem connects its handlers in a file of its own (wire_*.cpp).
    void wireShell();    // menus, edit boxes, About box
    void wireHistory();  // 读数据按钮
    void wireAnalysis(); // 按钮1分析, 时钟1删除空白
    void wirePicks();    // pick pane menu, check boxes, 按钮1计算, 时钟1计算
    void wireUpdates();  // 检测升级

    // Start-up steps that subsystems define, placed by the window-creation handler.
    void fillFrequencyTable();  // and starts the blank-row timer
    void setUpPickFormats();

    AppConfig m_config;
    AppState m_state;
    platform::EventPump m_pump;

    QPushButton* m_readButton = nullptr;     // 读数据按钮
    QLabel* m_hintLabel = nullptr;           // 标签3提示
    picks::PickPane* m_pickPane = nullptr;   // 超级编辑框1随机号码
    QGroupBox* m_group = nullptr;            // 分组框1
    QCheckBox* m_timedCheck = nullptr;       // 选择框1计时
    QLineEdit* m_timeEdit = nullptr;         // 编辑框1计时
    QCheckBox* m_randomCheck = nullptr;      // 选择框1随机
    QLabel* m_countLabel = nullptr;          // 标签1
    QLineEdit* m_countEdit = nullptr;        // 编辑框1注数
    QCheckBox* m_highCheck = nullptr;        // 选择框2高次数
    QPushButton* m_analyseButton = nullptr;  // 按钮1分析
    QPushButton* m_computeButton = nullptr;  // 按钮1计算
    QProgressBar* m_progress = nullptr;      // 进度条1
    history::DrawTable* m_drawTable = nullptr;            // 超级列表框开奖数据
    analysis::FrequencyTable* m_frequencyTable = nullptr; // 超级列表框1红篮球次数
    platform::PeriodTimer* m_pickTimer = nullptr;         // 时钟1计算
    platform::PeriodTimer* m_blankRowTimer = nullptr;     // 时钟1删除空白
    platform::PeriodTimer* m_aboutTimer = nullptr;        // 时钟1关于

    // Popup menus (never a menu bar), known by their texts.
    QMenu* m_mainMenu = nullptr;          // "菜单": "升级" > "检测升级", "关于"
    QMenu* m_copyMenu = nullptr;          // "复制文本": "复制", "删除"
    QAction* m_checkUpdateAction = nullptr; // 检测升级
    QAction* m_aboutAction = nullptr;       // 关于
    QAction* m_copyAction = nullptr;        // 复制
    QAction* m_deleteAction = nullptr;      // 删除
};

} // namespace ssq::app
