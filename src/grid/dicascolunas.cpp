#include "grid/dicascolunas.h"

#include <QRegularExpression>
#include <array>
#include <utility>

namespace pluvexa {

namespace {

using Dica = std::pair<const char*, const char*>;

// By caption; the history columns of credit card types carry their group
// after the caption ("Vlr.Última Rec Grupo2").
constexpr std::array<Dica, 10> kDicas = {{
    {"Usuário", "Código do titular na central"},
    {"Cartão", "Número do cartão de transporte do titular"},
    {"Matrícula", "Registro do titular na empresa"},
    {"Nome", "Nome do titular"},
    {"CMM", "Consumo médio mensal do titular nesta tarifa, informado pela central "
            "(em reais no cartão em dinheiro, em créditos no cartão de créditos)"},
    {"Valor", "Valor a creditar nesta recarga, em reais: digite aqui"},
    {"Créditos", "Quantidade de créditos desta recarga: digite aqui"},
    {"Vlr.Última Rec", "Valor da última recarga do titular"},
    {"Vlr.Penúltima Rec", "Valor da penúltima recarga do titular"},
    {"Vlr.Antipenúltima Rec", "Valor da antepenúltima recarga do titular"},
}};

}  // namespace

QString dicaColuna(const QString& titulo)
{
    static const QRegularExpression grupo(QStringLiteral("^(.*\\S) Grupo(\\d)\\s*$"));
    QString base = titulo.trimmed();
    QString sufixo;
    if (const QRegularExpressionMatch m = grupo.match(titulo); m.hasMatch()) {
        base = m.captured(1);
        sufixo = QStringLiteral(", no grupo %1 de tarifas").arg(m.captured(2));
    }
    for (const auto& [caption, dica] : kDicas)
        if (base == QString::fromUtf8(caption))
            return titulo + u'\n' + QString::fromUtf8(dica) + sufixo;
    return titulo;
}

}  // namespace pluvexa
