#include "exchange/abasplanilha.h"

#include "exchange/livros/leituralivro.h"
#include "exchange/livros/tipoarquivo.h"
#include "exchange/persrecargaexterna.h"

#include <QFile>

namespace pluvexa {

namespace {

// A spreadsheet of a month's values is a few hundred kilobytes; a file
// past this was chosen by mistake and is not read into memory.
constexpr qint64 kMaxBytes = qint64(64) << 20;

LeitorLivro& leitorLivro()
{
    static LeitorLivro leitor;
    return leitor;
}

}  // namespace

void defineLeitorLivro(LeitorLivro leitor)
{
    leitorLivro() = std::move(leitor);
}

ArquivoPlanilha leArquivoPlanilha(const QString& nomeArquivo)
{
    ArquivoPlanilha a;
    QFile f(nomeArquivo);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxBytes) {
        a.erro = textoStatus(StatusErroAbertura);
        return a;
    }
    auto bytes = std::make_shared<const QByteArray>(f.readAll());
    if (leitorLivro())
        if (std::optional<std::vector<AbaPlanilha>> abas = leitorLivro()(nomeArquivo, *bytes))
            return arquivoDasAbas(std::move(*abas));
    switch (tipoDosBytes(*bytes, nomeArquivo)) {
    case TipoArquivo::Xlsx:
    case TipoArquivo::Ods:
    case TipoArquivo::Xls: {
        Livro livro = leLivro(nomeArquivo);
        if (!livro.ok()) {
            a.erro = livro.erro;
            return a;
        }
        return arquivoDasAbas(std::move(livro.abas));
    }
    default:
        break;
    }
    const auto texto = [bytes] { return std::string_view(bytes->constData(), std::size_t(bytes->size())); };
    AbaArquivo aba;
    LinhasCsv primeiras(texto());
    aba.primeiras = primeirasLinhas(primeiras);
    aba.linhas = [bytes, texto](const MapaColunas& mapa) -> std::unique_ptr<LinhasAba> {
        return std::make_unique<LinhasCsv>(texto(), mapa);
    };
    a.abas.push_back(std::move(aba));
    return a;
}

ArquivoPlanilha arquivoDasAbas(std::vector<AbaPlanilha> abas)
{
    ArquivoPlanilha a;
    const auto todas = std::make_shared<const std::vector<AbaPlanilha>>(std::move(abas));
    for (std::size_t i = 0; i < todas->size(); ++i) {
        const AbaPlanilha& aba = (*todas)[i];
        AbaArquivo vista;
        vista.nome = aba.nome;
        const std::size_t n = std::min(aba.linhas.size(), std::size_t(kLinhasBuscaCabecalho));
        vista.primeiras.assign(aba.linhas.begin(), aba.linhas.begin() + std::ptrdiff_t(n));
        vista.linhas = [todas, i](const MapaColunas&) -> std::unique_ptr<LinhasAba> {
            // The sheet stays alive with the function that reads it.
            class Linhas final : public LinhasAba {
            public:
                Linhas(std::shared_ptr<const std::vector<AbaPlanilha>> t, std::size_t i)
                    : m_todas(std::move(t)), m_linhas((*m_todas)[i])
                {
                }
                bool proxima(LinhaTabela& l, QString& recusa) override { return m_linhas.proxima(l, recusa); }

            private:
                std::shared_ptr<const std::vector<AbaPlanilha>> m_todas;
                LinhasDeAba m_linhas;
            };
            return std::make_unique<Linhas>(todas, i);
        };
        a.abas.push_back(std::move(vista));
    }
    return a;
}

CabecalhoAba cabecalhoDaAba(const ArquivoPlanilha& arquivo, int i, const MapaColunas& mapa)
{
    if (i < 0 || std::size_t(i) >= arquivo.abas.size())
        return {};
    return achaCabecalho(arquivo.abas[std::size_t(i)].primeiras, mapa);
}

std::vector<int> abasComCabecalho(const ArquivoPlanilha& arquivo, const MapaColunas& mapa)
{
    std::vector<int> r;
    for (int i = 0; i < int(arquivo.abas.size()); ++i)
        if (cabecalhoDaAba(arquivo, i, mapa).reconhecido())
            r.push_back(i);
    return r;
}

int escolheAba(const ArquivoPlanilha& arquivo, const QString& escolha, const MapaColunas& mapa)
{
    const int n = int(arquivo.abas.size());
    if (!escolha.isEmpty()) {
        for (int i = 0; i < n; ++i)
            if (arquivo.abas[std::size_t(i)].nome.compare(escolha.trimmed(), Qt::CaseInsensitive) == 0)
                return i;
        bool numero = false;
        const int k = escolha.trimmed().toInt(&numero);
        return numero && k >= 1 && k <= n ? k - 1 : -1;
    }
    if (n == 0)
        return -1;
    if (const std::vector<int> com = abasComCabecalho(arquivo, mapa); !com.empty())
        return com.front();
    for (int i = 0; i < n; ++i)
        if (!arquivo.abas[std::size_t(i)].primeiras.empty())
            return i;
    return 0;
}

}  // namespace pluvexa
