#pragma once

// Files as tests make and read them, outside the program's file layer: the
// whole content of a file, and a file written whole. As QByteArray, or as
// the Windows-1252 bytes of a Texto; arquivosbytes.h holds the part without
// Qt.

#include "support/arquivosbytes.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace pluvexa::test {

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray le(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void grava(const QString& caminho, const QByteArray& bytes)
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << caminho.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size()) << caminho.toStdString();
}

inline void grava(const QString& caminho, const std::vector<std::uint8_t>& bytes)
{
    grava(caminho, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

// The same for records kept in std::string.
inline std::string leTexto(const QString& caminho)
{
    return le(caminho).toStdString();
}

inline void gravaTexto(const QString& caminho, const std::string& bytes)
{
    grava(caminho, QByteArray::fromStdString(bytes));
}

// A record of the demonstration keys (keys/demo), read whole: the file is
// exactly one record.
template <typename Registro>
Registro chaveDemo(const char* nome)
{
    const QByteArray bytes = le(QStringLiteral(PLUVEXA_SOURCE_DIR "/keys/demo/") + QString::fromLatin1(nome));
    Registro r{};
    EXPECT_EQ(std::size_t(bytes.size()), r.size()) << nome;
    std::copy_n(bytes.begin(), std::min(r.size(), std::size_t(bytes.size())), r.begin());
    return r;
}

}  // namespace pluvexa::test
