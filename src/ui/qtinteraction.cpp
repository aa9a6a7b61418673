#include "ui/interaction.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace pluvexa {

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

}  // namespace

void QtInteraction::notice(const QString& text, Icon icon, const QString& caption)
{
    QMessageBox box(icone(icon), caption, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtInteraction::question(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    return box.exec() == QMessageBox::Yes;
}

bool QtInteraction::confirm(const QString& text, Buttons buttons, Icon icon, const QString& caption)
{
    const QMessageBox::StandardButton nao = buttons == Buttons::YesCancel ? QMessageBox::Cancel : QMessageBox::No;
    QMessageBox box(icon == Icon::None ? QMessageBox::Question : icone(icon), caption, text,
                    QMessageBox::Yes | nao, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    box.button(nao)->setText(nao == QMessageBox::Cancel ? QStringLiteral("Cancelar") : QStringLiteral("&Não"));
    return box.exec() == QMessageBox::Yes;
}

void QtInteraction::errorBox(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, m_parent);
    box.exec();
}

QString QtInteraction::openFileName(const QString& caption, const QString& folder,
                                    const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, folder, filter);
}

void QtInteraction::printPreview(const std::function<void(QPrinter*)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, m_parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* p) { paint(p); });
    dialog.exec();
}

}  // namespace pluvexa
