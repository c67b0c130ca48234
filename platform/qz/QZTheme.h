#pragma once
// The suite's title bar across the top of a form: a title at the left and,
// at the right, a record's inclusion line above its alteration line.

#include "qz/QZControl.h"

namespace quva::qz {

class QZTheme : public QZControl {
public:
    QZTheme();
    QString TypeName() const override { return QStringLiteral("QZTheme"); }

    // The title (also answers as Caption to late-bound callers).
    QString Titulo() const { return m_titulo; }
    void setTitulo(const QString& v);
    QString LinhaDeInclusao() const { return m_inclusao; }
    void setLinhaDeInclusao(const QString& v);
    QString LinhaDeAlteracao() const { return m_alteracao; }
    void setLinhaDeAlteracao(const QString& v);

protected:
    void describe(ControlFace& f) override;
    void applyColors() override;

private:
    friend class ThemeWidget;
    QString m_titulo, m_inclusao, m_alteracao;
};

} // namespace quva::qz
