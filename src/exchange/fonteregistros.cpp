#include "exchange/fonteregistros.h"

#include "exchange/leituraplanilha.h"
#include "exchange/persrecargaexterna.h"

#include <QFile>
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
        falha = RegistroFonte{1, {}, 0, 0, textoStatus(StatusErroAbertura)};
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
    explicit FontePlanilha(QString nome) : m_nome(std::move(nome)) {}

    // A spreadsheet of a month's values is a few hundred kilobytes; a file
    // past this was chosen by mistake and is not read into memory.
    static constexpr qint64 kMaxBytes = qint64(64) << 20;

    bool abre(RegistroFonte& falha) override
    {
        QFile f(m_nome);
        if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxBytes) {
            falha = RegistroFonte{1, {}, 0, 0, textoStatus(StatusErroAbertura)};
            return false;
        }
        const QByteArray bytes = f.readAll();
        m_planilha = lePlanilha(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        if (!m_planilha.erroCabecalho.isEmpty()) {
            falha = RegistroFonte{m_planilha.linhaCabecalho, {}, 0, 0, m_planilha.erroCabecalho};
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
        r = RegistroFonte{l.linha, std::move(l.chaves), l.valor, l.tipo, std::move(l.erro)};
        return true;
    }

private:
    QString m_nome;
    Planilha m_planilha;
    std::size_t m_proxima = 0;
};

}  // namespace

FormatoImportacao formatoImportacao(const QString& nomeArquivo)
{
    return QFileInfo(nomeArquivo).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
               ? FormatoImportacao::Planilha
               : FormatoImportacao::Rrm;
}

std::unique_ptr<FonteRegistros> abreFonte(const QString& nomeArquivo)
{
    if (formatoImportacao(nomeArquivo) == FormatoImportacao::Planilha)
        return std::make_unique<FontePlanilha>(nomeArquivo);
    return std::make_unique<FonteRrm>(nomeArquivo);
}

}  // namespace pluvexa
