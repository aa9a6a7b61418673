#include "ui/qtinteraction.h"

#include "ui/dialogocolunas.h"

#include <QInputDialog>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QUrl>
#include <QPointer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintPreviewDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>

namespace pluvexa {

namespace {
const QString kTituloVisualizacao = QStringLiteral("Visualização da Impressão");
}  // namespace

namespace {

QMessageBox::Icon icone(Interaction::Icon icon)
{
    switch (icon) {
    case Interaction::Icon::None: break;
    case Interaction::Icon::Error: return QMessageBox::Critical;
    case Interaction::Icon::Warning: return QMessageBox::Warning;
    case Interaction::Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Gives the focus back, when a dialog closes, to the widget that had it:
// without this the keyboard is left nowhere (no window manager re-activates
// the main window) and the operator's next Ctrl+F or digits are lost.
class DevolveFoco {
public:
    DevolveFoco() : m_antes(QApplication::focusWidget()) {}
    ~DevolveFoco()
    {
        if (!m_antes)
            return;
        QWidget* janela = m_antes->window();
        janela->activateWindow();
        // Without a window manager the activation may come later, or not at
        // all: the application takes it at once.
        if (QApplication::activeWindow() != janela)
            QApplication::setActiveWindow(janela);
        m_antes->setFocus(Qt::OtherFocusReason);
    }
    DevolveFoco(const DevolveFoco&) = delete;
    DevolveFoco& operator=(const DevolveFoco&) = delete;

private:
    QPointer<QWidget> m_antes;
};

}  // namespace

void QtInteraction::notice(const QString& text, Icon icon, const QString& caption)
{
    const DevolveFoco foco;
    QMessageBox box(icone(icon), caption, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtInteraction::question(const QString& text, const QString& caption)
{
    const DevolveFoco foco;
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    return box.exec() == QMessageBox::Yes;
}

bool QtInteraction::confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption)
{
    const DevolveFoco foco;
    const QMessageBox::StandardButton nao = buttons == Buttons::YesCancel ? QMessageBox::Cancel : QMessageBox::No;
    QMessageBox box(icon == Icon::None ? QMessageBox::Question : icone(icon), caption, text,
                    QMessageBox::Yes | nao, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    box.button(nao)->setText(nao == QMessageBox::Cancel ? QStringLiteral("Cancelar") : QStringLiteral("&Não"));
    return box.exec() == QMessageBox::Yes;
}

int QtInteraction::confirm(const QString& text, const QStringList& buttons, Icon icon, const QString& caption,
                           int padrao)
{
    const DevolveFoco foco;
    QMessageBox box(icon == Icon::None ? QMessageBox::Question : icone(icon), caption, text, QMessageBox::NoButton,
                    m_parent);
    QList<QAbstractButton*> botoes;
    for (int i = 0; i < buttons.size(); ++i) {
        const bool ultimo = i == buttons.size() - 1;
        botoes << box.addButton(buttons.at(i), ultimo ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    if (!botoes.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(botoes.value(padrao, botoes.first())));
        box.setEscapeButton(botoes.last());
    }
    box.exec();
    const int i = int(botoes.indexOf(box.clickedButton()));
    return i >= 0 ? i : int(buttons.size()) - 1;
}

void QtInteraction::errorBox(const QString& text)
{
    const DevolveFoco foco;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, m_parent);
    box.exec();
}

QString QtInteraction::openFileName(const QString& caption, const QString& folder,
                                    const QString& filter, QString* filtroEscolhido)
{
    const DevolveFoco foco;
    // Qt's own dialog, which speaks the program's language; the system's
    // follows the desktop's. The filter given is preselected.
    return QFileDialog::getOpenFileName(m_parent, caption, folder, filter, filtroEscolhido,
                                        QFileDialog::DontUseNativeDialog);
}

QList<int> QtInteraction::escolheColunas(const PedidoColunas& pedido)
{
    const DevolveFoco foco;
    DialogoColunas dialogo(pedido, m_parent);
    return dialogo.exec() == QDialog::Accepted ? dialogo.escolha() : QList<int>();
}

int QtInteraction::escolheItem(const QString& text, const QStringList& itens, const QString& caption)
{
    const DevolveFoco foco;
    QInputDialog dialogo(m_parent);
    dialogo.setObjectName(QStringLiteral("dialogolista"));
    dialogo.setWindowTitle(caption);
    dialogo.setLabelText(text);
    dialogo.setComboBoxItems(itens);
    dialogo.setComboBoxEditable(false);
    dialogo.setOkButtonText(QStringLiteral("OK"));
    dialogo.setCancelButtonText(QStringLiteral("Cancelar"));
    if (dialogo.exec() != QDialog::Accepted)
        return -1;
    return int(itens.indexOf(dialogo.textValue()));
}

QString QtInteraction::saveFileName(const QString& caption, const QString& folder, const QString& filter,
                                    QString* filtroEscolhido)
{
    const DevolveFoco foco;
    // Qt's own dialog changes the proposed name's extension with the
    // filter chosen, so name and filter agree unless the operator types one.
    return QFileDialog::getSaveFileName(m_parent, caption, folder, filter, filtroEscolhido,
                                        QFileDialog::DontUseNativeDialog);
}

bool QtInteraction::abrePasta(const QString& pasta)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(pasta)));
}

void QtInteraction::printPreview(const std::function<void(QPagedPaintDevice*)>& paint,
                                 const std::function<QString()>& savePdf)
{
    const DevolveFoco foco;
    QPrinter printer(QPrinter::HighResolution);
    // Reports place everything from the paper's edge, margins included.
    printer.setFullPage(true);
    QPrintPreviewDialog dialog(&printer, m_parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* p) { paint(p); });
    if (savePdf) {
        if (auto* bar = dialog.findChild<QToolBar*>()) {
            bar->addSeparator();
            QAction* salvar = bar->addAction(QStringLiteral("Salvar PDF"));
            salvar->setObjectName(QStringLiteral("salvarPdf"));
            // Saved, the preview says where, on its title and in a line
            // under the pages (a full tool bar would hide it in its
            // overflow): the operator sees it went without leaving them.
            auto* gravado = new QLabel(&dialog);
            gravado->setObjectName(QStringLiteral("lblpdfgravado"));
            gravado->setTextFormat(Qt::PlainText);
            gravado->setTextInteractionFlags(Qt::TextSelectableByMouse);
            gravado->hide();
            if (dialog.layout())
                dialog.layout()->addWidget(gravado);
            QObject::connect(salvar, &QAction::triggered, &dialog, [&savePdf, &dialog, gravado] {
                const QString caminho = savePdf();
                if (caminho.isEmpty())
                    return;
                const QString nome = QFileInfo(QDir::fromNativeSeparators(caminho)).fileName();
                dialog.setWindowTitle(QStringLiteral("%1 - %2").arg(kTituloVisualizacao, nome));
                gravado->setText(QStringLiteral("PDF gravado: ") + caminho);
                gravado->show();
            });
            if (auto* botao = qobject_cast<QToolButton*>(bar->widgetForAction(salvar)))
                botao->setToolButtonStyle(Qt::ToolButtonTextOnly);
        }
    }
    // The pages need the room: the whole screen, also where no window
    // manager maximises.
    dialog.setWindowTitle(kTituloVisualizacao);
    if (const QScreen* screen = m_parent ? m_parent->screen() : QGuiApplication::primaryScreen())
        dialog.setGeometry(screen->availableGeometry());
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

}  // namespace pluvexa
