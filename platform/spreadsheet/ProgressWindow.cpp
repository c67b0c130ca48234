#include "spreadsheet/ProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace quva::spreadsheet {

ProgressWindow::ProgressWindow(std::function<void()> onInterrupt)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::WindowStaysOnTopHint),
      m_onInterrupt(std::move(onInterrupt)) {
    setObjectName(QStringLiteral("frmProgressoDaPlanilha"));
    setWindowTitle(QStringLiteral("Exportação para planilha"));
    setWindowModality(Qt::ApplicationModal);
    auto* title = new QLabel(QStringLiteral("Exportando para a planilha..."), this);
    m_rows = new QLabel(this);
    m_rows->setObjectName(QStringLiteral("lblLinhas"));
    m_rows->setMinimumWidth(260);
    m_stop = new QPushButton(QStringLiteral("Interromper"), this);
    m_stop->setObjectName(QStringLiteral("cmdInterromper"));
    m_stop->setDefault(true);
    m_stop->setCursor(Qt::ArrowCursor);
    connect(m_stop, &QPushButton::clicked, this, [this] { interrupt(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(m_rows);
    layout->addWidget(m_stop, 0, Qt::AlignRight);
    setRows(0);
}

ProgressWindow::~ProgressWindow() {
    arrow(false);
}

void ProgressWindow::setRows(int rows) {
    if (rows == m_shown) return;
    m_shown = rows;
    m_rows->setText(QStringLiteral("Linhas escritas: %1").arg(QLocale(QLocale::Portuguese, QLocale::Brazil).toString(rows)));
    m_rows->repaint();
}

void ProgressWindow::showCentred() {
    adjustSize();
    const QWidget* over = QApplication::activeWindow();
    const QRect area = over ? over->frameGeometry()
                            : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                                : QRect(0, 0, 1024, 768));
    move(area.center() - rect().center());
    show();
    raise();
    activateWindow();
    m_stop->setFocus();
    repaint();
}

void ProgressWindow::interrupt() {
    if (!m_onInterrupt) return;
    auto f = std::move(m_onInterrupt);
    m_onInterrupt = nullptr;
    hide();
    f();
}

void ProgressWindow::closeEvent(QCloseEvent* e) {
    e->accept();
    interrupt();
}

// The hourglass is an application-wide override; an arrow pushed on top of
// it while the mouse is here, and popped when it leaves, keeps the count of
// overrides balanced whatever the export does to the screen's pointer.
void ProgressWindow::arrow(bool on) {
    if (on == m_arrow || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    if (on)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    m_arrow = on;
}

void ProgressWindow::enterEvent(QEnterEvent* e) {
    if (QGuiApplication::overrideCursor()) arrow(true);
    QWidget::enterEvent(e);
}

void ProgressWindow::leaveEvent(QEvent* e) {
    arrow(false);
    QWidget::leaveEvent(e);
}

void ProgressWindow::hideEvent(QHideEvent* e) {
    arrow(false);
    QWidget::hideEvent(e);
}

} // namespace quva::spreadsheet
