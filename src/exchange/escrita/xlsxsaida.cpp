#include "exchange/escrita/xlsxsaida.h"

#include "exchange/escrita/bibliotecaxlsx.h"
#include "files/arquivoseguro.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace pluvexa {

namespace {

// libxlsxwriter takes names as the system does; UTF-8 on Windows, which it
// converts to the wide calls itself.
QByteArray nomeDoSistema(const QString& caminho)
{
#ifdef _WIN32
    return QDir::toNativeSeparators(caminho).toUtf8();
#else
    return QFile::encodeName(caminho);
#endif
}

struct Formatos {
    lxw_format* cabecalho;
    lxw_format* texto;
    lxw_format* dinheiro;
    lxw_format* creditos;
};

Formatos criaFormatos(const FuncoesXlsx& x, lxw_workbook* livro)
{
    Formatos f{x.novoFormato(livro), x.novoFormato(livro), x.novoFormato(livro), x.novoFormato(livro)};
    x.negrito(f.cabecalho);
    x.formatoNumero(f.texto, "@");
    x.formatoNumero(f.dinheiro, "#,##0.00");
    x.formatoNumero(f.creditos, "#,##0");
    return f;
}

lxw_format* formatoDe(const Formatos& f, const CelulaSaida& c)
{
    if (c.tipo == CelulaSaida::Tipo::Texto)
        return f.texto;
    switch (c.formato) {
    case CelulaSaida::Formato::Dinheiro: return f.dinheiro;
    case CelulaSaida::Formato::Creditos: return f.creditos;
    case CelulaSaida::Formato::Geral: break;
    }
    return nullptr;
}

// Fills the sheet; the library's first error, if any.
lxw_error preenche(const FuncoesXlsx& x, lxw_workbook* livro, const TabelaSaida& tabela)
{
    const QByteArray nomeAba = tabela.aba.toUtf8();
    lxw_worksheet* aba = x.novaAba(livro, nomeAba.isEmpty() ? nullptr : nomeAba.constData());
    if (!aba)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    const Formatos formatos = criaFormatos(x, livro);
    const std::vector<int> larguras = largurasColunas(tabela);
    for (std::size_t i = 0; i < larguras.size(); ++i)
        if (lxw_error e = x.largura(aba, lxw_col_t(i), lxw_col_t(i), larguras[i], nullptr))
            return e;
    for (qsizetype i = 0; i < tabela.cabecalho.size(); ++i)
        if (lxw_error e = x.texto(aba, 0, lxw_col_t(i), tabela.cabecalho[i].toUtf8().constData(),
                                                 formatos.cabecalho))
            return e;
    x.congela(aba, 1, 0);
    lxw_row_t linha = 1;
    for (const std::vector<CelulaSaida>& celulas : tabela.linhas) {
        for (std::size_t i = 0; i < celulas.size(); ++i) {
            const CelulaSaida& c = celulas[i];
            lxw_error e = LXW_NO_ERROR;
            if (c.tipo == CelulaSaida::Tipo::Texto)
                e = x.texto(aba, linha, lxw_col_t(i), c.texto.toUtf8().constData(), formatos.texto);
            else if (c.tipo == CelulaSaida::Tipo::Numero)
                e = x.numero(aba, linha, lxw_col_t(i), c.numero, formatoDe(formatos, c));
            if (e != LXW_NO_ERROR)
                return e;
        }
        ++linha;
    }
    return LXW_NO_ERROR;
}

}  // namespace

FalhaArquivo falhaDaPlanilha(const QString& destino, const Motivo& motivo)
{
    FalhaArquivo f;
    f.operacao = Operacao::Gravar;
    f.arquivo = destino.toStdString();
    f.motivo = motivo;
    f.mensagem = QStringLiteral("Cannot write file \"%1\". %2")
                     .arg(QDir::toNativeSeparators(destino), QString::fromStdString(motivo.ingles))
                     .toStdString();
    return f;
}

bool gravaXlsx(const TabelaSaida& tabela, const QString& destino, FalhaArquivo& falha)
{
    // Private to this user (mode 0700) and removed with everything in it on
    // every path: the library's own temporaries go there too.
    const QTemporaryDir pasta;
    if (!pasta.isValid()) {
        falha = falhaDaPlanilha(destino, Motivo::proprio("Cannot make a private scratch folder.",
                                                       "não foi possível criar uma pasta temporária"));
        return false;
    }
    QString porque;
    const FuncoesXlsx* x = funcoesXlsx(&porque);
    if (!x) {
        falha = falhaDaPlanilha(destino, Motivo::proprio("Cannot load libxlsxwriter: " + porque.toStdString() + ".",
                                                        "a biblioteca de planilhas do Excel não pôde ser carregada"));
        return false;
    }
    const QString rascunho = pasta.filePath(QStringLiteral("planilha.xlsx"));
    const QByteArray nome = nomeDoSistema(rascunho);
    QByteArray temporarios = nomeDoSistema(pasta.path());
    lxw_workbook_options opcoes{};
    opcoes.constant_memory = LXW_FALSE;
    opcoes.tmpdir = temporarios.data();
    lxw_workbook* livro = x->novoLivro(nome.constData(), &opcoes);
    if (!livro) {
        falha = falhaDaPlanilha(destino, Motivo::proprio("Cannot start the workbook.",
                                                       "não foi possível começar a planilha"));
        return false;
    }
    const lxw_error preenchida = preenche(*x, livro, tabela);
    limpaCodigo();
    // Closing writes the file, and frees the workbook whatever happened.
    const lxw_error fechada = x->fecha(livro);
    if (preenchida != LXW_NO_ERROR || fechada != LXW_NO_ERROR) {
        const int codigo = codigoUltimo();
        const lxw_error e = preenchida != LXW_NO_ERROR ? preenchida : fechada;
        falha = falhaDaPlanilha(destino, falhaDeGravacao(codigo)
                                           ? Motivo::sistema(codigo)
                                           : Motivo::proprio(std::string(x->erro(e)) + ".",
                                                             "erro da biblioteca de planilhas: " + std::string(x->erro(e))));
        return false;
    }
    QFile arquivo(rascunho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        falha = falhaDaPlanilha(destino, Motivo::proprio(arquivo.errorString().toStdString() + ".",
                                                       "não foi possível ler a planilha temporária"));
        return false;
    }
    const QByteArray bytes = arquivo.readAll();
    // The model stays in memory: a lost export is made again, no flush.
    return gravaArquivo(destino, bytes, Durabilidade::Comum, &falha);
}

}  // namespace pluvexa
