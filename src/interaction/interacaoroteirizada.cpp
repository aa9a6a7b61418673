#include "interaction/interacaoroteirizada.h"

namespace pluvexa {

namespace {

using Tipo = InteracaoRoteirizada::Tipo;

QString nome(Tipo t)
{
    switch (t) {
    case Tipo::Aviso: return QStringLiteral("notice");
    case Tipo::Pergunta: return QStringLiteral("question");
    case Tipo::Escolha: return QStringLiteral("choice");
    case Tipo::Erro: return QStringLiteral("error");
    case Tipo::Abrir: return QStringLiteral("openfile");
    case Tipo::Salvar: return QStringLiteral("savefile");
    case Tipo::Visualizacao: return QStringLiteral("printpreview");
    case Tipo::Pasta: return QStringLiteral("openfolder");
    case Tipo::Colunas: return QStringLiteral("columns");
    case Tipo::Lista: return QStringLiteral("list");
    case Tipo::Dialogo: return QStringLiteral("dialog");
    case Tipo::Arquivo: return QStringLiteral("file chooser");
    }
    return {};
}

bool serve(Tipo anunciado, Tipo mostrado)
{
    if (anunciado == Tipo::Dialogo)
        return mostrado == Tipo::Aviso || mostrado == Tipo::Pergunta || mostrado == Tipo::Escolha
               || mostrado == Tipo::Erro;
    if (anunciado == Tipo::Arquivo)
        return mostrado == Tipo::Abrir || mostrado == Tipo::Salvar;
    return anunciado == mostrado;
}

bool casa(const InteracaoRoteirizada::Passo& p, const QString& texto)
{
    switch (p.casamento) {
    case InteracaoRoteirizada::Casamento::Igual: return texto == p.texto;
    case InteracaoRoteirizada::Casamento::Inicio: return texto.startsWith(p.texto);
    case InteracaoRoteirizada::Casamento::Trecho: return texto.contains(p.texto);
    case InteracaoRoteirizada::Casamento::Fim: return texto.endsWith(p.texto);
    }
    return false;
}

}  // namespace

QString InteracaoRoteirizada::descricao(const Passo& passo)
{
    return nome(passo.tipo) + QStringLiteral(": ") + passo.texto;
}

InteracaoRoteirizada& InteracaoRoteirizada::espera(Passo passo)
{
    m_passos.push_back(std::move(passo));
    return *this;
}

InteracaoRoteirizada::Passo InteracaoRoteirizada::proximo(Tipo tipo, const QString& texto)
{
    m_mostrados.append(nome(tipo) + QStringLiteral(": ") + texto);
    if (m_passos.empty()) {
        falha(QStringLiteral("unexpected dialog: %1: %2").arg(nome(tipo), texto));
        return {};
    }
    Passo p = m_passos.front();
    m_passos.pop_front();
    // A chooser's and a preview's text is the script's answer, not theirs.
    const bool textoLivre = tipo == Tipo::Abrir || tipo == Tipo::Salvar || tipo == Tipo::Visualizacao;
    if (!serve(p.tipo, tipo) || (!textoLivre && !casa(p, texto)))
        falha(QStringLiteral("dialog mismatch: expected %1\n  but got %2: %3").arg(descricao(p), nome(tipo), texto));
    return p;
}

int InteracaoRoteirizada::respostaEscolha(const Passo& p, const QString& texto, const QStringList& botoes)
{
    if (!p.botao.isEmpty()) {
        const int i = int(botoes.indexOf(p.botao));
        if (i < 0)
            falha(QStringLiteral("no button \"%1\" in \"%2\"").arg(p.botao, texto));
        return i;
    }
    if (p.tipo != Tipo::Escolha)
        return int(botoes.size()) - 1;  // the mismatch is reported: cancel
    if (p.botoes != botoes)
        falha(QStringLiteral("buttons mismatch: expected %1 but got %2")
                  .arg(p.botoes.join(u'|'), botoes.join(u'|')));
    return p.escolha;
}

Interaction* InteracaoRoteirizada::real(const Passo&)
{
    return nullptr;
}

void InteracaoRoteirizada::notice(const QString& text, Icon icon, const QString& caption)
{
    const Passo p = proximo(Tipo::Aviso, text);
    if (Interaction* r = real(p))
        r->notice(text, icon, caption);
}

bool InteracaoRoteirizada::question(const QString& text, const QString& caption)
{
    const Passo p = proximo(Tipo::Pergunta, text);
    Interaction* r = real(p);
    return r ? r->question(text, caption) : p.resposta;
}

bool InteracaoRoteirizada::confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption)
{
    const Passo p = proximo(Tipo::Pergunta, text);
    Interaction* r = real(p);
    return r ? r->confirm(text, buttons, icon, caption) : p.resposta;
}

