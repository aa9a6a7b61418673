#include "support/scriptedinteraction.h"

#include <gtest/gtest.h>

namespace pluvexa::test {

ScriptedInteraction::~ScriptedInteraction()
{
    for (const Passo& p : pendentes())
        ADD_FAILURE() << "expected dialog never shown: " << descricao(p).toStdString();
}

void ScriptedInteraction::falha(const QString& porque)
{
    ADD_FAILURE() << porque.toStdString();
}

ScriptedInteraction& ScriptedInteraction::expectNotice(const QString& text)
{
    espera({Tipo::Aviso, text});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectNoticeStartingWith(const QString& prefix)
{
    espera({Tipo::Aviso, prefix, Casamento::Inicio});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectQuestion(const QString& text, bool answer)
{
    espera({Tipo::Pergunta, text, Casamento::Igual, answer});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectChoice(const QString& text, const QStringList& buttons,
                                                       int answer)
{
    espera({Tipo::Escolha, text, Casamento::Igual, false, {}, answer, buttons});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectChoiceEndingWith(const QString& suffix, const QStringList& buttons,
                                                                 int answer)
{
    espera({Tipo::Escolha, suffix, Casamento::Fim, false, {}, answer, buttons});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectError(const QString& text)
{
    espera({Tipo::Erro, text});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectErrorStartingWith(const QString& prefix)
{
    espera({Tipo::Erro, prefix, Casamento::Inicio});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectOpenFile(const QString& answer)
{
    espera({Tipo::Abrir, answer});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectOpenFile(const QString& answer, const QString& filter)
{
    Passo p{Tipo::Abrir, answer};
    p.filtro = filter;
    espera(p);
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectColumns(const QString& header, const QList<int>& columns)
{
    Passo p{Tipo::Colunas, header};
    p.colunas = columns;
    espera(p);
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectListChoice(const QString& text, const QString& item)
{
    Passo p{Tipo::Lista, text};
    p.botao = item;
    espera(p);
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectSaveFile(const QString& answer, const QString& filter)
{
    Passo p{Tipo::Salvar, answer};
    p.filtro = filter;
    espera(std::move(p));
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectOpenFolder(const QString& pasta, bool opened)
{
    espera({Tipo::Pasta, pasta, Casamento::Igual, opened});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectPrintPreview(std::function<void(QPagedPaintDevice*)>* captured,
                                                             DuranteVisualizacao whileOpen)
{
    Passo p{Tipo::Visualizacao};
    p.durante = [captured, whileOpen](const Pintura& paint, const std::function<QString()>& savePdf) {
        if (captured)
            *captured = paint;
        if (whileOpen)
            whileOpen(paint, savePdf);
    };
    espera(std::move(p));
    return *this;
}

void ScriptedInteraction::notice(const QString& text, Icon icon, const QString& caption)
{
    m_lastIcon = icon;
    m_lastCaption = caption;
    InteracaoRoteirizada::notice(text, icon, caption);
}

bool ScriptedInteraction::question(const QString& text, const QString& caption)
{
    m_lastButtons = Buttons::YesNo;
    m_lastQuestionIcon = Icon::None;
    return InteracaoRoteirizada::question(text, caption);
}

bool ScriptedInteraction::confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption)
{
    const bool answer = InteracaoRoteirizada::confirm(text, buttons, icon, caption);
    m_lastButtons = buttons;
    m_lastQuestionIcon = icon;
    return answer;
}

int ScriptedInteraction::confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                                 int padrao)
{
    m_lastQuestionIcon = icon;
    m_lastDefault = padrao;
    return InteracaoRoteirizada::confirm(text, buttons, icon, caption, padrao);
}

QString ScriptedInteraction::openFileName(const QString& caption, const QString& folder, const QString& filter,
                                         QString* filtroEscolhido)
{
    m_lastFilter = filter;
    m_lastOpenFolder = folder;
    m_lastOpenSelected = filtroEscolhido ? *filtroEscolhido : QString();
    return InteracaoRoteirizada::openFileName(caption, folder, filter, filtroEscolhido);
}

QString ScriptedInteraction::saveFileName(const QString& caption, const QString& folder, const QString& filter,
                                         QString* filtroEscolhido)
{
    m_lastFilter = filter;
    m_lastSavePath = folder;
    return InteracaoRoteirizada::saveFileName(caption, folder, filter, filtroEscolhido);
}

}  // namespace pluvexa::test
