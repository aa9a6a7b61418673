#pragma once

// A scripted Interaction for tests: each dialog the code under test opens
// must have been expected, in order; anything else fails the test.

#include "interaction/interaction.h"

#include <QStringList>
#include <deque>

namespace pluvexa::test {

class ScriptedInteraction final : public Interaction {
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
    ScriptedInteraction& expectSaveFile(const QString& answer);
    // With `whileOpen`, it runs while the preview is shown, given what the
    // preview offers: the paint function and the "Salvar PDF" action (empty
    // when not offered), as the operator would use them.
    using DuranteVisualizacao =
        std::function<void(const std::function<void(QPagedPaintDevice*)>& paint, const std::function<QString()>& savePdf)>;
    ScriptedInteraction& expectPrintPreview(std::function<void(QPagedPaintDevice*)>* captured = nullptr,
                                            DuranteVisualizacao whileOpen = {});

    // Every dialog shown so far, as "kind: text".
    const QStringList& shown() const { return m_shown; }
    bool allConsumed() const { return m_expected.empty(); }
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

    void notice(const QString& text, Icon icon, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    bool confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption) override;
    int confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                int padrao) override;
    void errorBox(const QString& text) override;
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    void printPreview(const std::function<void(QPagedPaintDevice*)>& paint,
                      const std::function<QString()>& savePdf) override;

private:
    struct Expected {
        QString kind;
        QString text;
        bool answer = false;
        std::function<void(QPagedPaintDevice*)>* captured = nullptr;
        DuranteVisualizacao whileOpen{};
        bool prefix = false;
        QStringList buttons = {};
        int choice = -1;
        bool suffix = false;
    };
    Expected take(const QString& kind, const QString& text);

    std::deque<Expected> m_expected;
    QStringList m_shown;
    Icon m_lastIcon = Icon::None;
    QString m_lastCaption;
    Buttons m_lastButtons = Buttons::YesNo;
    Icon m_lastQuestionIcon = Icon::None;
    QString m_lastFilter;
    int m_lastDefault = -1;
};

}  // namespace pluvexa::test
