// Reads arbitrary bytes as a spreadsheet saved as CSV, then imports them
// into a small loaded file, and checks what each layer promises:
//
// - the CSV reader ends, numbers rows by their first line in increasing
//   order, and reads back exactly the rows it gave once they are written
//   again with every field quoted (separators, quotes and line breaks
//   inside fields included);
// - the spreadsheet reading either refuses the header and gives no row, or
//   gives rows after the header in file order, each valid with a value that
//   is a number from 0 up, or refused with a short text (a field is quoted
//   by its first characters, never whole);
// - the import run takes every row once, as stored or failed, in file
//   order, with one result line per failure (or one for the refused header,
//   or one saying that no record was read), and changes only what an
//   import may change (modelopequeno.h).
//
// The first byte chooses the card type selected in the window.

#include "exchange/leitorcsv.h"
#include "exchange/leituraplanilha.h"
#include "exchange/recargaexterna.h"
#include "modelopequeno.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace pluvexa;
using fuzz::falha;

namespace {

// No message quotes more than a field's first 64 characters; the longest
// fixed text around one is well under this.
constexpr qsizetype kMaiorMensagem = 64 * 2 + 200;

struct Linha {
    std::vector<std::string> campos;
    int linha = 0;
    bool aspasAbertas = false;
};

std::vector<Linha> leTudo(std::string_view texto, char separador)
{
    std::vector<Linha> linhas;
    LeitorCsv leitor(texto, separador);
    Linha l;
    int anterior = 0;
    while (leitor.proxima(l.campos, l.linha, l.aspasAbertas)) {
        if (l.campos.empty() || l.linha <= anterior || l.campos.size() > kMaisColunasCsv)
            falha();
        if (leitor.larga() && l.campos.size() != kMaisColunasCsv)
            falha();
        anterior = l.linha;
        linhas.push_back(l);
        if (linhas.size() > texto.size() + 1)  // every row takes at least one byte
            falha();
    }
    return linhas;
}

// Every field quoted, quotes doubled, rows ended by CR LF.
std::string escreve(const std::vector<Linha>& linhas, char separador)
{
    std::string s;
    for (const Linha& l : linhas) {
        for (std::size_t i = 0; i < l.campos.size(); ++i) {
            if (i > 0)
                s += separador;
            s += '"';
            for (const char c : l.campos[i]) {
                if (c == '"')
                    s += '"';
                s += c;
            }
            s += '"';
        }
        s += "\r\n";
    }
    return s;
}

void confereLeitor(std::string_view texto)
{
    const char separador = LeitorCsv::separadorDoCabecalho(texto);
    if (separador != ';' && separador != ',')
        falha();
    const std::vector<Linha> linhas = leTudo(texto, separador);
    for (std::size_t i = 0; i + 1 < linhas.size(); ++i)
        if (linhas[i].aspasAbertas)  // an open quote runs to the end of the text
            falha();
    const std::string escrito = escreve(linhas, separador);
    const std::vector<Linha> relidas = leTudo(escrito, separador);
    if (relidas.size() != linhas.size())
        falha();
    for (std::size_t i = 0; i < linhas.size(); ++i)
        if (relidas[i].campos != linhas[i].campos || relidas[i].aspasAbertas)
            falha();
}

void conferePlanilha(const Planilha& p)
{
    if (p.linhaCabecalho < 1)
        falha();
    if (!p.erroCabecalho.isEmpty() && !p.linhas.empty())
        falha();
    if (p.erroCabecalho.size() > kMaiorMensagem + 20 * (64 + 2))
        falha();
    int anterior = p.linhaCabecalho;
    for (const LinhaPlanilha& l : p.linhas) {
        if (l.linha <= anterior)
            falha();
        anterior = l.linha;
        if (l.erro.size() > kMaiorMensagem)
            falha();
        if (l.erro.isEmpty() && (!std::isfinite(l.valor) || l.valor < 0))
            falha();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir(fuzz::modeloPasta(QStringLiteral("pluvexa-csv-fuzz")));
    static const ModeloRecarga original = fuzz::modeloPequeno();
    static ModeloRecarga m = original;
    if (size == 0 || !dir.isValid())
        return 0;
    const int tipoSel = data[0] % 4;
    const std::string_view texto(reinterpret_cast<const char*>(data + 1), size - 1);

    confereLeitor(texto);
    const Planilha planilha = lePlanilha(texto);
    conferePlanilha(planilha);

    const QString caminho = dir.filePath(QStringLiteral("entrada.csv"));
    {
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly) || f.write(texto.data(), qint64(texto.size())) != qint64(texto.size()))
            return 0;
    }
    OpcoesImportacao o;
    o.pastaLog = dir.filePath(QStringLiteral("Log"));
    o.relogio = [] { return QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)); };
    RecargaExterna run(m, o);
    int maximo = -1;
    std::vector<int> lidas;
    run.aoContar = [&](int r) { maximo = r; };
    run.aoProgresso = [&](int l) { lidas.push_back(l); };
    const bool ok = run.Importa(caminho, tipoSel);
    if (run.recusa()) {
        // Only a file past the limits is refused (the log folder is ours),
        // and then nothing changed.
        if (run.recusa()->motivo != RecusaImportacao::GrandeDemaisLinhas
            && run.recusa()->motivo != RecusaImportacao::GrandeDemaisBytes)
            falha();
        if (ok || run.TotalOk != 0 || run.TotalErros != 0 || maximo != -1 || !lidas.empty())
            falha();
        fuzz::confereEVolta(m, original);
        return 0;
    }

    const int erros = run.TotalErros;
    if (!planilha.erroCabecalho.isEmpty()) {
        // The whole file refused in one line, nothing counted or read.
        if (ok || erros != 1 || run.TotalOk != 0 || maximo != -1 || !lidas.empty())
            falha();
    } else {
        const int linhas = int(planilha.linhas.size());
        // A total row is read and told, but counts neither way.
        int informadas = 0;
        for (const LinhaPlanilha& l : planilha.linhas)
            informadas += l.informacao.isEmpty() ? 0 : 1;
        if (maximo != linhas || int(lidas.size()) != linhas || run.TotalOk + erros + informadas != linhas)
            falha();
        for (int i = 0; i < linhas; ++i)
            if (lidas[std::size_t(i)] != planilha.linhas[std::size_t(i)].linha)
                falha();
        int refusadas = 0;
        for (const LinhaPlanilha& l : planilha.linhas)
            refusadas += l.erro.isEmpty() ? 0 : 1;
        if (erros < refusadas)
            falha();
    }
    // A run that read no record at all says so in one more line, and is
    // no success.
    const bool nadaLido = erros == 0 && run.TotalOk == 0;
    if (ok != (erros == 0 && !nadaLido))
        falha();
    if (run.Resultado().size() != std::size_t(erros) + 1 + (nadaLido ? 1 : 0) || !run.Resultado()[0].empty())
        falha();
    if (nadaLido && run.Resultado().back() != "Nenhum registro reconhecido no arquivo")
        falha();
    for (std::size_t i = 1; i < run.Resultado().size() - (nadaLido ? 1 : 0); ++i)
        if (run.Resultado()[i].size() < 13 + 3 + 21 + 1)
            falha();
    fuzz::confereEVolta(m, original);
    return 0;
}
