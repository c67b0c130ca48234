#pragma once
// Message boxes through one service, so that tests can script the answers.

#include <QString>

#include <cstdint>
#include <deque>
#include <vector>

namespace quva::forms {

// Buttons, icons and default button (added together).
inline constexpr std::int32_t vbOKOnly = 0;
inline constexpr std::int32_t vbOKCancel = 1;
inline constexpr std::int32_t vbAbortRetryIgnore = 2;
inline constexpr std::int32_t vbYesNoCancel = 3;
inline constexpr std::int32_t vbYesNo = 4;
inline constexpr std::int32_t vbRetryCancel = 5;
inline constexpr std::int32_t vbCritical = 16;
inline constexpr std::int32_t vbQuestion = 32;
inline constexpr std::int32_t vbExclamation = 48;
inline constexpr std::int32_t vbInformation = 64;
inline constexpr std::int32_t vbDefaultButton1 = 0;
inline constexpr std::int32_t vbDefaultButton2 = 256;
inline constexpr std::int32_t vbDefaultButton3 = 512;
// Answers.
inline constexpr std::int16_t vbOK = 1;
inline constexpr std::int16_t vbCancel = 2;
inline constexpr std::int16_t vbAbort = 3;
inline constexpr std::int16_t vbRetry = 4;
inline constexpr std::int16_t vbIgnore = 5;
inline constexpr std::int16_t vbYes = 6;
inline constexpr std::int16_t vbNo = 7;

struct MessageRequest {
    QString prompt;
    std::int32_t buttons = vbOKOnly;
    QString title;

    std::int32_t buttonSet() const { return buttons & 0x0F; }
    std::int32_t icon() const { return buttons & 0x70; }
    // 0-based position of the default button.
    int defaultButton() const { return (buttons >> 8) & 0x03; }
    // The answers of the buttons, left to right.
    std::vector<std::int16_t> answers() const;
    // The answer of the default button.
    std::int16_t defaultAnswer() const;
};

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual std::int16_t show(const MessageRequest& request) = 0;
};

// The service in force (the real boxes unless one was installed). The
// caller keeps ownership; nullptr restores the real boxes. Returns the previous one.
MessageBoxService* setMessageBoxService(MessageBoxService* s);
MessageBoxService& messageBoxService();

// MsgBox(prompt, buttons, title): shows the box and returns the answer. An
// empty title shows the application's name.
std::int16_t MsgBox(const QString& prompt, std::int32_t buttons = vbOKOnly, const QString& title = {});

// The real boxes: a QMessageBox with the icon, the buttons in the user's
// language, the default button, "\r\n" taken as a line break and tabs kept.
class QtMessageBoxes : public MessageBoxService {
public:
    std::int16_t show(const MessageRequest& request) override;
};

// For tests: records every request and answers from a queue (the default
// button's answer when the queue is empty). Installs itself while it lives.
class ScriptedMessageBoxes : public MessageBoxService {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes() override;
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void answer(std::int16_t a) { m_answers.push_back(a); }
    std::int16_t show(const MessageRequest& request) override;
    const std::vector<MessageRequest>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    MessageBoxService* m_previous;
    std::deque<std::int16_t> m_answers;
    std::vector<MessageRequest> m_shown;
};

} // namespace quva::forms
