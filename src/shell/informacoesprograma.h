#pragma once

// What the background screen and the about box tell about the program: its
// file's size and time stamp, and the maker's lines.

#include <QDateTime>
#include <QString>

namespace pluvexa {

inline const QString kEmpresa = QStringLiteral("Drovanti Sistemas");
inline const QString kAvisoFabricante =
    QStringLiteral("© Drovanti Sistemas. Uso restrito ao cliente licenciado.");
// Fictitious contact: the reserved ".example" domain and a "0000" number.
inline const QString kContatoFabricante = QStringLiteral(
    "Drovanti Sistemas - Rua das Acácias, 100, sala 12 - Vila Exemplo - "
    "Fone: (00) 0000-0000 - E-mail: suporte@drovanti.example");

// Said wherever the program shows what it is, when it carries the
// repository's demonstration keys instead of the company's own.
inline const QString kAvisoChavesDemonstracao = QStringLiteral(
    "Compilado com as chaves de demonstração: não use com arquivos reais da empresa.");

struct InformacoesPrograma {
    bool existe = false;
    qint64 tamanho = 0;
    QDateTime modificacao;
};

InformacoesPrograma lePrograma(const QString& arquivo);

// Size with thousands grouped by "." (the program's Brazilian number format,
// whatever the machine's locale), then " Bytes".
QString formataTamanho(qint64 bytes);

}  // namespace pluvexa
