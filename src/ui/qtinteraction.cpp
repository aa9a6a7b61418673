#include "ui/interaction.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace pluvexa {

void QtInteraction::notice(const QString& text, Icon icon, const QString& caption)
{
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::None: break;
    case Icon::Error: qicon = QMessageBox::Critical; break;
    case Icon::Warning: qicon = QMessageBox::Warning; break;
    case Icon::Information: qicon = QMessageBox::Information; break;
    }
    QMessageBox box(qicon, caption, text, QMessageBox::Ok, m_parent);
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
