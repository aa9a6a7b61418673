#pragma once

// The scripted Interaction for tests: each dialog the code under test opens
// must have been expected, in order; anything else fails the test. The
// script itself is InteracaoRoteirizada's, which the manual's screenshots
// use too; this adds the expectations' wording and what tests check of the
// last dialogs.

#include "interaction/interacaoroteirizada.h"

#include <QStringList>

namespace pluvexa::test {

class ScriptedInteraction final : public InteracaoRoteirizada {
public:
    ~ScriptedInteraction() override;

    // Expectations, consumed in order.
    ScriptedInteraction& expectNotice(const QString& text);
    // A notice whose text begins with `prefix` (the rest carries the
    // system's own wording of a failure).
    ScriptedInteraction& expectNoticeStartingWith(const QString& prefix);
    ScriptedInteraction& expectQuestion(const QString& text, bool answer);
    // A question with buttons of their own captions, answered by pressing
    // the button at `answer`.
    ScriptedInteraction& expectChoice(const QString& text, const QStringList& buttons, int answer);
    // A question with buttons whose text ends with `suffix` (the rest
    // carries counts the test does not judge).
    ScriptedInteraction& expectChoiceEndingWith(const QString& suffix, const QStringList& buttons, int answer);
    ScriptedInteraction& expectError(const QString& text);
    // An error box whose text begins with `prefix`.
    ScriptedInteraction& expectErrorStartingWith(const QString& prefix);
    ScriptedInteraction& expectOpenFile(const QString& answer);
    // The open chooser, answered with `answer` chosen under `filter`.
    ScriptedInteraction& expectOpenFile(const QString& answer, const QString& filter);
    // The column mapping dialog over a header whose cells, joined by "; ",
    // are `header`; `columns` is the answer per field (empty: cancelled).
    ScriptedInteraction& expectColumns(const QString& header, const QList<int>& columns);
    // The list question `text`, answered by the item `item` (empty: cancelled).
    ScriptedInteraction& expectListChoice(const QString& text, const QString& item);
    // `filter`: the filter the operator picks (empty: the one preselected).
    ScriptedInteraction& expectSaveFile(const QString& answer, const QString& filter = {});
    // The folder `pasta` shown in the file manager; `opened` is the answer.
    ScriptedInteraction& expectOpenFolder(const QString& pasta, bool opened = true);
    // With `whileOpen`, it runs while the preview is shown, given what the
    // preview offers: the paint function and the "Salvar PDF" action (empty
    // when not offered), as the operator would use them.
    ScriptedInteraction& expectPrintPreview(std::function<void(QPagedPaintDevice*)>* captured = nullptr,
                                            DuranteVisualizacao whileOpen = {});

    // Icon and caption of the last notice, for tests that check them.
    Icon lastIcon() const { return m_lastIcon; }
    QString lastCaption() const { return m_lastCaption; }
    // Buttons and icon of the last confirm(); a plain question() counts as
    // Yes/No without an icon.
    Buttons lastButtons() const { return m_lastButtons; }
    Icon lastQuestionIcon() const { return m_lastQuestionIcon; }
    // The default button of the last question with buttons of its own.
    int lastDefault() const { return m_lastDefault; }
    // The filter of the last file chooser.
    QString lastFilter() const { return m_lastFilter; }
    // The folder the last open chooser opened in, and the filter it had
    // preselected (empty: none asked).
    QString lastOpenFolder() const { return m_lastOpenFolder; }
    QString lastOpenSelected() const { return m_lastOpenSelected; }
    // What the last save chooser was opened on (folder and proposed name).
    QString lastSavePath() const { return m_lastSavePath; }

    void notice(const QString& text, Icon icon, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    bool confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption) override;
    int confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                int padrao) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter,
                         QString* filtroEscolhido = nullptr) override;
    QString saveFileName(const QString& caption, const QString& folder, const QString& filter,
                         QString* filtroEscolhido = nullptr) override;

protected:
    void falha(const QString& porque) override;

private:
    Icon m_lastIcon = Icon::None;
    QString m_lastCaption;
    Buttons m_lastButtons = Buttons::YesNo;
    Icon m_lastQuestionIcon = Icon::None;
    QString m_lastFilter;
    QString m_lastSavePath;
    QString m_lastOpenFolder;
    QString m_lastOpenSelected;
    int m_lastDefault = -1;
};

}  // namespace pluvexa::test
