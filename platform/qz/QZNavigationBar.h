#pragma once
// The suite's paging bar: first / previous / next / last buttons around the
// text "first - last de total" ("21 - 30 de 1.234"). The program sets the
// four numbers and calls Atualizar; the buttons raise Click with their
// number. Previous and first are not offered on the first page, next and
// last not on the last one. With the focus on the bar, Home, Page Up (or
// Left), Page Down (or Right) and End do what the buttons do.

#include "qz/QZControl.h"

#include <array>

class QLabel;
class QToolButton;

namespace quva::qz {

// Button numbers of Click.
inline constexpr std::int32_t qzPrimeiro = 1;
inline constexpr std::int32_t qzAnterior = 2;
inline constexpr std::int32_t qzProximo = 3;
inline constexpr std::int32_t qzUltimo = 4;

class QZNavigationBar : public QZControl {
public:
    QZNavigationBar();
    QString TypeName() const override { return QStringLiteral("QZNavigationBar"); }

    double PrimeiroRegistro() const { return m_primeiro; }
    void setPrimeiroRegistro(double v) { m_primeiro = v; }
    double UltimoRegistro() const { return m_ultimo; }
    void setUltimoRegistro(double v) { m_ultimo = v; }
    double TotalDeRegistros() const { return m_total; }
    void setTotalDeRegistros(double v) { m_total = v; }
    double RegistrosPorPagina() const { return m_porPagina; }
    void setRegistrosPorPagina(double v) { m_porPagina = v; }
    // Shows the numbers set since the last call and offers the buttons that fit.
    void Atualizar();

    // What the bar shows, and whether a button is offered now.
    QString caption() const;
    bool isOffered(std::int32_t botao) const;
    // Presses a button as the user does (nothing when it is not offered).
    void press(std::int32_t botao);

    // Click hands over the button number (qzPrimeiro … qzUltimo); it hides
    // Control::onClick, which the bar never raises.
    std::function<void(std::int32_t Botao)> onClick;

protected:
    void describe(ControlFace& f) override;
    void applyColors() override;

private:
    double m_primeiro = 0, m_ultimo = 0, m_total = 0, m_porPagina = 0;
    QLabel* m_label = nullptr;
    std::array<QToolButton*, 4> m_buttons{};
};

} // namespace quva::qz
