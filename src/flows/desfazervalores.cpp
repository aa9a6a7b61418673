#include "flows/desfazervalores.h"

#include <QUndoCommand>

namespace pluvexa {

namespace {

// One step: the changed values, before and after. Pushing it runs redo(),
// which writes the values the model already holds, so it changes nothing.
class ComandoValores final : public QUndoCommand {
public:
    ComandoValores(ModeloRecarga& m, const QString& texto, std::vector<MudancaValor> mudancas)
        : QUndoCommand(texto), m_modelo(m), m_mudancas(std::move(mudancas))
    {
    }
    void undo() override { aplicaMudancas(m_modelo, m_mudancas, true); }
    void redo() override { aplicaMudancas(m_modelo, m_mudancas, false); }
    const std::vector<MudancaValor>& mudancas() const { return m_mudancas; }

private:
    ModeloRecarga& m_modelo;
    std::vector<MudancaValor> m_mudancas;
};

QString comTexto(const QString& acao, const QString& texto)
{
    return texto.isEmpty() ? acao : acao + u' ' + texto;
}

}  // namespace

DesfazerValores::DesfazerValores(ModeloRecarga& m) : m_modelo(m) {}

void DesfazerValores::abrePasso(const QString& texto)
{
    if (m_abertos++ > 0)
        return;
    m_texto = texto;
    m_antes = fotografaValores(m_modelo);
}

bool DesfazerValores::fechaPasso()
{
    if (m_abertos == 0 || --m_abertos > 0)
        return false;
    std::vector<MudancaValor> mudancas = diferencas(m_antes, m_modelo);
    m_antes = {};
    if (mudancas.empty())
        return false;
    m_pilha.push(new ComandoValores(m_modelo, m_texto, std::move(mudancas)));
    return true;
}

QString DesfazerValores::textoDesfazer() const
{
    return comTexto(QStringLiteral("Desfazer"), m_pilha.undoText());
}

QString DesfazerValores::textoRefazer() const
{
    return comTexto(QStringLiteral("Refazer"), m_pilha.redoText());
}

PassoTomado DesfazerValores::tomado(const QString& acao, int indice) const
{
    const auto* comando = static_cast<const ComandoValores*>(m_pilha.command(indice));
    return {comando->mudancas(), acao + comando->text()};
}

PassoTomado DesfazerValores::desfaz()
{
    if (!m_pilha.canUndo())
        return {};
    m_pilha.undo();
    return tomado(QStringLiteral("Desfeito: "), m_pilha.index());
}

PassoTomado DesfazerValores::refaz()
{
    if (!m_pilha.canRedo())
        return {};
    const int indice = m_pilha.index();
    m_pilha.redo();
    return tomado(QStringLiteral("Refeito: "), indice);
}

void DesfazerValores::limpa()
{
    m_pilha.clear();
}

}  // namespace pluvexa
