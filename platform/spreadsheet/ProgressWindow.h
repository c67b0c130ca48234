#pragma once
// The small window an export shows while its cells arrive: rows written so
// far and "Interromper". It blocks the rest of the application, stays above
// the wait form, and shows an arrow over itself while the screen's pointer
// is the hourglass. Pressing the button or closing the window calls
// onInterrupt once and hides the window.

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace quva::spreadsheet {

class ProgressWindow : public QWidget {
public:
    explicit ProgressWindow(std::function<void()> onInterrupt);
    ~ProgressWindow() override;
    void setRows(int rows);
    void showCentred();

protected:
    void closeEvent(QCloseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void interrupt();
    void arrow(bool on);

    std::function<void()> m_onInterrupt;
    QLabel* m_rows = nullptr;
    QPushButton* m_stop = nullptr;
    int m_shown = -1;
    bool m_arrow = false;
};

} // namespace quva::spreadsheet
