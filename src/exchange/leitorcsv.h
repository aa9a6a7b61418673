#pragma once

// Splits the text of a spreadsheet saved as CSV into rows of fields. The
// separator is given; a field that starts with a double quote runs to the
// matching closing quote, a doubled quote inside standing for one, and may
// hold separators and line breaks. A row ends at a line feed, a carriage
// return, or both (spreadsheet programs write all three). The bytes are
// handed out as they are: the encoding is the caller's business.
//
// A row keeps at most kMaisColunasCsv fields: a line of millions of
// separators would otherwise become millions of strings (tens of bytes
// each) for a few megabytes of text. The rest of such a row is read past,
// not kept, and the row is marked as too wide.

#include <string>
#include <string_view>
#include <vector>

namespace pluvexa {

inline constexpr std::size_t kMaisColunasCsv = 1000;

class LeitorCsv {
public:
    LeitorCsv(std::string_view texto, char separador) : m_texto(texto), m_separador(separador) {}

    // The next row into `campos`; false at the end of the text. `linha` is
    // the row's first line, counted from 1 over every line of the text.
    // `aspasAbertas` tells that the text ended inside a quoted field.
    bool proxima(std::vector<std::string>& campos, int& linha, bool& aspasAbertas);
    // Whether the row proxima gave last had more than kMaisColunasCsv
    // fields; `campos` then holds its first kMaisColunasCsv.
    bool larga() const { return m_larga; }

    // The separator of the header, the first row holding more than blanks
    // and separators: ';' or ',', whichever it holds more often outside
    // quotes (';' when it holds neither, or as many of each).
    static char separadorDoCabecalho(std::string_view texto);

private:
    // Keeps `campo` as the row's next field while the row has room for it.
    void guarda(std::vector<std::string>& campos, std::string& campo);

    std::string_view m_texto;
    std::size_t m_pos = 0;
    int m_linha = 1;
    char m_separador;
    bool m_larga = false;
};

}  // namespace pluvexa
