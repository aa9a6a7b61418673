#include "support/scriptedinteraction.h"

#include <gtest/gtest.h>

namespace pluvexa::test {

ScriptedInteraction::~ScriptedInteraction()
{
    for (const Expected& e : m_expected)
        ADD_FAILURE() << "expected dialog never shown: " << e.kind.toStdString() << ": "
                      << e.text.toStdString();
}

ScriptedInteraction& ScriptedInteraction::expectNotice(const QString& text)
{
    m_expected.push_back({QStringLiteral("notice"), text});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectNoticeStartingWith(const QString& prefix)
{
    m_expected.push_back({QStringLiteral("notice"), prefix, false, nullptr, {}, true});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectQuestion(const QString& text, bool answer)
{
    m_expected.push_back({QStringLiteral("question"), text, answer});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectChoice(const QString& text, const QStringList& buttons,
                                                       int answer)
{
    Expected e{QStringLiteral("choice"), text};
    e.buttons = buttons;
    e.choice = answer;
    m_expected.push_back(std::move(e));
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectChoiceEndingWith(const QString& suffix, const QStringList& buttons,
                                                                 int answer)
{
    expectChoice(suffix, buttons, answer);
    m_expected.back().suffix = true;
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectError(const QString& text)
{
    m_expected.push_back({QStringLiteral("error"), text});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectErrorStartingWith(const QString& prefix)
{
    m_expected.push_back({QStringLiteral("error"), prefix, false, nullptr, {}, true});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectOpenFile(const QString& answer)
{
    m_expected.push_back({QStringLiteral("openfile"), answer});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectSaveFile(const QString& answer)
{
    m_expected.push_back({QStringLiteral("savefile"), answer});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::expectPrintPreview(std::function<void(QPagedPaintDevice*)>* captured,
                                                             DuranteVisualizacao whileOpen)
{
    m_expected.push_back({QStringLiteral("printpreview"), QString(), false, captured, std::move(whileOpen)});
    return *this;
}

ScriptedInteraction::Expected ScriptedInteraction::take(const QString& kind, const QString& text)
{
    m_shown.append(kind + QStringLiteral(": ") + text);
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << kind.toStdString() << ": " << text.toStdString();
        return {};
    }
    Expected e = m_expected.front();
    m_expected.pop_front();
    const bool textoLivre = kind == QLatin1String("openfile") || kind == QLatin1String("savefile")
                            || kind == QLatin1String("printpreview");
    const bool textMatches = e.prefix   ? text.startsWith(e.text)
                             : e.suffix ? text.endsWith(e.text)
                                        : e.text == text;
    if (e.kind != kind || (!textoLivre && !textMatches))
        ADD_FAILURE() << "dialog mismatch: expected " << e.kind.toStdString() << ": "
                      << e.text.toStdString() << "\n  but got " << kind.toStdString() << ": "
                      << text.toStdString();
    return e;
}

void ScriptedInteraction::notice(const QString& text, Icon icon, const QString& caption)
{
    m_lastIcon = icon;
    m_lastCaption = caption;
    take(QStringLiteral("notice"), text);
}

bool ScriptedInteraction::question(const QString& text, const QString&)
{
    m_lastButtons = Buttons::YesNo;
    m_lastQuestionIcon = Icon::None;
    return take(QStringLiteral("question"), text).answer;
}

bool ScriptedInteraction::confirm(const QString& text, Buttons buttons, Icon icon, const QString&)
{
    const bool answer = take(QStringLiteral("question"), text).answer;
    m_lastButtons = buttons;
    m_lastQuestionIcon = icon;
    return answer;
}

int ScriptedInteraction::confirm(const QString& text, const QStringList& buttons, Icon icon, const QString&,
                                 int padrao)
{
    const Expected e = take(QStringLiteral("choice"), text);
    m_lastQuestionIcon = icon;
    m_lastDefault = padrao;
    if (e.kind == QLatin1String("choice") && e.buttons != buttons)
        ADD_FAILURE() << "buttons mismatch: expected " << e.buttons.join(u'|').toStdString() << " but got "
                      << buttons.join(u'|').toStdString();
    return e.kind == QLatin1String("choice") ? e.choice : int(buttons.size()) - 1;
}

void ScriptedInteraction::errorBox(const QString& text)
{
    take(QStringLiteral("error"), text);
}

QString ScriptedInteraction::openFileName(const QString& caption, const QString&, const QString& filter)
{
    m_lastFilter = filter;
    return take(QStringLiteral("openfile"), caption).text;
}

QString ScriptedInteraction::saveFileName(const QString& caption, const QString&, const QString& filter)
{
    m_lastFilter = filter;
    return take(QStringLiteral("savefile"), caption).text;
}

void ScriptedInteraction::printPreview(const std::function<void(QPagedPaintDevice*)>& paint,
                                       const std::function<QString()>& savePdf)
{
    Expected e = take(QStringLiteral("printpreview"), QString());
    if (e.captured)
        *e.captured = paint;
    if (e.whileOpen)
        e.whileOpen(paint, savePdf);
}

}  // namespace pluvexa::test
