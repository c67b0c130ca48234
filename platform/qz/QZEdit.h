#pragma once
// The suite's input boxes: one-line text, memo, money and date.
//
// Every box keeps a text set from code exactly as it was given and reads it
// back unchanged, whatever it is ("abc" in a date box included); what the
// boxes add is help while the user types.

#include "qz/QZControl.h"

class QLineEdit;
class QPlainTextEdit;

namespace quva::qz {

class QZLineBox : public QZControl {
public:
    // Setting Text from code raises Change, as typing does.
    QString Text() const;
    void setText(const QString& v);
    // 0: no limit.
    std::int32_t MaxLength() const;
    void setMaxLength(std::int32_t v);
    bool Locked() const;
    void setLocked(bool v);
    // forms::vbLeftJustify, vbRightJustify or vbCenter.
    std::int16_t Alignment() const { return m_alignment; }
    void setAlignment(std::int16_t v);
    std::int32_t SelStart() const;
    void setSelStart(std::int32_t v);
    std::int32_t SelLength() const;
    void setSelLength(std::int32_t v);
    QString SelText() const;

    QLineEdit* editor() const;

protected:
    explicit QZLineBox(QLineEdit* editor);
    void describe(ControlFace& f) override;
    void applyColors() override;
    // Extra room at the right for a button inside the box.
    int m_rightRoom = 0;

private:
    std::int16_t m_alignment = 0;
};

class QZTextBox : public QZLineBox {
public:
    QZTextBox();
    QString TypeName() const override { return QStringLiteral("QZTextBox"); }
};

// Money in the Brazilian way: digits, one decimal comma (the keypad's point
// types a comma), at most two decimals, a minus sign at the start. On
// entering, the whole text is selected so that typing replaces "0,00"; on
// leaving, a number the user typed is written as "#,##0.00".
class QZNumberBox : public QZLineBox {
public:
    QZNumberBox();
    QString TypeName() const override { return QStringLiteral("QZNumberBox"); }
};

// A date as "DD/MM/YYYY", "__/__/____" when empty: digits fill the blanks
// and skip the slashes, Backspace and Delete blank them again, "/" goes to
// the next part, F4 or Alt+Down opens a calendar.
class QZDTPicker : public QZLineBox {
public:
    QZDTPicker();
    QString TypeName() const override { return QStringLiteral("QZDTPicker"); }
    static QString emptyText() { return QStringLiteral("__/__/____"); }
    // Opens the calendar under the box (what F4 and the button do).
    void showCalendar();
};

// Several lines; Enter starts a new line and Tab moves on. Text uses
// carriage return and line feed between lines.
class QZMemoBox : public QZControl {
public:
    QZMemoBox();
    QString TypeName() const override { return QStringLiteral("QZMemoBox"); }
    QString Text() const;
    void setText(const QString& v);
    std::int32_t MaxLength() const { return m_maxLength; }
    void setMaxLength(std::int32_t v);
    bool Locked() const;
    void setLocked(bool v);
    QPlainTextEdit* editor() const;

protected:
    void describe(ControlFace& f) override;
    void applyColors() override;

private:
    QString m_text;
    std::int32_t m_maxLength = 0;
    bool m_settingText = false;
};

// Date helpers shared by the date controls.
namespace dates {
// Whether s has the "DD/MM/YYYY" shape with digits or blanks ("_") in place.
bool isMaskShape(const QString& s);
} // namespace dates

} // namespace quva::qz
