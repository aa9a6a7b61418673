#include "exchange/persrecargaexterna.h"

#include "recharge/camposregistro.h"

#include <charconv>

namespace pluvexa {

namespace {

constexpr std::size_t kPosValor = 29, kLenValor = 19;
constexpr std::size_t kPosVirgula = 45;

}  // namespace

namespace campoexterno {

std::optional<int> inteiro(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negativo = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negativo = s[i++] == '-';
    if (i == s.size())
        return std::nullopt;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return std::nullopt;
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL)
            return std::nullopt;
    }
    v = negativo ? -v : v;
    if (v > 2147483647LL)
        return std::nullopt;
    return int(v);
}

std::optional<double> decimal(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    std::string texto;
    texto.reserve(s.size());
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        if (s[i] == '-')
            texto += '-';
        ++i;
    }
    bool digito = false, virgula = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            digito = true;
            texto += c;
        } else if (c == ',' && !virgula) {
            virgula = true;
            texto += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digito)
        return std::nullopt;
    double v = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (erro != std::errc() || fim != texto.data() + texto.size())
        return std::nullopt;
    return v;
}

bool virgulaNoLugar(std::string_view registro)
{
    const std::string_view valor = campo(registro, kPosValor, kLenValor);
    const std::size_t virgula = valor.find(',');
    return virgula != std::string_view::npos && virgula == kPosVirgula - kPosValor
           && valor.size() == kLenValor;
}

}  // namespace campoexterno

QString textoStatus(int status)
{
    switch (status) {
    case StatusSucesso: return QStringLiteral("Sucesso");
    case StatusErroAbertura: return QStringLiteral("Erro ao abrir/criar o arquivo");
    case StatusFimArquivo: return QStringLiteral("Fim do arquivo");
    case StatusErroLeitura: return QStringLiteral("Não conseguiu ler o registro");
    case StatusIdentificador:
        return QStringLiteral("O identificador do registro infomado não é um número válido");
    case StatusValor: return QStringLiteral("Valor infomado não é válido");
    case StatusEmpresa: return QStringLiteral("Empresa infomada não é um número");
    case StatusCodigoArquivo: return QStringLiteral("Código do arquivo infomado não é um número");
    default: return QString();
    }
}

bool PersRecargaExterna::Abre(const QString& nome)
{
    if (Aberto)
        return true;
    Aberto = Arq.Abre(nome, Arquivo::ModoLeitura);
    return Aberto;
}

bool PersRecargaExterna::LeRegistro(const QString& nome)
{
    Registro.clear();
    if (!Abre(nome))
        Status = StatusErroAbertura;
    else if (!Arq.ExisteLinha())
        Status = StatusFimArquivo;
    else if (!Arq.LeLinha())
        Status = StatusErroLeitura;
    else {
        Registro = Arq.Linha();
        Status = confere();
    }
    return Status == StatusSucesso;
}

std::uint8_t PersRecargaExterna::confere() const
{
    using namespace campoexterno;
    if (!inteiro(campo(Registro, 1, 7)))
        return StatusIdentificador;
    if (!decimal(campo(Registro, kPosValor, kLenValor)) || !virgulaNoLugar(Registro))
        return StatusValor;
    if (!decimal(campo(Registro, 48, 10)))
        return StatusEmpresa;
    if (!decimal(campo(Registro, 60, 10)))
        return StatusCodigoArquivo;
    return StatusSucesso;
}

std::string PersRecargaExterna::Matricula() const
{
    return std::string(apara(campo(Registro, 8, 21)));
}

double PersRecargaExterna::Valor() const
{
    return campoexterno::decimal(campo(Registro, kPosValor, kLenValor)).value_or(0);
}

int PersRecargaExterna::TipoCartao() const
{
    return campoexterno::inteiro(campo(Registro, 70, 2)).value_or(0);
}

}  // namespace pluvexa
