#pragma once

// The zip container of an .xlsx or .ods, read from the workbook's bytes,
// its parts handed to Qt's XML stream reader as they expand: no part is
// ever held whole. Every byte expanded is counted, against the workbook's
// bound (256 MB in all) and the part's own; the sizes the zip's directory
// declares are checked first but never trusted alone.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <cstdint>
#include <functional>
#include <memory>

class QBuffer;
class QuaZip;

namespace pluvexa::livros {

class ZipLivro {
public:
    // `nome` is the file as the operator reads it, for the messages.
    ZipLivro(const QByteArray& bytes, QString nome);
    ~ZipLivro();
    ZipLivro(const ZipLivro&) = delete;
    ZipLivro& operator=(const ZipLivro&) = delete;

    // Whether the zip's directory could be read at all.
    bool aberto() const { return m_aberto; }
    // The parts' names, as stored.
    const QStringList& nomes() const { return m_nomes; }
    // Whether part `nome` is there (letter case ignored, as the formats
    // want).
    bool tem(const QString& nome) const;
    // Throws ErroLivro when the directory declares more parts, or more
    // bytes expanded, than a workbook may have.
    void confereDeclarado() const;

    // Streams part `nome` through `le`, which reads it with the reader it
    // is given and may stop early. Throws ErroLivro: `textoLimite` when
    // the part expands past `limite` bytes (or the workbook past its
    // bound), the workbook damaged when the part cannot be expanded or is
    // no well-formed XML. False when there is no such part.
    bool leXml(const QString& nome, std::int64_t limite, const QString& textoLimite,
               const std::function<void(QXmlStreamReader&)>& le);
    // The first `maximo` bytes of part `nome` (empty when missing or
    // unreadable).
    QByteArray inicio(const QString& nome, int maximo);

private:
    QString m_nome;
    QByteArray m_bytes;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QuaZip> m_zip;
    bool m_aberto = false;
    QStringList m_nomes;
    std::int64_t m_declarado = 0;
    std::int64_t m_expandido = 0;  // every part read so far
};

}  // namespace pluvexa::livros
