#pragma once
// The component's four report designs. Each is one instance, created on
// first use and kept, so a second print reuses it with a new data source.

#include "component/Exportacao.h"
#include "datareport/DataReport.h"

namespace creceber {

CRECEBER_API quva::datareport::DataReport& drContasAReceber();
CRECEBER_API quva::datareport::DataReport& drContasAReceberBaixadas();
CRECEBER_API quva::datareport::DataReport& drCartaDeCobranca();
CRECEBER_API quva::datareport::DataReport& dr2aViaComprovanteDePagamentoDeDebito();

// Shorthand the design files share, so each row reads like its design table.
namespace desenho {
using namespace quva::datareport;
inline constexpr ControlKind Rotulo = ControlKind::Label;
inline constexpr ControlKind Caixa = ControlKind::TextBox;
inline constexpr ControlKind Linha = ControlKind::Line;
inline constexpr Align Esq = Align::Left;
inline constexpr Align Dir = Align::Right;
inline constexpr Align Cen = Align::Center;
inline constexpr bool Cresce = true;
inline constexpr bool Fixo = false;
inline constexpr FontDesign Padrao = kFontePadrao;
inline constexpr FontDesign Arial975{"Arial", 9.75, false};
inline constexpr FontDesign Arial975N{"Arial", 9.75, true};
inline constexpr FontDesign Arial12{"Arial", 12, false};
inline constexpr FontDesign Arial12N{"Arial", 12, true};
inline constexpr FontDesign Arial2025{"Arial", 20.25, false};
inline constexpr FontDesign Arial24N{"Arial", 24, true};
inline constexpr FontDesign Tahoma975N{"Tahoma", 9.75, true};
// Money in the Brazilian locale's own notation.
inline constexpr const char16_t* Moeda = u"#.##0,00";
} // namespace desenho

} // namespace creceber
