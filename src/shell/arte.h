#pragma once

// The product's artwork: vector pictures compiled into the program and drawn
// at the size each window asks for, so they stay sharp when stretched.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace pluvexa {

// One of "logo", "programa", "splash", "fundo" at the given size. A null
// pixmap when the picture cannot be drawn (the SVG image plugin missing): the
// windows work the same without their artwork.
QPixmap figura(const QString& nome, const QSize& tamanho);

// Icon of the tree menu's image list at that index; empty for indices that
// carry no picture.
QIcon iconeArvore(int indice);

// The program's icon, for the window frames.
QIcon iconePrograma();

}  // namespace pluvexa
