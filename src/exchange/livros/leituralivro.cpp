#include "exchange/livros/leituralivro.h"

#include "exchange/livros/erroslivro.h"
#include "exchange/livros/leitorods.h"
#include "exchange/livros/leitorxls.h"
#include "exchange/livros/leitorxlsx.h"
#include "exchange/livros/limiteslivro.h"
#include "exchange/livros/tipoarquivo.h"
#include "files/entrada.h"

#include <QFileInfo>

namespace pluvexa {

using namespace livros;

Livro leLivro(const QString& caminho)
{
    const QString nome = QFileInfo(caminho).fileName();
    Livro livro;
    QByteArray bytes;
    FalhaArquivo falha;
    if (!leArquivo(caminho, Leitura{true, kMaiorLivro}, bytes, &falha)) {
        const std::int64_t tamanho = QFileInfo(caminho).size();
        livro.erro = tamanho > kMaiorLivro ? textoGrandeBytes(tamanho) : QString::fromStdString(frase(falha));
        return livro;
    }
    switch (tipoDosBytes(bytes, caminho)) {
    case TipoArquivo::Xlsx:
        return leXlsx(bytes, nome);
    case TipoArquivo::Ods:
        return leOds(bytes, nome);
    case TipoArquivo::Xls:
        bytes.clear();  // FreeXL reads the file itself
        return leXls(caminho, nome);
    case TipoArquivo::ComSenha:
        livro.erro = textoComSenha(nome);
        break;
    case TipoArquivo::NaoExcel:
        livro.erro = textoNaoExcel(nome);
        break;
    case TipoArquivo::Danificado:
        livro.erro = textoDanificada(nome);
        break;
    case TipoArquivo::NaoPlanilha:
    case TipoArquivo::Csv:
    case TipoArquivo::Rrm:
        livro.erro = textoNaoPlanilha(nome);
        break;
    }
    return livro;
}

}  // namespace pluvexa
