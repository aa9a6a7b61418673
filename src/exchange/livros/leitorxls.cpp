#include "exchange/livros/leitorxls.h"

#include "exchange/livros/erroslivro.h"
#include "exchange/livros/limiteslivro.h"
#include "exchange/livros/montaaba.h"
#include "files/entrada.h"

#include <QFile>
#include <cmath>
#include <freexl.h>

namespace pluvexa::livros {

namespace {

// A FreeXL handle, closed when it goes (also after a failed open, as
// FreeXL asks).
class Manipulador {
public:
    Manipulador(const QString& caminho, bool soInformacao)
    {
        const QByteArray nome = QFile::encodeName(caminho);
        m_resultado = soInformacao ? freexl_open_info(nome.constData(), &m_h) : freexl_open(nome.constData(), &m_h);
    }
    ~Manipulador()
    {
        if (m_h)
            freexl_close(m_h);
    }
    Manipulador(const Manipulador&) = delete;
    Manipulador& operator=(const Manipulador&) = delete;
    bool ok() const { return m_resultado == FREEXL_OK; }
    const void* h() const { return m_h; }
    unsigned informacao(unsigned short qual) const
    {
        unsigned valor = 0;
        return freexl_get_info(m_h, qual, &valor) == FREEXL_OK ? valor : 0;
    }

private:
    const void* m_h = nullptr;
    int m_resultado = FREEXL_UNKNOWN;
};

QString nomeDaAba(const void* h, unsigned short i)
{
    const char* nome = nullptr;
    if (freexl_get_worksheet_name(h, i, &nome) != FREEXL_OK || !nome)
        return QStringLiteral("Planilha%1").arg(i + 1);
    return QString::fromUtf8(nome);
}

// Every sheet's dimension, read before anything of it is kept: a sheet of
// millions of cells is refused by what it declares.
void confereDimensoes(const Manipulador& m)
{
    const unsigned abas = m.informacao(FREEXL_BIFF_SHEET_COUNT);
    for (unsigned i = 0; i < abas && i < unsigned(kMaisPartes); ++i) {
        unsigned linhas = 0;
        unsigned short colunas = 0;
        if (freexl_select_active_worksheet(m.h(), static_cast<unsigned short>(i)) != FREEXL_OK
            || freexl_worksheet_dimensions(m.h(), &linhas, &colunas) != FREEXL_OK)
            continue;
        const std::int64_t celulas = std::int64_t(linhas) * colunas;
        if (celulas > kMaisCelulas)
            throw ErroLivro(textoGrandeAba(nomeDaAba(m.h(), static_cast<unsigned short>(i)), celulas));
    }
}

CelulaPlanilha celula(const FreeXL_CellValue& v)
{
    CelulaPlanilha c;
    switch (v.type) {
    case FREEXL_CELL_INT:
        c.tipo = CelulaPlanilha::Tipo::Numero;
        c.numero = v.value.int_value;
        break;
    case FREEXL_CELL_DOUBLE:
        if (std::isfinite(v.value.double_value)) {
            c.tipo = CelulaPlanilha::Tipo::Numero;
            c.numero = v.value.double_value;
        }
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        if (v.value.text_value && *v.value.text_value) {
            c.tipo = CelulaPlanilha::Tipo::Texto;
            c.texto = QString::fromUtf8(v.value.text_value).left(kMaiorTextoCelula);
        }
        break;
    default:
        break;
    }
    return c;
}

}  // namespace

bool xlsComSenha(const QString& caminho)
{
    const Manipulador info(caminho, true);
    return info.ok() && info.informacao(FREEXL_BIFF_PASSWORD) == FREEXL_BIFF_OBFUSCATED;
}

std::int64_t celulasDeclaradas(const QByteArray& bytes)
{
    std::int64_t maior = 0;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto u16 = [b](qsizetype i) { return std::int64_t(b[i] | (b[i + 1] << 8)); };
    const auto u32 = [&](qsizetype i) { return u16(i) | (u16(i + 2) << 16); };
    static const QByteArray kDimensao("\x00\x02\x0E\x00", 4);
    for (qsizetype i = bytes.indexOf(kDimensao); i >= 0 && i + 18 <= bytes.size(); i = bytes.indexOf(kDimensao, i + 1)) {
        const std::int64_t primeiraLinha = u32(i + 4), linhas = u32(i + 8);
        const std::int64_t primeiraColuna = u16(i + 12), colunas = u16(i + 14);
        if (u16(i + 16) != 0 || primeiraLinha > linhas || linhas > 65536 || primeiraColuna > colunas || colunas > 256)
            continue;
        maior = std::max(maior, linhas * colunas);
    }
    return maior;
}

QString recusaXls(const QString& caminho, const QString& nome)
{
    QByteArray bytes;
    if (!leArquivo(caminho, Leitura{true, kMaiorLivro}, bytes))
        return textoDanificada(nome);
    if (const std::int64_t celulas = celulasDeclaradas(bytes); celulas > kMaisCelulas)
        return textoGrandeDeclarada(celulas);
    bytes.clear();
    const Manipulador info(caminho, true);
    if (!info.ok())
        return textoDanificada(nome);
    if (info.informacao(FREEXL_BIFF_PASSWORD) == FREEXL_BIFF_OBFUSCATED)
        return textoComSenha(nome);
    try {
        confereDimensoes(info);
    } catch (const ErroLivro& e) {
        return e.texto;
    }
    return {};
}

Livro leXls(const QString& caminho, const QString& nome)
{
    Livro livro;
    try {
        if (const QString recusa = recusaXls(caminho, nome); !recusa.isEmpty())
            throw ErroLivro(recusa);
        const Manipulador m(caminho, false);
        if (!m.ok())
            throw ErroLivro(textoDanificada(nome));
        const unsigned abas = m.informacao(FREEXL_BIFF_SHEET_COUNT);
        std::int64_t celulas = 0;
        std::int64_t caracteres = 0;
        for (unsigned i = 0; i < abas && i < unsigned(kMaisPartes); ++i) {
            const auto indice = static_cast<unsigned short>(i);
            MontaAba aba(nomeDaAba(m.h(), indice), celulas);
            unsigned linhas = 0;
            unsigned short colunas = 0;
            if (freexl_select_active_worksheet(m.h(), indice) == FREEXL_OK
                && freexl_worksheet_dimensions(m.h(), &linhas, &colunas) == FREEXL_OK) {
                if (std::int64_t(linhas) * colunas > kMaisCelulas)
                    throw ErroLivro(textoGrandeAba(aba.nome(), std::int64_t(linhas) * colunas));
                for (unsigned l = 0; l < linhas; ++l) {
                    for (unsigned short c = 0; c < colunas; ++c) {
                        FreeXL_CellValue v;
                        if (freexl_get_cell_value(m.h(), l, c, &v) != FREEXL_OK)
                            continue;
                        CelulaPlanilha cel = celula(v);
                        if (cel.tipo == CelulaPlanilha::Tipo::Vazia)
                            continue;
                        caracteres += cel.texto.size();
                        if (caracteres > kMaisCaracteres)
                            throw ErroLivro(textoGrandeCaracteres());
                        aba.poe(std::int64_t(l) + 1, std::int64_t(c) + 1, std::move(cel));
                    }
                }
            }
            livro.abas.push_back(aba.termina());
        }
    } catch (const ErroLivro& e) {
        livro.abas.clear();
        livro.erro = e.texto;
    }
    return livro;
}

}  // namespace pluvexa::livros
