#pragma once

// The Qt implementation of Interaction: real modal dialogs over a parent
// window.

#include "interaction/interaction.h"

class QWidget;

namespace pluvexa {

class QtInteraction final : public Interaction {
public:
    explicit QtInteraction(QWidget* parent = nullptr) : m_parent(parent) {}
    void notice(const QString& text, Icon icon, const QString& caption) override;
    bool question(const QString& text, const QString& caption) override;
    bool confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption) override;
    int confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                int padrao) override;
    void errorBox(const QString& text) override;
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter, QString* filtroEscolhido = nullptr) override;
    QList<int> escolheColunas(const PedidoColunas& pedido) override;
    int escolheItem(const QString& text, const QStringList& itens, const QString& caption) override;
    QString saveFileName(const QString& caption, const QString& folder, const QString& filter,
                         QString* filtroEscolhido = nullptr) override;
    bool abrePasta(const QString& pasta) override;
    void printPreview(const std::function<void(QPagedPaintDevice*)>& paint,
                      const std::function<QString()>& savePdf) override;

private:
    QWidget* m_parent;
};

}  // namespace pluvexa
