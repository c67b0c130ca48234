#pragma once
// The suite's period: a start and an end date, each typed as in QZDTPicker.
// It starts on the first day of the current month up to today.

#include "qz/QZControl.h"

#include <memory>

namespace quva::qz {

class QZDTPicker;

class QZPeriod : public QZControl {
public:
    QZPeriod();
    ~QZPeriod() override;
    QString TypeName() const override { return QStringLiteral("QZPeriod"); }

    // "DD/MM/YYYY" texts, kept as set.
    QString DataInicial() const;
    void setDataInicial(const QString& v);
    QString DataFinal() const;
    void setDataFinal(const QString& v);

    QZDTPicker& inicio() const { return *m_inicio; }
    QZDTPicker& fim() const { return *m_fim; }

protected:
    void describe(ControlFace& f) override;
    void applyColors() override;
    void applyFont() override;

private:
    std::unique_ptr<QZDTPicker> m_inicio, m_fim;
    QWidget* m_separator = nullptr;
};

} // namespace quva::qz