int InteracaoRoteirizada::confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                                  int padrao)
{
    const Passo p = proximo(Tipo::Escolha, text);
    Interaction* r = real(p);
    return r ? r->confirm(text, buttons, icon, caption, padrao) : respostaEscolha(p, text, buttons);
}

void InteracaoRoteirizada::errorBox(const QString& text)
{
    const Passo p = proximo(Tipo::Erro, text);
    if (Interaction* r = real(p))
        r->errorBox(text);
}

QString InteracaoRoteirizada::openFileName(const QString& caption, const QString&, const QString&,
                                          QString* filtroEscolhido)
{
    const Passo p = proximo(Tipo::Abrir, caption);
    if (filtroEscolhido && !p.filtro.isEmpty())
        *filtroEscolhido = p.filtro;
    return p.texto;
}

QList<int> InteracaoRoteirizada::escolheColunas(const PedidoColunas& pedido)
{
    const Passo p = proximo(Tipo::Colunas, pedido.cabecalho.join(QStringLiteral("; ")));
    if (Interaction* r = real(p))
        return r->escolheColunas(pedido);
    if (p.tipo == Tipo::Colunas && !p.colunas.isEmpty() && p.colunas.size() != pedido.campos.size())
        falha(QStringLiteral("columns answer of %1 fields for %2").arg(p.colunas.size()).arg(pedido.campos.size()));
    return p.tipo == Tipo::Colunas ? p.colunas : QList<int>();
}

int InteracaoRoteirizada::escolheItem(const QString& text, const QStringList& itens, const QString& caption)
{
    const Passo p = proximo(Tipo::Lista, text);
    if (Interaction* r = real(p))
        return r->escolheItem(text, itens, caption);
    if (p.tipo != Tipo::Lista)
        return -1;
    if (!p.botao.isEmpty()) {
        const int i = int(itens.indexOf(p.botao));
        if (i < 0)
            falha(QStringLiteral("no item \"%1\" in \"%2\"").arg(p.botao, itens.join(u'|')));
        return i;
    }
    return p.escolha;
}

QString InteracaoRoteirizada::saveFileName(const QString& caption, const QString&, const QString& filter,
                                           QString* filtroEscolhido)
{
    const Passo p = proximo(Tipo::Salvar, caption);
    if (filtroEscolhido) {
        // As Qt's chooser answers: the filter picked, else the one it was
        // opened on, else the first.
        if (!p.filtro.isEmpty())
            *filtroEscolhido = p.filtro;
        else if (filtroEscolhido->isEmpty())
            *filtroEscolhido = filter.section(QStringLiteral(";;"), 0, 0);
    }
    return p.texto;
}

void InteracaoRoteirizada::printPreview(const Pintura& paint, const std::function<QString()>& savePdf)
{
    const Passo p = proximo(Tipo::Visualizacao, QString());
    if (Interaction* r = real(p))
        r->printPreview(paint, savePdf);
    else if (p.durante)
        p.durante(paint, savePdf);
}

bool InteracaoRoteirizada::abrePasta(const QString& pasta)
{
    return proximo(Tipo::Pasta, pasta).resposta;
}

}  // namespace pluvexa
