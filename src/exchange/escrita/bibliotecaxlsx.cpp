#include "exchange/escrita/bibliotecaxlsx.h"

#ifdef PLUVEXA_XLSXWRITER_APARTE
#include <dlfcn.h>
#endif

namespace pluvexa {

#ifdef PLUVEXA_XLSXWRITER_APARTE

namespace {

struct Carga {
    FuncoesXlsx funcoes{};
    QString erro;
    bool ok = false;
};

template <typename F>
bool busca(void* biblioteca, const char* nome, F& destino, QString& erro)
{
    destino = reinterpret_cast<F>(dlsym(biblioteca, nome));
    if (!destino && erro.isEmpty())
        erro = QStringLiteral("%1 has no %2").arg(QString::fromLatin1(PLUVEXA_XLSXWRITER_APARTE),
                                                  QString::fromLatin1(nome));
    return destino != nullptr;
}

Carga carrega()
{
    Carga c;
#ifdef __SANITIZE_ADDRESS__
    // The sanitizers' run time ends the process on RTLD_DEEPBIND.
    c.erro = QStringLiteral("not available in a build with AddressSanitizer");
    return c;
#endif
    // Kept open for the process's life: the functions are used again.
    void* b = dlopen(PLUVEXA_XLSXWRITER_APARTE, RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
    if (!b) {
        c.erro = QString::fromLocal8Bit(dlerror());
        return c;
    }
    FuncoesXlsx& f = c.funcoes;
    bool ok = busca(b, "workbook_new_opt", f.novoLivro, c.erro);
    ok = busca(b, "workbook_add_worksheet", f.novaAba, c.erro) && ok;
    ok = busca(b, "workbook_add_format", f.novoFormato, c.erro) && ok;
    ok = busca(b, "format_set_bold", f.negrito, c.erro) && ok;
    ok = busca(b, "format_set_num_format", f.formatoNumero, c.erro) && ok;
    ok = busca(b, "worksheet_set_column", f.largura, c.erro) && ok;
    ok = busca(b, "worksheet_write_string", f.texto, c.erro) && ok;
    ok = busca(b, "worksheet_write_number", f.numero, c.erro) && ok;
    ok = busca(b, "worksheet_freeze_panes", f.congela, c.erro) && ok;
    ok = busca(b, "workbook_close", f.fecha, c.erro) && ok;
    ok = busca(b, "lxw_strerror", f.erro, c.erro) && ok;
    c.ok = ok;
    return c;
}

}  // namespace

const FuncoesXlsx* funcoesXlsx(QString* porque)
{
    static const Carga carga = carrega();
    if (!carga.ok && porque)
        *porque = carga.erro;
    return carga.ok ? &carga.funcoes : nullptr;
}

#else

const FuncoesXlsx* funcoesXlsx(QString*)
{
    static const FuncoesXlsx funcoes{workbook_new_opt,      workbook_add_worksheet, workbook_add_format,
                                     format_set_bold,       format_set_num_format,  worksheet_set_column,
                                     worksheet_write_string, worksheet_write_number, worksheet_freeze_panes,
                                     workbook_close,        lxw_strerror};
    return &funcoes;
}

#endif

}  // namespace pluvexa
