#include "exchange/fonteregistros.h"

#include "exchange/abasplanilha.h"
#include "exchange/leituraplanilha.h"
#include "exchange/livros/tipoarquivo.h"
#include "exchange/persrecargaexterna.h"

#include <QFileInfo>

namespace pluvexa {

namespace {

class FonteRrm : public FonteRegistros {
public:
    explicit FonteRrm(QString nome) : m_nome(std::move(nome)) {}

    bool abre(RegistroFonte& falha) override
    {
        if (m_pers.Abre(m_nome))
            return true;
        falha = RegistroFonte{1, {}, 0, 0, textoStatus(StatusErroAbertura), {}};
        return false;
    }
    int conta() override { return m_pers.ContaRegistros(); }
    Casamento casamento() const override { return Casamento::PrimeiraMatricula; }
    bool proximo(RegistroFonte& r) override
    {
        const bool valido = m_pers.LeRegistro(m_nome);
        if (!valido && m_pers.StatusAtual() == StatusFimArquivo)
            return false;
        r.linha = ++m_linha;
        r.chaves = ChavesRegistro{m_pers.Matricula(), {}, {}};
        r.valor = valido ? m_pers.Valor() : 0;
        r.tipo = valido ? m_pers.TipoCartao() : 0;
        r.erro = valido ? QString() : m_pers.MensagemStatus();
        return true;
    }

private:
    QString m_nome;
    PersRecargaExterna m_pers;
    int m_linha = 0;
};

class FontePlanilha : public FonteRegistros {
public:
    FontePlanilha(QString nome, EscolhasPlanilha escolhas) : m_nome(std::move(nome)), m_escolhas(std::move(escolhas)) {}

    bool abre(RegistroFonte& falha) override
    {
        const std::shared_ptr<const ArquivoPlanilha> arquivo =
            m_escolhas.lido ? m_escolhas.lido : std::make_shared<const ArquivoPlanilha>(leArquivoPlanilha(m_nome));
        if (!arquivo->erro.isEmpty()) {
            falha = RegistroFonte{1, {}, 0, 0, arquivo->erro, {}};
            return false;
        }
        const int i = escolheAba(*arquivo, m_escolhas.aba, m_escolhas.colunas);
        if (i < 0) {
            falha = RegistroFonte{1, {}, 0, 0, QStringLiteral("Aba não encontrada: ") + m_escolhas.aba, {}};
            return false;
        }
        const AbaArquivo& aba = arquivo->abas[std::size_t(i)];
        m_aba = aba.nome;
        const std::unique_ptr<LinhasAba> linhas = aba.linhas(m_escolhas.colunas);
        m_planilha = interpreta(*linhas, m_escolhas.colunas);
        if (!m_planilha.erroCabecalho.isEmpty()) {
            falha = RegistroFonte{m_planilha.linhaCabecalho, {}, 0, 0, m_planilha.erroCabecalho, {}};
            return false;
        }
        return true;
    }
    int conta() override { return int(m_planilha.linhas.size()); }
    Casamento casamento() const override { return Casamento::TodasAsChaves; }
    bool proximo(RegistroFonte& r) override
    {
        if (m_proxima >= m_planilha.linhas.size())
            return false;
        LinhaPlanilha& l = m_planilha.linhas[m_proxima++];
        r = RegistroFonte{l.linha, std::move(l.chaves), l.valor, l.tipo, std::move(l.erro), std::move(l.informacao)};
        return true;
    }
    QString aba() const override { return m_aba; }

private:
    QString m_nome;
    EscolhasPlanilha m_escolhas;
    Planilha m_planilha;
    QString m_aba;
    std::size_t m_proxima = 0;
};

}  // namespace

FormatoImportacao formatoImportacao(const QString& nomeArquivo)
{
    switch (tipoArquivo(nomeArquivo)) {
    case TipoArquivo::Xlsx:
    case TipoArquivo::Ods:
    case TipoArquivo::Xls:
    case TipoArquivo::Csv:
        return FormatoImportacao::Planilha;
    default:
        return FormatoImportacao::Rrm;
    }
}

std::unique_ptr<FonteRegistros> abreFonte(const QString& nomeArquivo, const EscolhasPlanilha& escolhas)
{
    if (formatoImportacao(nomeArquivo) == FormatoImportacao::Planilha)
        return std::make_unique<FontePlanilha>(nomeArquivo, escolhas);
    return std::make_unique<FonteRrm>(nomeArquivo);
}

}  // namespace pluvexa
