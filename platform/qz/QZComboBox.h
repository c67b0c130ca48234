#pragma once
// The suite's drop-down list: items with item data, chosen from the list or
// with the arrow keys. Choosing an item raises Click, and so does setting
// ListIndex from code, as the user's choice would.

#include "qz/QZControl.h"

class QComboBox;

namespace quva::qz {

class QZComboBox : public QZControl {
public:
    QZComboBox();
    QString TypeName() const override { return QStringLiteral("QZComboBox"); }

    // Adds at the end, or at index (failure 5 outside 0 … ListCount).
    void AddItem(const QString& item, std::optional<std::int32_t> index = {});
    void RemoveItem(std::int32_t index);
    void Clear();
    std::int32_t ListCount() const;
    QString List(std::int32_t index) const; // failure 381 outside the list
    std::int32_t ItemData(std::int32_t index) const;
    void setItemData(std::int32_t index, std::int32_t value);
    // -1: nothing chosen. Any index from 0 raises Click (the same index too);
    // -1 clears the choice without Click; others are failure 380.
    std::int32_t ListIndex() const;
    void setListIndex(std::int32_t index);
    // The index of the item added last (-1 when none since the last Clear).
    std::int32_t NewIndex() const { return m_newIndex; }
    // The chosen item's text ("" when none).
    QString Text() const;

    QComboBox* editor() const;

protected:
    void describe(ControlFace& f) override;
    void applyColors() override;

private:
    void checkIndex(std::int32_t index) const;
    std::int32_t m_newIndex = -1;
};

} // namespace quva::qz
