#pragma once

// Why a workbook is not read, in the operator's words. Thrown deep inside a
// reader (a cap met in the middle of a sheet's stream) and caught where
// the reader hands over its sheets, so that a refused workbook gives no
// sheet at all.

#include <QString>
#include <cstdint>
#include <exception>

namespace pluvexa::livros {

struct ErroLivro : std::exception {
    explicit ErroLivro(QString t) : texto(std::move(t)) {}
    const char* what() const noexcept override { return "workbook refused"; }
    QString texto;
};

// "Planilha grande demais: 17,0 MB (máximo 16 MB)"
QString textoGrandeBytes(std::int64_t bytes);
// "… o conteúdo descompactado passa de 256 MB (máximo 256 MB)"
QString textoGrandeExpandido();
// "… os textos compartilhados passam de 32 MB (máximo 32 MB)"
QString textoGrandeTextos();
// "… a aba <aba> tem <n> células (máximo 2.000.000)"
QString textoGrandeAba(const QString& aba, std::int64_t celulas);
// "… uma aba declara <n> células (máximo 2.000.000)"
QString textoGrandeDeclarada(std::int64_t celulas);
// "… mais de 2.000.000 células (máximo 2.000.000)"
QString textoGrandeCelulas();
// "… a aba <aba> passa de 100.000 linhas (máximo 100.000)"
QString textoGrandeLinhas(const QString& aba);
// "… a aba <aba> passa de 1.000 colunas (máximo 1.000)"
QString textoGrandeColunas(const QString& aba);
// "… mais de 16.000.000 caracteres de texto (máximo 16.000.000)"
QString textoGrandeCaracteres();
// "A planilha <nome> está danificada e não pode ser lida."
QString textoDanificada(const QString& nome);
// The texts of a file that is no workbook at all (see tipoarquivo.h).
QString textoNaoPlanilha(const QString& nome);
QString textoComSenha(const QString& nome);
QString textoNaoExcel(const QString& nome);

}  // namespace pluvexa::livros
