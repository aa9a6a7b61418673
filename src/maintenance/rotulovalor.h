#pragma once

// A label that shows a value the program sets (a company, a date, a total,
// a file name). However long the value, it never makes its page wider than
// the page can be: given less room than its text needs, the text ends in
// "…" and shows whole as a tooltip. Assistive technology always gets the
// whole text, as from any label.

#include <QLabel>

namespace pluvexa {

class RotuloValor final : public QLabel {
    Q_OBJECT
public:
    explicit RotuloValor(QWidget* parent = nullptr);

    // A value of fixed format (a date, a sequence number) always shows
    // whole: the label is never narrower than `modelo`.
    void defineModelo(const QString& modelo);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as painted: the whole text, or its start and "…".
    QString textoMostrado() const;

protected:
    void paintEvent(QPaintEvent* evento) override;
    bool event(QEvent* evento) override;

private:
    QRect areaDoTexto() const;
    int larguraDoModelo() const;

    QString m_modelo;
};

}  // namespace pluvexa
