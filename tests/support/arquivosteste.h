#pragma once

// Files as tests make and read them, outside the program's file layer: the
// whole content of a file, and a file written whole.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

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

}  // namespace pluvexa::test
