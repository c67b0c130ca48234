#pragma once
// The suite's find box: a text box with a search action (the magnifier
// button, or Enter) and a clear action (the "x" button, or Escape). Both
// raise Click; Status tells which: 1 after a search request, 2 after a
// clear, kept until the next action (or until code writes it).

#include "qz/QZControl.h"

class QLineEdit;

namespace quva::qz {

inline constexpr std::int32_t qzFindNone = 0;
inline constexpr std::int32_t qzFindSearch = 1;
inline constexpr std::int32_t qzFindClear = 2;

// style values.
inline constexpr std::int32_t qzFindText = 1; // free text
inline constexpr std::int32_t qzFindCode = 2; // a code: typing takes digits only

// Dispatch identifiers fixed by the suite.
inline constexpr DispId kDispSelectText = 0x60030048;
inline constexpr DispId kDispShowClearButton = 0x6803000e;

class QZFind : public QZControl {
public:
    QZFind();
    QString TypeName() const override { return QStringLiteral("QZFind"); }

    // Setting Text from code raises Change but neither Click nor a new Status.
    QString Text() const;
    void setText(const QString& v);
    std::int32_t Status() const { return m_status; }
    void setStatus(std::int32_t v) { m_status = v; }
    std::int32_t style() const { return m_style; }
    void setStyle(std::int32_t v); // qzFindText or qzFindCode, else failure 380
    // Whether the clear action is offered (while there is text to clear).
    bool ShowClearButton() const { return m_showClear; }
    void setShowClearButton(bool v);
    // The text of the last search request; a clear empties it.
    QString SearchedText() const { return m_searched; }
    void setSearchedText(const QString& v) { m_searched = v; }
    // Back to the search text: the focus to the box, its whole text selected.
    // Does nothing (and does not fail) when the box cannot take the focus.
    void SelectText();

    // The user's two actions, as the buttons and keys run them.
    void requestSearch();
    void requestClear();

    QLineEdit* editor() const { return m_edit; }

protected:
    void describe(ControlFace& f) override;
    void applyColors() override;

private:
    void updateButtons();
    QLineEdit* m_edit;
    QWidget* m_searchButton;
    QWidget* m_clearButton;
    std::int32_t m_status = qzFindNone;
    std::int32_t m_style = qzFindText;
    bool m_showClear = true;
    bool m_userEdited = false;
    QString m_codeText;
    QString m_searched;
};

} // namespace quva::qz
