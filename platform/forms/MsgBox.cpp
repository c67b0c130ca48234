#include "forms/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace quva::forms {

namespace {
MessageBoxService*& current() {
    static MessageBoxService* s = nullptr;
    return s;
}

QString buttonText(std::int16_t answer) {
    switch (answer) {
    case vbOK:
        return QStringLiteral("OK");
    case vbCancel:
        return QStringLiteral("Cancelar");
    case vbAbort:
        return QStringLiteral("Anular");
    case vbRetry:
        return QStringLiteral("Repetir");
    case vbIgnore:
        return QStringLiteral("Ignorar");
    case vbYes:
        return QStringLiteral("Sim");
    case vbNo:
        return QStringLiteral("Não");
    default:
        return {};
    }
}

QMessageBox::ButtonRole roleOf(std::int16_t answer) {
    switch (answer) {
    case vbOK:
    case vbYes:
    case vbRetry:
        return QMessageBox::AcceptRole;
    case vbCancel:
    case vbAbort:
        return QMessageBox::RejectRole;
    case vbNo:
        return QMessageBox::NoRole;
    default:
        return QMessageBox::ActionRole;
    }
}
} // namespace

std::vector<std::int16_t> MessageRequest::answers() const {
    switch (buttonSet()) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

std::int16_t MessageRequest::defaultAnswer() const {
    const auto a = answers();
    const auto i = std::size_t(defaultButton());
    return i < a.size() ? a[i] : a.front();
}

MessageBoxService* setMessageBoxService(MessageBoxService* s) {
    MessageBoxService* old = current();
    current() = s;
    return old;
}

MessageBoxService& messageBoxService() {
    static QtMessageBoxes real;
    return current() ? *current() : real;
}

std::int16_t MsgBox(const QString& prompt, std::int32_t buttons, const QString& title) {
    MessageRequest r{prompt, buttons, title};
    return messageBoxService().show(r);
}

std::int16_t QtMessageBoxes::show(const MessageRequest& request) {
    QMessageBox box(QApplication::activeWindow());
    switch (request.icon()) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    box.setWindowTitle(request.title.isEmpty() ? QCoreApplication::applicationName() : request.title);
    box.setTextFormat(Qt::PlainText);
    QString text = request.prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    const auto answers = request.answers();
    std::vector<QPushButton*> buttons;
    for (std::int16_t a : answers)
        buttons.push_back(box.addButton(buttonText(a), roleOf(a)));
    const auto def = std::size_t(request.defaultButton());
    box.setDefaultButton(buttons[def < buttons.size() ? def : 0]);
    // Escape answers Cancel where there is one, else the only button.
    for (std::size_t i = 0; i < answers.size(); ++i)
        if (answers[i] == vbCancel || answers.size() == 1) box.setEscapeButton(buttons[i]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return answers[i];
    return answers.size() == 1 ? answers.front() : vbCancel;
}

ScriptedMessageBoxes::ScriptedMessageBoxes() : m_previous(setMessageBoxService(this)) {}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    setMessageBoxService(m_previous);
}

std::int16_t ScriptedMessageBoxes::show(const MessageRequest& request) {
    m_shown.push_back(request);
    if (m_answers.empty()) return request.defaultAnswer();
    const std::int16_t a = m_answers.front();
    m_answers.pop_front();
    return a;
}

} // namespace quva::forms
