#pragma once
// MainWindow: the program's only window. It builds the controls at their fixed
// places under their fixed object names and wires each subsystem's handlers.

#include "app/app_config.h"
#include "platform/event_pump.h"
#include "platform/number_edit.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

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
class SingleInstanceGuard;
} // namespace ssq::platform
namespace ssq::history {
class DrawTable;
class HistoryDownloader;
} // namespace ssq::history
namespace ssq::store {
class DrawStore;
}
namespace ssq::analysis {
class FrequencyTable;
}
namespace ssq::picks {
class PickHandlers;
class PickPane;
} // namespace ssq::picks
namespace ssq::numbers {
class NumbersWindow;
struct Draw;
} // namespace ssq::numbers

namespace ssq::app {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Builds the controls and wires the handlers; nothing else happens until
    // create() runs, so a window can be built without touching the network.
    explicit MainWindow(AppConfig config, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window-creation sequence: single-instance guard, caption, page-count
    // probe (a blocking fetch of results page 1), About countdown, frequency
    // table, pick formats, blank-row timer, 按钮1计算 disabled. Returns false,
    // after the refusal box has been closed, when another instance holding
    // the same marker runs; the program then ends with exit code 0.
    bool create();

    // Ends the program from inside a handler as closing the window does: the
    // loops that let events run stop at their next pump, every event loop
    // returns, and the program start's clean-up runs on the way out.
    void endProgram();

    const AppConfig& config() const { return m_config; }
    platform::EventPump& eventPump() { return m_pump; }
    // Where the About box's countdown stands; start-up sets it to kAboutCountdownStart.
    std::int32_t aboutCountdown() const { return m_aboutCountdown; }
    static constexpr std::int32_t kAboutCountdownStart = 6;

    // The local draw store, opened on first use and seeded from the bundled
    // history when empty; null when the window was built without a store
    // path. Other windows read the draws through it.
    store::DrawStore* drawStore();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void describeControls(); // accessible names, buddy, tab order

    // Each subsystem connects its handlers in a file of its own (wire_*.cpp).
    void wireShell();    // menus, edit boxes, About box
    void wireHistory();  // 读数据按钮
    void wireAnalysis(); // 按钮1分析, 时钟1删除空白
    void wirePicks();    // pick pane menu, check boxes, 按钮1计算, 时钟1计算
    void wireUpdates();  // 检测升级
    void wireNumbers();  // 号码分析 (menu item and Ctrl+T)

    // Start-up steps that subsystems define, placed by the window-creation handler.
    void fillFrequencyTable();
    void setUpPickFormats();
    void startBlankRowTimer();

    // Menu key or Shift+F10 (wire_shell.cpp): "复制文本" at the pane's caret when
    // the pane has the focus, otherwise "菜单" over the focused control.
    void popUpMenuFromKeyboard();

    // About box (wire_shell.cpp): the "关于" command and the 时钟1关于 tick.
    void showAboutBox();
    void aboutTick();

    // The 号码分析 window (wire_numbers.cpp): made on first use, then raised.
    void showNumbersWindow();
    void closeNumbersWindow();
    std::vector<numbers::Draw> analysedDraws();

    AppConfig m_config;
    platform::EventPump m_pump;
    std::unique_ptr<platform::SingleInstanceGuard> m_instanceGuard; // held for the whole run

    QPushButton* m_readButton = nullptr;
    QLabel* m_hintLabel = nullptr;
    picks::PickPane* m_pickPane = nullptr;
    QGroupBox* m_group = nullptr;
    QCheckBox* m_timedCheck = nullptr;
    platform::NumberEdit* m_timeEdit = nullptr;
    QCheckBox* m_randomCheck = nullptr;
    QLabel* m_countLabel = nullptr;
    platform::NumberEdit* m_countEdit = nullptr;
    QCheckBox* m_highCheck = nullptr;
    QPushButton* m_analyseButton = nullptr;
    QPushButton* m_computeButton = nullptr;
    QProgressBar* m_progress = nullptr;
    history::DrawTable* m_drawTable = nullptr;
    analysis::FrequencyTable* m_frequencyTable = nullptr;
    platform::PeriodTimer* m_pickTimer = nullptr;
    platform::PeriodTimer* m_blankRowTimer = nullptr;
    platform::PeriodTimer* m_aboutTimer = nullptr;

    // Behind 读数据按钮; the frequency count runs it first when the draw table is empty.
    history::HistoryDownloader* m_downloader = nullptr;
    std::unique_ptr<store::DrawStore> m_drawStore;
    picks::PickHandlers* m_pickHandlers = nullptr;
    std::int32_t m_aboutCountdown = 0;

    // Popup menus (never a menu bar), known by their texts.
    QMenu* m_mainMenu = nullptr; // "菜单": "升级" > "检测升级", "关于"
    QMenu* m_copyMenu = nullptr; // "复制文本": "复制", "删除"
    QAction* m_checkUpdateAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_numbersAction = nullptr; // 号码分析, also Ctrl+T
    QAction* m_copyAction = nullptr;
    QAction* m_deleteAction = nullptr;

    // A top-level window of its own; closed with the main window.
    std::unique_ptr<numbers::NumbersWindow> m_numbersWindow;
};

} // namespace ssq::app
